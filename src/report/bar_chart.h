#pragma once

#include <QImage>
#include <QSizeF>
#include <QStringList>

#include <vector>

namespace tarvel::report {

// A plain bar chart for a report page: one bar a value, its label below and its value above, a base
// line at zero (negative values hang below it). `sizeMm` at `dpi` gives the image's pixels; the
// labels are drawn at `fontPixelSize` pixels of a 96 dpi screen, as report texts are sized.
QImage barChart(const std::vector<double>& values, const QStringList& labels, const QStringList& valueTexts,
                const QSizeF& sizeMm, double dpi = 300, int fontPixelSize = 9);

} // namespace tarvel::report
