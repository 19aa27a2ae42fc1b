#include "catalog_builder/inverter_art.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

// Every shape is drawn in the units of the box the program shows it in (one unit = one screen pixel
// there) and rendered at kScale times that, so the sizes below read as what the user will see.

namespace tarvel::tools {
namespace {

constexpr int kScale = 4;
constexpr int kJpegQuality = 90;

// Palette. Kept few and muted: the pictures sit next to each other in lists and data sheets.
const QColor kBackground(0xFF, 0xFF, 0xFF);
const QColor kShadow(0x1E, 0x28, 0x32);
const QColor kMetalHighlight(0xFA, 0xFB, 0xFC);
const QColor kMetalLight(0xEC, 0xEF, 0xF2);
const QColor kMetalMid(0xD6, 0xDB, 0xE0);
const QColor kMetalDark(0xB4, 0xBB, 0xC3);
const QColor kOutline(0x86, 0x8F, 0x99);
const QColor kGraphiteLight(0x5A, 0x63, 0x6D);
const QColor kGraphiteDark(0x33, 0x3A, 0x42);
const QColor kPanelTop(0x3A, 0x42, 0x4B);
const QColor kPanelBottom(0x23, 0x29, 0x30);
const QColor kPanelEdge(0x16, 0x1B, 0x20);
const QColor kGlassTop(0x33, 0x46, 0x55);
const QColor kGlassBottom(0x12, 0x1B, 0x23);
const QColor kReadout(0x7F, 0xD6, 0xE0);
const QColor kAccent(0x0E, 0x7C, 0x86);
const QColor kAccentLight(0x4F, 0xC3, 0xCB);
const QColor kLedGreen(0x3D, 0xD0, 0x72);
const QColor kLedAmber(0xB0, 0x86, 0x3C);
const QColor kLedRed(0xA8, 0x4A, 0x4E);
const QColor kRubber(0x22, 0x26, 0x2A);
const QColor kRubberLight(0x4C, 0x53, 0x5A);
const QColor kGland(0x8C, 0x95, 0x9E);
const QColor kFinLight(0xC9, 0xCF, 0xD5);
const QColor kFinDark(0x8E, 0x97, 0xA0);
const QColor kTextDark(0x28, 0x31, 0x3B);
const QColor kTextLight(0xE8, 0xEC, 0xEF);

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// ---- text ------------------------------------------------------------------------------------

QFont artFont(int pixelSize, QFont::Weight weight) {
    QFont font;
    // Either family gives the same clean look; without both Qt picks its default sans font.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(std::max(1, pixelSize));
    font.setWeight(weight);
    return font;
}

// Draws `text` centred in `box` at the largest size that fits its height and width. The font is sized
// in device pixels, where sizes are whole numbers, so the text scales smoothly with the box.
void paintFittedText(QPainter& p, const QRectF& box, const QString& text, const QColor& colour,
                     QFont::Weight weight, qreal letterSpacing = 100) {
    const QRectF device = p.transform().mapRect(box);
    QFont font = artFont(static_cast<int>(device.height() * 0.8), weight);
    font.setLetterSpacing(QFont::PercentageSpacing, letterSpacing);
    const qreal advance = QFontMetricsF(font).horizontalAdvance(text);
    if (advance > device.width())
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * device.width() / advance)));
    p.save();
    p.resetTransform();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(device, Qt::AlignCenter, text);
    p.restore();
}

void paintModelName(QPainter& p, const QRectF& box, const QString& model, const QColor& colour) {
    paintFittedText(p, box, model, colour, QFont::Bold);
}

void paintBrand(QPainter& p, const QRectF& box, const QColor& colour) {
    paintFittedText(p, box, QStringLiteral("Tarvel"), colour, QFont::Bold, 112);
}

// ---- housing ---------------------------------------------------------------------------------

