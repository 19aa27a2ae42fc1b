#include "asset_builder/svg_bitmap.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

namespace tarvel::tools {
namespace {

// 96 dpi. Written into the BMP header; fixed so the bytes do not depend on the screen of the build machine.
constexpr int kDotsPerMeter = 3780;

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

// RGB32 without alpha on white for a BMP (Qt's BMP writer stores it as 24 bits per pixel); ARGB on
// transparent for a PNG.
QImage paintSvg(QSvgRenderer& renderer, QSize size, bool keepTransparency) {
    QImage image(size, keepTransparency ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(keepTransparency ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool renderSvg(const QString& svgPath, const QString& outPath, const char* format, QSize size,
               QString* error) {
    if (size.isEmpty())
        return fail(error, QStringLiteral("the picture size must be at least 1x1 pixel"));
    if (!QFileInfo::exists(svgPath))
        return fail(error, QStringLiteral("%1: no such file").arg(svgPath));
    QSvgRenderer renderer;
    if (!renderer.load(svgPath) || !renderer.isValid())
        return fail(error, QStringLiteral("%1: not a readable SVG image").arg(svgPath));
    QImageWriter writer(outPath, format);
    if (!writer.write(paintSvg(renderer, size, qstrcmp(format, "png") == 0)))
        return fail(error, QStringLiteral("%1: cannot write (%2)").arg(outPath, writer.errorString()));
    return true;
}

} // namespace

bool renderSvgToBmp(const QString& svgPath, const QString& bmpPath, QSize size, QString* error) {
    return renderSvg(svgPath, bmpPath, "bmp", size, error);
}

bool renderSvgToPng(const QString& svgPath, const QString& pngPath, QSize size, QString* error) {
    return renderSvg(svgPath, pngPath, "png", size, error);
}

} // namespace tarvel::tools
