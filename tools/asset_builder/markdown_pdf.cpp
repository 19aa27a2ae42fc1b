#include "asset_builder/markdown_pdf.h"

#include "asset_builder/pdf_tidy.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace tarvel::tools {
namespace {

constexpr qreal kMarginMm = 20;
// The page number sits in the bottom margin, this far above the paper edge (baseline).
constexpr qreal kFooterBaselineMm = 11;
constexpr qreal kBodyPointSize = 10.5;
constexpr qreal kFooterPointSize = 8.5;
// On top of the generous line spacing of the CJK font: Chinese text reads better with a little more air.
constexpr int kLineHeightPercent = 110;
constexpr int kResolution = 1200;

// Lengths in pixels below are screen pixels; the text layout scales them to the PDF resolution.
constexpr qreal kParagraphGapPx = 5;
constexpr qreal kListItemGapPx = 2;
constexpr qreal kTableCellPaddingPx = 4;

const QColor kBodyColour(0x22, 0x2A, 0x31);
const QColor kHeadingColour(0x0B, 0x5E, 0x66);
const QColor kRuleColour(0xB9, 0xC4, 0xCA);
const QColor kTableHeaderColour(0xE6, 0xF0, 0xF1);
const QColor kFooterColour(0x70, 0x7A, 0x83);

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

QFont documentFont(qreal pointSize) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    // Unshaped text keeps to the glyphs of the font's character map. Shaping would bring in ligatures
    // and, next to Latin letters, alternate digits that Qt's PDF writer cannot map back to text, so
    // search and copy in the PDF would lose every number. Latin and Chinese need no shaping.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(pointSize);
    return font;
}

qreal mmToDevice(qreal mm) {
    return mm / 25.4 * kResolution;
}

// Space above a heading grows with its rank, so sections stand apart; list items and table rows stay
// close, paragraphs keep the spacing the Markdown import gives them.
QTextBlockFormat spacing(const QTextBlock& block, bool inTable) {
    QTextBlockFormat format;
    format.setLineHeight(kLineHeightPercent, QTextBlockFormat::ProportionalHeight);
    const int level = block.blockFormat().headingLevel();
    if (level > 0) {
        format.setTopMargin(level == 1 ? 0 : level == 2 ? 3 * kParagraphGapPx : 2 * kParagraphGapPx);
        format.setBottomMargin(kParagraphGapPx);
    } else if (inTable) {
        format.setTopMargin(0);
        format.setBottomMargin(0);
    } else if (block.textList()) {
        format.setTopMargin(0);
        format.setBottomMargin(kListItemGapPx);
    }
    return format;
}

void styleBlock(QTextCursor& cursor, const QTextBlock& block) {
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.mergeBlockFormat(spacing(block, cursor.currentTable() != nullptr));
    QTextCharFormat colour;
    colour.setForeground(block.blockFormat().headingLevel() > 0 ? kHeadingColour : kBodyColour);
    cursor.mergeCharFormat(colour);
}

void styleTable(QTextTable& table) {
    QTextTableFormat format = table.format();
    format.setBorder(1);
    format.setBorderBrush(kRuleColour);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(kTableCellPaddingPx);
    format.setCellSpacing(0);
    format.setBottomMargin(kParagraphGapPx * 2);
    table.setFormat(format);
    for (int column = 0; column < table.columns(); ++column) {
        QTextTableCell cell = table.cellAt(0, column);
        QTextCharFormat header = cell.format();
        header.setBackground(kTableHeaderColour);
        header.setFontWeight(QFont::Bold);
        cell.setFormat(header);
    }
}

void styleDocument(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        styleBlock(cursor, block);
    cursor.endEditBlock();
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            styleTable(*table);
    }
}

// The text of the first heading, for the PDF title shown by viewers.
QString documentTitle(const QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            return block.text();
    }
    return {};
}

bool readMarkdown(const QString& path, QString* text, QString* error) {
    QFile file(path);
    if (!file.exists())
        return fail(error, QStringLiteral("%1: no such file").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("%1: cannot read (%2)").arg(path, file.errorString()));
    *text = QString::fromUtf8(file.readAll());
    if (text->trimmed().isEmpty())
        return fail(error, QStringLiteral("%1: the document is empty").arg(path));
    return true;
}

void setUpWriter(QPdfWriter& writer, const QString& title) {
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // The margins are painted by hand (text area and footer), so the device covers the whole sheet.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Tarvel PV Designer"));
}

void paintFooter(QPainter& painter, const QRectF& sheet, int page, int pageCount) {
    painter.save();
    painter.setFont(documentFont(kFooterPointSize));
    painter.setPen(kFooterColour);
    const QString text = QStringLiteral("%1 / %2").arg(page + 1).arg(pageCount);
    const qreal width = painter.fontMetrics().horizontalAdvance(text);
    painter.drawText(QPointF(sheet.center().x() - width / 2, sheet.bottom() - mmToDevice(kFooterBaselineMm)),
                     text);
    painter.restore();
}

void paintPage(QPainter& painter, const QTextDocument& doc, const QRectF& textArea, int page) {
    const qreal pageTop = page * textArea.height();
    painter.save();
    painter.translate(textArea.left(), textArea.top() - pageTop);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, pageTop, textArea.width(), textArea.height());
    context.palette.setColor(QPalette::Text, kBodyColour);
    painter.setClipRect(context.clip);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

void paintDocument(QPdfWriter& writer, QTextDocument& doc) {
    const QRectF sheet(0, 0, writer.width(), writer.height());
    const qreal margin = mmToDevice(kMarginMm);
    const QRectF textArea = sheet.adjusted(margin, margin, -margin, -margin);
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDocumentMargin(0);
    doc.setPageSize(textArea.size());
    QPainter painter(&writer);
    const int pageCount = doc.pageCount();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            writer.newPage();
        paintPage(painter, doc, textArea, page);
        paintFooter(painter, sheet, page, pageCount);
    }
}

QByteArray pdfBytes(QTextDocument& doc) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        setUpWriter(writer, documentTitle(doc));
        paintDocument(writer, doc);
    }
    return buffer.data();
}

// Both weights of the body font draw the text; headings and table headers are bold.
TextMapFixes textMapFixes(const QTextDocument& doc) {
    const QString text = doc.toPlainText();
    QFont bold = documentFont(kBodyPointSize);
    bold.setBold(true);
    TextMapFixes fixes = glyphSharingFixes(text, QRawFont::fromFont(documentFont(kBodyPointSize)));
    fixes.insert(glyphSharingFixes(text, QRawFont::fromFont(bold)));
    return fixes;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(error, QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString()));
    return true;
}

} // namespace

bool renderMarkdownToPdf(const QString& markdownPath, const QString& pdfPath, QString* error) {
    QString markdown;
    if (!readMarkdown(markdownPath, &markdown, error))
        return false;
    QTextDocument doc;
    // Set before the import: the importer derives its paragraph spacing from the default font.
    doc.setDefaultFont(documentFont(kBodyPointSize));
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleDocument(doc);
    // Dated like its source, so building the guide again from the same file gives the same bytes.
    const QByteArray pdf =
        tidyQtPdf(pdfBytes(doc), QFileInfo(markdownPath).lastModified(), textMapFixes(doc));
    return writeFile(pdfPath, pdf, error);
}

} // namespace tarvel::tools