QPainterPath roundedBody(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A body whose top corners are rounder than the bottom ones, as on small moulded housings.
QPainterPath domedBody(const QRectF& r, qreal top, qreal bottom) {
    QPainterPath path;
    path.moveTo(r.left(), r.top() + top);
    path.arcTo(QRectF(r.left(), r.top(), 2 * top, 2 * top), 180, -90);
    path.arcTo(QRectF(r.right() - 2 * top, r.top(), 2 * top, 2 * top), 90, -90);
    path.arcTo(QRectF(r.right() - 2 * bottom, r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0, -90);
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.closeSubpath();
    return path;
}

// A soft shadow falling down and slightly right, built from widening translucent outlines.
void paintShadow(QPainter& p, const QPainterPath& shape) {
    constexpr int kSteps = 8;
    constexpr qreal kSpread = 3.2;
    const QPainterPath cast = shape.translated(0.6, 1.4);
    p.save();
    for (int i = kSteps; i >= 1; --i) {
        QPen pen(withAlpha(kShadow, 9), kSpread * i / kSteps);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(cast);
    }
    p.fillPath(cast, withAlpha(kShadow, 60));
    p.restore();
}

// Brushed-metal fill: light from the upper left, a slight roll-off to the right edge.
void paintMetal(QPainter& p, const QPainterPath& shape) {
    const QRectF r = shape.boundingRect();
    QLinearGradient across(r.topLeft(), r.topRight());
    across.setColorAt(0.0, kMetalMid);
    across.setColorAt(0.16, kMetalLight);
    across.setColorAt(0.55, kMetalMid);
    across.setColorAt(1.0, kMetalDark);
    p.fillPath(shape, across);

    QLinearGradient down(r.topLeft(), r.bottomLeft());
    down.setColorAt(0.0, withAlpha(kMetalHighlight, 150));
    down.setColorAt(0.35, withAlpha(kMetalHighlight, 0));
    down.setColorAt(0.8, withAlpha(kShadow, 0));
    down.setColorAt(1.0, withAlpha(kShadow, 30));
    p.fillPath(shape, down);
}

// Thin outline plus a highlight just inside the upper edge, which reads as a pressed metal rim.
void paintRim(QPainter& p, const QPainterPath& shape, const QColor& outline = kOutline) {
    p.save();
    p.setClipPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(kMetalHighlight, 200), 0.7));
    p.drawPath(shape.translated(0, 0.45));
    p.restore();
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outline, 0.35));
    p.drawPath(shape);
    p.restore();
}

void paintHousing(QPainter& p, const QPainterPath& shape) {
    paintMetal(p, shape);
    paintRim(p, shape);
}

// A darker moulded part of the housing (lower cover, front fascia).
void paintGraphite(QPainter& p, const QPainterPath& shape) {
    const QRectF r = shape.boundingRect();
    QLinearGradient down(r.topLeft(), r.bottomLeft());
    down.setColorAt(0.0, kGraphiteLight);
    down.setColorAt(1.0, kGraphiteDark);
    p.fillPath(shape, down);
    QLinearGradient across(r.topLeft(), r.topRight());
    across.setColorAt(0.0, withAlpha(kMetalHighlight, 28));
    across.setColorAt(0.4, withAlpha(kMetalHighlight, 0));
    p.fillPath(shape, across);
}

// The dark front panel that carries display and indicators.
void paintPanel(QPainter& p, const QRectF& r, qreal radius) {
    const QPainterPath shape = roundedBody(r, radius);
    QLinearGradient down(r.topLeft(), r.bottomLeft());
    down.setColorAt(0.0, kPanelTop);
    down.setColorAt(1.0, kPanelBottom);
    p.fillPath(shape, down);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPanelEdge, 0.35));
    p.drawPath(shape);
    p.setClipPath(shape);
    p.setPen(QPen(withAlpha(kMetalHighlight, 45), 0.5));
    p.drawPath(shape.translated(0, 0.4));
    p.restore();
}

// ---- front details ---------------------------------------------------------------------------

