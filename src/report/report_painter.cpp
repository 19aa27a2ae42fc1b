#include "report/report_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QSet>
#include <QSvgRenderer>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <deque>
#include <mutex>
#include <optional>

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

// Chinese text is drawn in this face, and so is any character the layout's font lacks. Named, not
// left to the system's fallback: that may pick the Japanese face of the same family, whose glyphs
// differ from the Chinese ones and whose text maps turn 人 or 大 into radicals.
const QString kChineseFamily = QStringLiteral("Noto Sans CJK SC");

// The family itself, or the face that stands in for it where it is not installed. A list of
// families skips the substitution of a missing first family, so the list must name the stand-in.
QString installedFamily(const QString& family) {
    static std::mutex mutex;
    static QHash<QString, QString> known;
    const std::lock_guard lock(mutex);
    const auto it = known.constFind(family);
    if (it != known.constEnd())
        return *it;
    const QStringList substitutes = QFont::substitutes(family);
    const bool installed = QFontDatabase::families().contains(family, Qt::CaseInsensitive);
    return known.insert(family, installed || substitutes.isEmpty() ? family : substitutes.first()).value();
}

// The object's font on this device, `scale` times its size. The point size goes through the device's
// own resolution, so the glyphs come out at the layout size whatever the device's dots per inch.
QFont deviceFont(const QFont& font, double unitsPerMm, const QPaintDevice& device, double scale) {
    const double layoutPx = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    QFont result(font);
    result.setFamilies({installedFamily(font.family()), kChineseFamily});
    result.setPointSizeF(layoutPx * scale * kMmPerLayoutPixel * unitsPerMm * 72.0 / device.logicalDpiY());
    // Unhinted glyphs scale exactly, so a line measures the same on screen, on paper and in a PDF.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
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

void highlight(QPainter& painter, const QRectF& box) {
    painter.fillRect(box, kHighlight);
}

// A line at most this much wider than its field is condensed to fit: a caption that nearly fits
// stays one line at its size ("PV peak power[KWp]" in its 29 mm field), and a narrowing of a few per
// cent goes unnoticed.
constexpr double kMaxCondensing = 1.10;
// A text that does not fit is made smaller, at first on its lines as they are, down to this share of
// its size; below it, lines also wrap, down to the smallest share. Steps of this size.
constexpr double kMinShrinking = 0.7;
constexpr double kMinScale = 0.3;
constexpr double kScaleStep = 0.02;

// The horizontal scale that fits a line of `advance` into `width`: 1 when it fits, and also when it
// is too long to condense.
double condensing(double advance, double width) {
    return advance > width && advance <= width * kMaxCondensing ? width / advance : 1.0;
}

// A text laid out for its field at one size: one layout per line of the text, each holding one
// visual line, or several where the line wraps.
struct TextBlock {
    std::deque<QTextLayout> layouts;
    std::vector<double> scales; // per line of the text: 1, or below 1 where it is condensed
    double width = 0;           // the widest visual line as drawn
    double height = 0;          // from the top of the first visual line to the bottom of the last
    int lineCount = 0;          // visual lines
    bool complete = true;       // false: lines beyond the field's height were left out
};

// The lines of a text at `scale` times the object's size, in a field `width` wide. `fullAdvances`
// are the lines' widths at full size; a line wraps (when `wrap` allows) if it is too wide even to be
// condensed. Laying out stops at the first line that ends below `heightLimit`: a long text then
// costs only the lines that can show.
//
// Every line sits on the baselines of the layout's font, whatever faces draw its characters: a line of
// Chinese characters would otherwise be placed by the taller line box of the Chinese face and sit
// below the Latin value beside it. The Chinese glyphs fit inside the Latin line box.
TextBlock layOut(const QStringList& lines, const std::vector<double>& fullAdvances, double scale,
                 const QFont& font, QPaintDevice* device, double width, bool wrap, Qt::Alignment alignment,
                 double heightLimit) {
    TextBlock block;
    const QFontMetricsF metrics(font, device);
    double y = 0;
    for (qsizetype i = 0; i < lines.size() && block.complete; ++i) {
        const bool breaks = wrap && fullAdvances[std::size_t(i)] * scale > width * kMaxCondensing;
        QTextLayout& layout = block.layouts.emplace_back(lines[i], font, device);
        QTextOption option(alignment & Qt::AlignHorizontal_Mask);
        option.setWrapMode(breaks ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        double condensed = 1;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            const double natural = line.naturalTextWidth();
            if (!breaks) {
                condensed = condensing(natural, width);
                if (condensed < 1)
                    line.setLineWidth(natural);
            }
            block.width = std::max(block.width, natural * condensed);
            line.setPosition(QPointF(0, y + metrics.ascent() - line.ascent()));
            block.height = y + metrics.height();
            y += metrics.lineSpacing();
            ++block.lineCount;
            if (block.lineCount > 1 && block.height > heightLimit) {
                block.complete = false;
                break;
            }
        }
        layout.endLayout();
        block.scales.push_back(condensed);
    }
    return block;
}

bool fitsIn(const TextBlock& block, const QRectF& box) {
    // A single line always fits in height: its field clips it, and a line box is taller than its
    // glyphs. Lines beyond the first must fit.
    constexpr double kTolerance = 1.0001;
    return block.complete && block.width <= box.width() * kTolerance &&
           (block.lineCount <= 1 || block.height <= box.height() * kTolerance);
}

// The text of `object` laid out so that it stays inside its field and all of it shows: condensed a
// little, else made smaller, else made smaller and wrapped. A growing field first widens, up to
// `rightEdge`; `box` is the field as finally drawn. A text too long even at the smallest size is laid
// out at that size and cut at the field's edges.
TextBlock fitText(const ReportObject& object, QRectF& box, double rightEdge, double unitsPerMm,
                  QPaintDevice* device) {
    const auto fontAt = [&](double scale) { return deviceFont(object.font, unitsPerMm, *device, scale); };
    const QFontMetricsF full(fontAt(1), device);
    std::vector<double> advances;
    double widest = 0;
    double total = 0;
    for (const QString& line : object.lines) {
        advances.push_back(full.horizontalAdvance(line));
        widest = std::max(widest, advances.back());
        total += advances.back();
    }
    if (object.growWidth)
        box.setWidth(std::max(box.width(), std::min(widest, rightEdge - box.left())));
    const auto attempt = [&](double scale, bool wrap) {
        return layOut(object.lines, advances, scale, fontAt(scale), device, box.width(), wrap,
                      object.alignment, box.height());
    };
    // The largest size from `lowest` to full, in steps, at which the text fits.
    const auto largestFitting = [&](double lowest, bool wrap) -> std::optional<TextBlock> {
        TextBlock block = attempt(1, wrap);
        if (fitsIn(block, box))
            return block;
        const int steps = int(std::ceil((1 - lowest) / kScaleStep - 1e-9)); // lowest + steps * step >= 1
        std::optional<TextBlock> best;
        int fits = -1;
        int fails = steps;
        if (TextBlock smallest = attempt(lowest, wrap); fitsIn(smallest, box)) {
            best.emplace(std::move(smallest));
            fits = 0;
        } else {
            return std::nullopt;
        }
        while (fails - fits > 1) {
            const int middle = (fits + fails) / 2;
            TextBlock candidate = attempt(lowest + middle * kScaleStep, wrap);
            if (fitsIn(candidate, box)) {
                best.emplace(std::move(candidate));
                fits = middle;
            } else {
                fails = middle;
            }
        }
        return best;
    };

    // Fields tall enough for two lines of their font wrap at their own size, before anything shrinks.
    const bool tall = !object.growWidth && box.height() >= 2 * full.lineSpacing();
    // Shrinking alone can only help where every line fits at the smallest such size.
    if (tall || widest * kMinShrinking <= box.width() * kMaxCondensing) {
        if (auto block = largestFitting(kMinShrinking, tall))
            return std::move(*block);
    }
    // Wrapped at the smallest size, the text needs about this much height; far more, and no size fits.
    const double neededAtSmallest =
        std::ceil(total * kMinScale / box.width()) * full.lineSpacing() * kMinScale;
    if (neededAtSmallest <= 2 * box.height()) {
        if (auto block = largestFitting(kMinScale, true))
            return std::move(*block);
    }
    return attempt(kMinScale, true);
}

// Draws with the painter narrowed across by `scale` about `origin`.
template <typename Draw> void drawScaled(QPainter& painter, const QPointF& origin, double scale, Draw draw) {
    painter.save();
    painter.translate(origin);
    painter.scale(scale, 1);
    draw();
    painter.restore();
}

void paintText(QPainter& painter, const ReportObject& object, const SheetGeometry& sheet, bool highlighted) {
    QRectF box = sheet.toPainter(object.rectMm);
    if (object.lines.isEmpty()) {
        if (highlighted)
            highlight(painter, box);
        return;
    }
    const double printableRight = sheet.sheetPx.right() - sheet.marginMm * sheet.unitsPerMm;
    const double rightEdge =
        object.maxWidthMm > 0 ? box.left() + object.maxWidthMm * sheet.unitsPerMm : printableRight;
    const TextBlock block = fitText(object, box, rightEdge, sheet.unitsPerMm, painter.device());
    if (highlighted)
        highlight(painter, box);
    painter.setPen(kTextColour);
    // The text stays in its field; a little room at the sides keeps the ink of a glyph that reaches
    // past its advance (an italic, a condensed last letter).
    const double side = 0.5 * sheet.unitsPerMm;
    painter.setClipRect(box.adjusted(-side, 0, side, 0), Qt::IntersectClip);
    const double top = alignedTop(object.alignment, box, block.height);
    for (std::size_t i = 0; i < block.layouts.size(); ++i)
        drawScaled(painter, QPointF(box.left(), top), block.scales[i],
                   [&] { block.layouts[i].draw(&painter, QPointF(0, 0)); });
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

TextMapFixes textMapFixes(const std::vector<ReportObject>& objects) {
    ensureFontFallback();
    QString text;
    QSet<QPair<QString, bool>> faces;
    for (const ReportObject& object : objects) {
        if (!object.visible || object.kind != ReportObject::Kind::Text)
            continue;
        text += object.lines.join(u'\n');
        faces.insert({object.font.family(), object.font.bold()});
        faces.insert({kChineseFamily, object.font.bold()});
    }
    TextMapFixes fixes;
    for (const auto& [family, bold] : faces) {
        QFont font(family);
        font.setBold(bold);
        fixes.insert(glyphSharingFixes(text, QRawFont::fromFont(font)));
    }
    return fixes;
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
