#pragma once

#include "report/report_template.h"

#include <QImage>

#include <functional>

namespace tarvel::test {

// The shipped template, read from the program's resources.
report::ReportTemplate shippedReport();

// The shipped template filled the way the program fills it for a three-input design, the long
// disclaimer included.
report::ReportTemplate sampleReport();

// Page geometry of the shipped template, for tests that look at rendered pixels.
constexpr double kMarginMm = 10;
QRect objectRectPx(const report::ReportObject& object, double dpi);

// The bounding box of the pixels of `image` that `match` accepts; empty when there are none.
QRect boundsOf(const QImage& image, const std::function<bool(QRgb)>& match);
int countOf(const QImage& image, const std::function<bool(QRgb)>& match);
// The pixels where two renderings differ by more than the few levels of grey that the first use of
// a glyph may differ in from later ones.
QRect differenceOf(const QImage& a, const QImage& b);

} // namespace tarvel::test