// The readout: a day's production curve, faint, as the display shows it while running.
void paintReadout(QPainter& p, const QRectF& r) {
    const QRectF area = r.adjusted(r.width() * 0.12, r.height() * 0.22, -r.width() * 0.12, -r.height() * 0.2);
    QPainterPath curve;
    constexpr int kPoints = 24;
    for (int i = 0; i <= kPoints; ++i) {
        const qreal t = static_cast<qreal>(i) / kPoints;
        const qreal y = area.bottom() - area.height() * std::pow(std::sin(t * std::numbers::pi), 2.0);
        const QPointF point(area.left() + t * area.width(), y);
        if (i == 0)
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    QPainterPath fill = curve;
    fill.lineTo(area.bottomRight());
    fill.lineTo(area.bottomLeft());
    fill.closeSubpath();
    QLinearGradient glow(area.topLeft(), area.bottomLeft());
    glow.setColorAt(0.0, withAlpha(kReadout, 90));
    glow.setColorAt(1.0, withAlpha(kReadout, 10));
    p.fillPath(fill, glow);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(kReadout, 220), 0.45, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve);
    p.setPen(QPen(withAlpha(kReadout, 110), 0.3));
    p.drawLine(area.bottomLeft(), area.bottomRight());
    p.restore();
}

void paintDisplay(QPainter& p, const QRectF& r) {
    const qreal radius = std::min(r.width(), r.height()) * 0.12;
    const QPainterPath glass = roundedBody(r, radius);
    QLinearGradient down(r.topLeft(), r.bottomLeft());
    down.setColorAt(0.0, kGlassTop);
    down.setColorAt(1.0, kGlassBottom);
    p.fillPath(glass, down);
    paintReadout(p, r);
    // A single diagonal glare over the upper left of the glass.
    QPainterPath glare;
    glare.moveTo(r.topLeft());
    glare.lineTo(r.left() + r.width() * 0.62, r.top());
    glare.lineTo(r.left() + r.width() * 0.38, r.bottom());
    glare.lineTo(r.bottomLeft());
    glare.closeSubpath();
    p.fillPath(glare.intersected(glass), withAlpha(kMetalHighlight, 22));
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPanelEdge, 0.4));
    p.drawPath(glass);
    p.restore();
}

void paintLed(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour, bool lit) {
    p.save();
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient halo(centre, radius * 2.6);
        halo.setColorAt(0.0, withAlpha(colour, 120));
        halo.setColorAt(1.0, withAlpha(colour, 0));
        p.setBrush(halo);
        p.drawEllipse(centre, radius * 2.6, radius * 2.6);
    }
    QRadialGradient lens(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    lens.setColorAt(0.0, lit ? kMetalHighlight : colour.lighter(135));
    lens.setColorAt(0.45, colour);
    lens.setColorAt(1.0, colour.darker(lit ? 130 : 170));
    p.setBrush(lens);
    p.setPen(QPen(kPanelEdge, 0.25));
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

// Run, communication and fault indicators; a running inverter shows only the first one lit.
void paintLeds(QPainter& p, const QPointF& first, const QPointF& step, qreal radius) {
    paintLed(p, first, radius, kLedGreen, true);
    paintLed(p, first + step, radius, kLedAmber, false);
    paintLed(p, first + 2 * step, radius, kLedRed, false);
}

// A row of indicators centred on `centre`, `spacing` apart.
void paintLedRow(QPainter& p, const QPointF& centre, qreal spacing, qreal radius) {
    paintLeds(p, centre - QPointF(spacing, 0), QPointF(spacing, 0), radius);
}

// Heat-sink fins seen edge-on: vertical ribs across `area`.
void paintVerticalFins(QPainter& p, const QRectF& area, int count) {
    const qreal pitch = area.width() / count;
    for (int i = 0; i < count; ++i) {
        const QRectF fin(area.left() + i * pitch + pitch * 0.18, area.top(), pitch * 0.64, area.height());
        QLinearGradient across(fin.topLeft(), fin.topRight());
        across.setColorAt(0.0, kFinLight);
        across.setColorAt(1.0, kFinDark);
        p.fillPath(roundedBody(fin, pitch * 0.3), across);
    }
}

// Fins running horizontally, seen from the front as a stack of ribs.
void paintHorizontalFins(QPainter& p, const QRectF& area, int count) {
    const qreal pitch = area.height() / count;
    for (int i = 0; i < count; ++i) {
        const QRectF fin(area.left(), area.top() + i * pitch + pitch * 0.25, area.width(), pitch * 0.5);
        QLinearGradient down(fin.topLeft(), fin.bottomLeft());
        down.setColorAt(0.0, kFinLight);
        down.setColorAt(1.0, kFinDark);
        p.fillPath(roundedBody(fin, pitch * 0.12), down);
    }
}

// Recessed slots pressed into the housing (vents, grooves).
void paintSlots(QPainter& p, const QRectF& area, int count, Qt::Orientation orientation) {
    const bool vertical = orientation == Qt::Vertical;
    const qreal pitch = (vertical ? area.width() : area.height()) / count;
    const qreal thickness = pitch * 0.42;
    p.save();
    for (int i = 0; i < count; ++i) {
        const qreal offset = i * pitch + (pitch - thickness) / 2;
        const QRectF slot = vertical ? QRectF(area.left() + offset, area.top(), thickness, area.height())
                                     : QRectF(area.left(), area.top() + offset, area.width(), thickness);
        const QPainterPath path = roundedBody(slot, thickness / 2);
        p.fillPath(path, withAlpha(kShadow, 70));
        p.setClipPath(path);
        p.setPen(QPen(withAlpha(kMetalHighlight, 170), 0.35));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path.translated(0, 0.3));
        p.setClipping(false);
    }
    p.restore();
}

