#pragma once

#include <QSize>
#include <QString>

namespace tarvel::tools {

// Renders the SVG file stretched over `size` pixels and writes it as a 24-bit BMP file. BMP has no
// alpha, so whatever the SVG leaves transparent comes out white. The same inputs give the same bytes.
// Needs a QGuiApplication; an offscreen one is enough. On failure returns false and, when `error` is
// given, says why (missing file, unreadable SVG, empty size, file not writable).
bool renderSvgToBmp(const QString& svgPath, const QString& bmpPath, QSize size, QString* error);

// The same as a PNG file that keeps the SVG's transparency (icons are drawn on any background).
bool renderSvgToPng(const QString& svgPath, const QString& pngPath, QSize size, QString* error);

} // namespace tarvel::tools
