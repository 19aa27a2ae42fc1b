#include "report/bar_chart.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarvel::report {

QImage barChart(const std::vector<double>& values, const QStringList& labels, const QStringList& valueTexts,
                const QSizeF& sizeMm, double dpi, int fontPixelSize) {
    const double pxPerMm = dpi / 25.4;
    QImage image(qRound(sizeMm.width() * pxPerMm), qRound(sizeMm.height() * pxPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (values.empty())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, qRound(fontPixelSize * dpi / 96.0)));
    painter.setFont(font);
    const double textHeight = painter.fontMetrics().height();

    const double highest = std::max(0.0, *std::max_element(values.begin(), values.end()));
    const double lowest = std::min(0.0, *std::min_element(values.begin(), values.end()));
    const double span = highest - lowest > 0 ? highest - lowest : 1.0;
    // Room for the value texts above and below the bars, and for the labels at the foot.
    const QRectF plot(0, textHeight * 1.2, image.width(), image.height() - textHeight * 3.6);
    const double zeroY = plot.top() + plot.height() * highest / span;
    const double slot = plot.width() / static_cast<double>(values.size());
    const QColor bar(0x2f, 0x8f, 0x9d);

    for (std::size_t i = 0; i < values.size(); ++i) {
        const double left = slot * static_cast<double>(i);
        const double height = plot.height() * values[i] / span;
        const QRectF barRect(left + slot * 0.15, std::min(zeroY, zeroY - height), slot * 0.7, std::abs(height));
        painter.fillRect(barRect, bar);
        painter.setPen(Qt::black);
        const int index = static_cast<int>(i);
        if (index < valueTexts.size()) {
            const double y = values[i] >= 0 ? barRect.top() - textHeight : barRect.bottom();
            painter.drawText(QRectF(left, y, slot, textHeight), Qt::AlignCenter, valueTexts[index]);
        }
        if (index < labels.size())
            painter.drawText(QRectF(left, image.height() - textHeight * 1.2, slot, textHeight * 1.2), Qt::AlignCenter,
                             labels[index]);
    }
    painter.setPen(QPen(Qt::darkGray, std::max(1.0, dpi / 150)));
    painter.drawLine(QPointF(0, zeroY), QPointF(image.width(), zeroY));
    return image;
}

} // namespace tarvel::report