// Rotary DC isolator: a round base with a bar grip.
void paintDcSwitch(QPainter& p, const QPointF& centre, qreal radius) {
    p.save();
    QRadialGradient base(centre - QPointF(radius * 0.3, radius * 0.4), radius * 1.4);
    base.setColorAt(0.0, kRubberLight);
    base.setColorAt(1.0, kRubber);
    p.setBrush(base);
    p.setPen(QPen(kPanelEdge, 0.3));
    p.drawEllipse(centre, radius, radius);
    p.translate(centre);
    p.rotate(-45);
    const QRectF grip(-radius * 0.95, -radius * 0.28, radius * 1.9, radius * 0.56);
    QLinearGradient shade(grip.topLeft(), grip.bottomLeft());
    shade.setColorAt(0.0, kGraphiteLight);
    shade.setColorAt(1.0, kRubber);
    p.setBrush(shade);
    p.drawRoundedRect(grip, radius * 0.25, radius * 0.25);
    p.setPen(QPen(withAlpha(kMetalHighlight, 190), 0.45, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(radius * 0.45, 0), QPointF(radius * 0.8, 0));
    p.restore();
}

// ---- bottom edge -----------------------------------------------------------------------------

constexpr qreal kConnectorWidth = 2.2;
constexpr qreal kConnectorLength = 6.5;

// One plug-in DC connector hanging from the underside at `top`: sleeve, locking collar, narrower nose.
void paintDcConnector(QPainter& p, const QPointF& top) {
    const qreal w = kConnectorWidth;
    const QRectF sleeve(top.x() - w / 2, top.y() - 1, w, kConnectorLength - 0.4);
    const QRectF nose(top.x() - w * 0.32, sleeve.bottom() - 1, w * 0.64, 1.4 + 0.4);
    const QRectF collar(sleeve.left() - 0.3, top.y() + 1.3, w + 0.6, 1.4);
    QLinearGradient across(collar.topLeft(), collar.topRight());
    across.setColorAt(0.0, kRubberLight);
    across.setColorAt(0.3, kRubber.lighter(160));
    across.setColorAt(1.0, kRubber);
    p.save();
    p.setPen(QPen(kPanelEdge, 0.22));
    p.setBrush(across);
    p.drawRoundedRect(nose, 0.3, 0.3);
    p.drawRoundedRect(sleeve, 0.6, 0.6);
    p.drawRoundedRect(collar, 0.4, 0.4);
    p.restore();
}

// DC inputs in pairs (plus and minus) starting at `firstX`; pairs sit a little further apart.
void paintDcInputs(QPainter& p, qreal firstX, qreal bottom, int pairs) {
    constexpr qreal kInPair = 3.5;
    constexpr qreal kBetweenPairs = 5.0;
    qreal x = firstX;
    for (int i = 0; i < pairs; ++i) {
        paintDcConnector(p, QPointF(x, bottom));
        paintDcConnector(p, QPointF(x + kInPair, bottom));
        x += kInPair + kBetweenPairs;
    }
}

// The AC cable gland: a hex nut and the cable leaving it.
void paintAcGland(QPainter& p, qreal centreX, qreal bottom, qreal width) {
    const qreal nutHeight = width * 0.45;
    const QRectF nut(centreX - width / 2, bottom - 0.8, width, nutHeight + 0.8);
    const QRectF cable(centreX - width * 0.3, nut.bottom() - 0.3, width * 0.6, width * 0.55);
    p.save();
    p.setPen(QPen(kPanelEdge, 0.25));
    QLinearGradient cableShade(cable.topLeft(), cable.topRight());
    cableShade.setColorAt(0.0, kRubberLight);
    cableShade.setColorAt(1.0, kRubber);
    p.setBrush(cableShade);
    p.drawRoundedRect(cable, 0.5, 0.5);
    QLinearGradient nutShade(nut.topLeft(), nut.topRight());
    nutShade.setColorAt(0.0, kGland.lighter(125));
    nutShade.setColorAt(0.5, kGland);
    nutShade.setColorAt(1.0, kGland.darker(135));
    p.setBrush(nutShade);
    p.drawRoundedRect(nut, 0.5, 0.5);
    p.setPen(QPen(withAlpha(kPanelEdge, 110), 0.25));
    p.drawLine(QPointF(nut.left() + width * 0.28, nut.top() + 0.9),
               QPointF(nut.left() + width * 0.28, nut.bottom()));
    p.drawLine(QPointF(nut.right() - width * 0.28, nut.top() + 0.9),
               QPointF(nut.right() - width * 0.28, nut.bottom()));
    p.restore();
}

// ---- the seven shapes ------------------------------------------------------------------------

// Single-phase wall unit: wide squarish housing, dark fascia band with display and indicators.
void paintG1(QPainter& p, const QString& model) {
    const QRectF r(10, 5, 65, 63);
    const QPainterPath body = roundedBody(r, 6);
    paintShadow(p, body);
    paintDcInputs(p, 20, r.bottom(), 1);
    paintAcGland(p, 62, r.bottom(), 6);
    paintHousing(p, body);
    paintBrand(p, QRectF(30, 8.5, 25, 6), kAccent);
    paintPanel(p, QRectF(16, 17, 53, 29), 3.5);
    paintDisplay(p, QRectF(21, 20.5, 43, 15.5));
    paintLedRow(p, QPointF(42.5, 41), 5, 1.1);
    paintModelName(p, QRectF(16, 50, 53, 9), model, kTextDark);
}

// Small single-phase housing: tall and narrow with a domed top and a vent grille below the name.
void paintG2(QPainter& p, const QString& model) {
    const QRectF r(12, 5, 46, 101);
    const QPainterPath body = domedBody(r, 12, 5);
    paintShadow(p, body);
    paintDcInputs(p, 21, r.bottom(), 1);
    paintAcGland(p, 46, r.bottom(), 6);
    paintHousing(p, body);
    paintBrand(p, QRectF(23, 11, 24, 6), kAccent);
    paintPanel(p, QRectF(18, 21, 34, 40), 4);
    paintDisplay(p, QRectF(21.5, 25, 27, 18));
    paintLedRow(p, QPointF(35, 52), 6, 1.25);
    paintModelName(p, QRectF(15, 67, 40, 9), model, kTextDark);
    paintSlots(p, QRectF(20, 83, 30, 15), 5, Qt::Horizontal);
}

// Compact single-phase family: light upper cover over a graphite base, round status ring.
void paintStatusRing(QPainter& p, const QPointF& centre, qreal radius) {
    p.save();
    QLinearGradient bezel(centre - QPointF(0, radius), centre + QPointF(0, radius));
    bezel.setColorAt(0.0, kMetalHighlight);
    bezel.setColorAt(1.0, kMetalDark);
    p.setPen(QPen(kOutline, 0.35));
    p.setBrush(bezel);
    p.drawEllipse(centre, radius, radius);
    QRadialGradient glass(centre - QPointF(radius * 0.3, radius * 0.35), radius);
    glass.setColorAt(0.0, kGlassTop);
    glass.setColorAt(1.0, kGlassBottom);
    p.setBrush(glass);
    p.setPen(QPen(kPanelEdge, 0.35));
    p.drawEllipse(centre, radius * 0.8, radius * 0.8);
    const qreal arc = radius * 0.6;
    const QRectF arcBox(centre.x() - arc, centre.y() - arc, 2 * arc, 2 * arc);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(kAccentLight, 70), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(arcBox, 225 * 16, -270 * 16);
    p.setPen(QPen(kAccentLight, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(arcBox, 225 * 16, -270 * 16);
    p.restore();
}

void paintG3(QPainter& p, const QString& model) {
    const QRectF r(12, 5, 61, 101);
    const QPainterPath body = roundedBody(r, 7);
    paintShadow(p, body);
    paintDcInputs(p, 21, r.bottom(), 1);
    paintAcGland(p, 61, r.bottom(), 6.5);
    paintMetal(p, body);
    QPainterPath below;
    below.moveTo(r.left() - 1, 80);
    below.cubicTo(30, 74, 55, 72, r.right() + 1, 70);
    below.lineTo(r.right() + 1, r.bottom() + 1);
    below.lineTo(r.left() - 1, r.bottom() + 1);
    below.closeSubpath();
    paintGraphite(p, body.intersected(below));
    paintRim(p, body);
    paintBrand(p, QRectF(30, 11, 25, 6), kAccent);
    paintStatusRing(p, QPointF(42.5, 36), 13.5);
    paintModelName(p, QRectF(18, 56, 49, 9.5), model, kTextDark);
    paintLedRow(p, QPointF(42.5, 91), 6, 1.25);
}

// Three-phase, two DC inputs: narrow housing between side heat sinks, DC isolator on the front.
void paintG4(QPainter& p, const QString& model) {
    const QRectF r(11, 5, 38, 62);
    const QRectF sinks(6.5, 9, 47, 54);
    const QPainterPath body = roundedBody(r, 4.5);
    paintShadow(p, roundedBody(sinks, 1).united(body));
    paintDcInputs(p, 14.5, r.bottom(), 2);
    paintAcGland(p, 41.5, r.bottom(), 5.5);
    paintVerticalFins(p, QRectF(sinks.left(), sinks.top(), 5, sinks.height()), 3);
    paintVerticalFins(p, QRectF(sinks.right() - 5, sinks.top(), 5, sinks.height()), 3);
    paintHousing(p, body);
    paintBrand(p, QRectF(19, 8, 22, 5.5), kAccent);
    paintPanel(p, QRectF(14.5, 15, 31, 23), 3);
    paintDisplay(p, QRectF(17.5, 17.5, 25, 12.5));
    paintLedRow(p, QPointF(30, 34), 4.5, 1);
    paintModelName(p, QRectF(11.5, 40.5, 37, 8.5), model, kTextDark);
    paintDcSwitch(p, QPointF(30, 57), 4.2);
}

// Side grips of the large housing, pressed into the flanks.
void paintGrips(QPainter& p, const QRectF& body, qreal top, qreal height) {
    for (const qreal x : {body.left() - 1.6, body.right() - 0.4}) {
        const QRectF grip(x, top, 2, height);
        QLinearGradient across(grip.topLeft(), grip.topRight());
        across.setColorAt(0.0, kRubberLight);
        across.setColorAt(1.0, kRubber);
        p.save();
        p.setPen(QPen(kPanelEdge, 0.25));
        p.setBrush(across);
        p.drawRoundedRect(grip, 0.9, 0.9);
        p.restore();
    }
}

// Large three-phase unit: broad housing under a finned heat-sink crown, grips on the flanks.
void paintG5(QPainter& p, const QString& model) {
    const QRectF r(8, 10, 54, 64);
    const QRectF crown(10, 4.5, 50, 7);
    const QPainterPath body = roundedBody(r, 4);
    paintShadow(p, body.united(roundedBody(crown, 1.5)));
    paintDcInputs(p, 12.5, r.bottom(), 3);
    paintAcGland(p, 53, r.bottom(), 7);
    paintVerticalFins(p, crown, 14);
    paintGrips(p, r, 28, 16);
    paintHousing(p, body);
    paintPanel(p, QRectF(13, 15, 44, 27), 3);
    paintDisplay(p, QRectF(16.5, 18.5, 27, 15));
    paintLeds(p, QPointF(50, 21), QPointF(0, 5), 1.1);
    paintBrand(p, QRectF(16.5, 35.5, 17, 4.5), kTextLight);
    paintModelName(p, QRectF(13, 46, 44, 8.5), model, kTextDark);
    paintSlots(p, QRectF(14, 59, 24, 10), 4, Qt::Horizontal);
    paintDcSwitch(p, QPointF(50, 64), 4.6);
}

// Second three-phase family: metal top over a graphite base cut on a diagonal, ribbed flanks.
void paintG6(QPainter& p, const QString& model) {
    const QRectF r(10, 5, 58, 69);
    const QPainterPath body = roundedBody(r, 5);
    paintShadow(p, body);
    paintDcInputs(p, 16, r.bottom(), 2);
    paintAcGland(p, 56, r.bottom(), 6.5);
    paintHorizontalFins(p, QRectF(6.5, 11, 5, 52), 13);
    paintHorizontalFins(p, QRectF(66.5, 11, 5, 52), 13);
    paintMetal(p, body);
    QPainterPath below;
    below.moveTo(r.left() - 1, 60);
    below.lineTo(r.right() + 1, 47);
    below.lineTo(r.right() + 1, r.bottom() + 1);
    below.lineTo(r.left() - 1, r.bottom() + 1);
    below.closeSubpath();
    paintGraphite(p, body.intersected(below));
    paintRim(p, body);
    paintBrand(p, QRectF(27, 8.5, 24, 6), kAccent);
    paintDisplay(p, QRectF(21, 17, 36, 16));
    paintLedRow(p, QPointF(39, 37.5), 5, 1.1);
    paintModelName(p, QRectF(17, 40.5, 44, 8.5), model, kTextDark);
    paintDcSwitch(p, QPointF(21, 65), 4.2);
}

// Three-phase single-input unit: tall slim housing with a ribbed lower front.
void paintNone(QPainter& p, const QString& model) {
    const QRectF r(13, 5, 43, 105);
    const QPainterPath body = roundedBody(r, 5.5);
    paintShadow(p, body);
    paintDcInputs(p, 20, r.bottom(), 1);
    paintAcGland(p, 46, r.bottom(), 6);
    paintHousing(p, body);
    paintBrand(p, QRectF(22.5, 10, 24, 6), kAccent);
    paintPanel(p, QRectF(18, 20, 33, 33), 3.5);
    paintDisplay(p, QRectF(21, 23, 27, 17));
    paintLedRow(p, QPointF(34.5, 47), 5.5, 1.15);
    paintModelName(p, QRectF(16, 58, 37, 9), model, kTextDark);
    paintSlots(p, QRectF(19, 72, 31, 32), 7, Qt::Vertical);
}

struct GroupArt {
    const char* name;
    QSize box;
    void (*paint)(QPainter&, const QString&);
};

const GroupArt kGroups[] = {
    {"G1", QSize(85, 80), paintG1},      {"G2", QSize(70, 120), paintG2}, {"G3", QSize(85, 120), paintG3},
    {"G4", QSize(60, 80), paintG4},      {"G5", QSize(70, 90), paintG5},  {"G6", QSize(78, 90), paintG6},
    {"none", QSize(69, 123), paintNone},
};

const GroupArt& groupArt(const QString& group) {
    for (const GroupArt& art : kGroups)
        if (group == QLatin1String(art.name))
            return art;
    throw std::invalid_argument("unknown inverter picture group \"" + group.toStdString() + '"');
}

} // namespace

QSize inverterPictureSize(const QString& group) {
    return groupArt(group).box * kScale;
}

QByteArray renderInverterJpeg(const QString& model, const QString& group) {
    const GroupArt& art = groupArt(group);
    QImage image(art.box * kScale, QImage::Format_RGB32);
    image.fill(kBackground);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        p.scale(kScale, kScale);
        art.paint(p, model);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode inverter picture: " + writer.errorString().toStdString());
    return bytes;
}

} // namespace tarvel::tools
