#include "report/report_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextLayout>

#include <algorithm>
#include <deque>

namespace tarvel::report::detail {
namespace {

// Font sizes are given in pixels of a 96 dpi screen, the unit the layout was drawn in.
constexpr double kMmPerLayoutPixel = 25.4 / 96.0;
const QColor kTextColour(Qt::black);
const QColor kHighlight(255, 221, 51, 140);

// Arial is the layout's font. Where it is missing, Liberation Sans has the same metrics, so the
// captions keep the widths the fields were sized for; without this the system's fallback could be any
// sans font (on a machine with CJK fonts often a much wider one).
void ensureFontFallback() {
    static const bool installed = [] {
        if (!QFontDatabase::families().contains(QStringLiteral("Arial"), Qt::CaseInsensitive))
            QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    Q_UNUSED(installed);
}

// The object's font at its size on this device. The point size goes through the device's own
// resolution, so the glyphs come out at the layout size whatever the device's dots per inch.
QFont deviceFont(const QFont& font, double unitsPerMm, const QPaintDevice& device) {
    const double layoutPx = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    QFont result(font);
    result.setPointSizeF(layoutPx * kMmPerLayoutPixel * unitsPerMm * 72.0 / device.logicalDpiY());
    // Unhinted glyphs scale exactly, so a line measures the same on screen, on paper and in a PDF.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

double alignedX(Qt::Alignment alignment, const QRectF& box, double width) {
    if (alignment & Qt::AlignHCenter)
        return box.left() + (box.width() - width) / 2;
    if (alignment & Qt::AlignRight)
        return box.right() - width;
    return box.left();
}

// The top of a text block of `height` in `box`. A block taller than its box starts at the top, so
// the first lines are the ones that show.
double alignedTop(Qt::Alignment alignment, const QRectF& box, double height) {
    if (alignment & Qt::AlignTop || height >= box.height())
        return box.top();
    if (alignment & Qt::AlignBottom)
        return box.bottom() - height;
    return box.top() + (box.height() - height) / 2;
}

// Fields that can hold two lines wrap their words at their width; a one-line field never wraps (its
// text would run into the field below) and "grow width" fields widen instead. Lines that nearly fit
// are condensed rather than wrapped (see kMaxCondensing).
bool wraps(const ReportObject& object, const QRectF& box, const QFontMetricsF& metrics) {
    return !object.growWidth && box.height() >= 2 * metrics.lineSpacing();
}

void highlight(QPainter& painter, const QRectF& box) {
    painter.fillRect(box, kHighlight);
}

// A line at most this much wider than its field is condensed to fit instead of being broken or run
// on: a caption that nearly fits stays one line ("PV peak power[KWp]" in its 29 mm field) and a
// narrowing of a few per cent goes unnoticed.
constexpr double kMaxCondensing = 1.10;

// The horizontal scale that fits a line of `advance` into `width`: 1 when it fits, and also when it
// is too long to condense.
double condensing(double advance, double width) {
    return advance > width && advance <= width * kMaxCondensing ? width / advance : 1.0;
}

// Draws with the painter narrowed across by `scale` about `origin`.
template <typename Draw> void drawScaled(QPainter& painter, const QPointF& origin, double scale, Draw draw) {
    painter.save();
    painter.translate(origin);
    painter.scale(scale, 1);
    draw();
    painter.restore();
}

void paintWrapped(QPainter& painter, const ReportObject& object, const QRectF& box,
                  const QFontMetricsF& metrics, bool highlighted) {
    std::deque<QTextLayout> layouts;
    std::vector<double> scales;
    double y = 0;
    for (const QString& line : object.lines) {
        const double advance = metrics.horizontalAdvance(line);
        scales.push_back(condensing(advance, box.width()));
        QTextLayout& layout = layouts.emplace_back(line, painter.font(), painter.device());
        QTextOption option(object.alignment & Qt::AlignHorizontal_Mask);
        option.setWrapMode(scales.back() < 1 ? QTextOption::NoWrap
                                             : QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (QTextLine textLine = layout.createLine(); textLine.isValid(); textLine = layout.createLine()) {
            textLine.setLineWidth(scales.back() < 1 ? advance : box.width());
            textLine.setPosition(QPointF(0, y));
            y += metrics.lineSpacing();
            ++count;
        }
        layout.endLayout();
        if (count == 0) // an empty line still takes its place
            y += metrics.lineSpacing();
    }
    const double top = alignedTop(object.alignment, box, y - metrics.leading());
    if (highlighted)
        highlight(painter, box);
    painter.setClipRect(box, Qt::IntersectClip);
    for (std::size_t i = 0; i < layouts.size(); ++i)
        drawScaled(painter, QPointF(box.left(), top), scales[i],
                   [&] { layouts[i].draw(&painter, QPointF(0, 0)); });
}

void paintLines(QPainter& painter, const ReportObject& object, QRectF box, const QRectF& sheet,
                const QFontMetricsF& metrics, bool highlighted) {
    QList<double> widths;
    double widest = 0;
    for (const QString& line : object.lines) {
        widths << metrics.horizontalAdvance(line);
        widest = std::max(widest, widths.back());
    }
    if (object.growWidth)
        box.setWidth(std::max(box.width(), widest));
    if (highlighted)
        highlight(painter, box);
    // Only the field's height bounds the text: a caption longer than its field stays readable, while
    // extra lines never reach the field below.
    painter.setClipRect(QRectF(sheet.left(), box.top(), sheet.width(), box.height()), Qt::IntersectClip);
    const double height = (object.lines.size() - 1) * metrics.lineSpacing() + metrics.height();
    double y = alignedTop(object.alignment, box, height) + metrics.ascent();
    for (qsizetype i = 0; i < object.lines.size(); ++i) {
        const double scale = condensing(widths[i], box.width());
        if (scale < 1)
            drawScaled(painter, QPointF(box.left(), y), scale,
                       [&] { painter.drawText(QPointF(0, 0), object.lines[i]); });
        else
            painter.drawText(QPointF(alignedX(object.alignment, box, widths[i]), y), object.lines[i]);
        y += metrics.lineSpacing();
    }
}

void paintText(QPainter& painter, const ReportObject& object, const SheetGeometry& sheet, bool highlighted) {
    painter.setFont(deviceFont(object.font, sheet.unitsPerMm, *painter.device()));
    painter.setPen(kTextColour);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF box = sheet.toPainter(object.rectMm);
    if (object.lines.isEmpty()) {
        if (highlighted)
            highlight(painter, box);
        return;
    }
    if (wraps(object, box, metrics))
        paintWrapped(painter, object, box, metrics, highlighted);
    else
        paintLines(painter, object, box, sheet.sheetPx, metrics, highlighted);
}

QRectF fitted(const QSizeF& natural, const QRectF& box) {
    if (natural.isEmpty())
        return box;
    const QSizeF size = natural.scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

void paintPicture(QPainter& painter, const ReportObject& object, const SheetGeometry& sheet) {
    const QRectF box = sheet.toPainter(object.rectMm);
    if (!object.svg.isEmpty()) {
        // Drawn as vectors, so artwork stays sharp in a PDF and on a printer at any resolution.
        QSvgRenderer renderer(object.svg);
        const QSizeF natural =
            renderer.viewBoxF().isEmpty() ? QSizeF(renderer.defaultSize()) : renderer.viewBoxF().size();
        renderer.render(&painter, fitted(natural, box));
    } else if (!object.picture.isNull()) {
        painter.drawImage(fitted(QSizeF(object.picture.size()), box), object.picture);
    }
}

} // namespace

QRectF SheetGeometry::toPainter(const QRectF& rectMm) const {
    return QRectF(sheetPx.left() + (marginMm + rectMm.left()) * unitsPerMm,
                  sheetPx.top() + (marginMm + rectMm.top()) * unitsPerMm, rectMm.width() * unitsPerMm,
                  rectMm.height() * unitsPerMm);
}

SheetGeometry fitSheet(const QSizeF& pageSizeMm, double marginMm, const QRectF& pageRectPx) {
    SheetGeometry sheet;
    sheet.unitsPerMm =
        std::min(pageRectPx.width() / pageSizeMm.width(), pageRectPx.height() / pageSizeMm.height());
    sheet.sheetPx = QRectF(pageRectPx.topLeft(), pageSizeMm * sheet.unitsPerMm);
    sheet.marginMm = marginMm;
    return sheet;
}

QRectF sheetRectOnDevice(const QPagedPaintDevice& device) {
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QRect full = layout.fullRectPixels(dpi);
    return QRectF(full).translated(-layout.paintRectPixels(dpi).topLeft());
}

void paintObjects(QPainter& painter, const std::vector<ReportObject>& objects, const SheetGeometry& sheet,
                  const QStringList& highlighted) {
    ensureFontFallback();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    for (const ReportObject& object : objects) {
        if (!object.visible)
            continue;
        painter.save();
        if (object.kind == ReportObject::Kind::Picture)
            paintPicture(painter, object, sheet);
        else
            paintText(painter, object, sheet, highlighted.contains(object.name, Qt::CaseInsensitive));
        painter.restore();
    }
}

} // namespace tarvel::report::detail
