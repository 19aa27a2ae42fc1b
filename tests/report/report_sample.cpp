#include "report_sample.h"

#include <algorithm>
#include <cmath>

namespace tarvel::test {

using report::ReportTemplate;

ReportTemplate shippedReport() {
    return ReportTemplate::load(QStringLiteral(":/report/TarvelReport.json"));
}

// The captions keep the template's design-time texts; the program sets the same words.
ReportTemplate sampleReport() {
    ReportTemplate r = shippedReport();
    const std::pair<const char*, const char*> texts[] = {
        {"PRO_DES_UNIT_Val", "Harbour Road Solar Cooperative"},
        {"PRO_DES_PER_Val", "M. Lindqvist"},
        {"PRO_DES_Val", "Lisbon, Portugal"},
        {"PRO_TEMPER_Val", "25"},
        {"Tilt_Val", "30"},
        {"Azimuth_Val", "0"},
        {"KW_Val", "12.96"},
        {"NUM_Val", "48"},
        {"M2_Val", "78.2"},
        {"IVT_KIND", "Moudle type: KT10000-TL"},
        {"ivt_mdc_v", "10.5"},
        {"ivt_mac_v", "10"},
        {"ivt_rated_v", "123.4%"},
        {"ivt_e_v", "97.8%"},
        {"ivt_yearkw_v", "18342"},
        {"ivt_e_e_v", "97.3%"},
        {"ivt_m_e_v", "98.1%"},
        {"ivt_v_v", "310~480"},
        {"ivt_hz_v", "47.5~51.5"},
        {"ivt_ipv_v", "IP65"},
        {"Design_Temp", "-10C~~~70C"},
        {"Infomation",
         "The results of this design are calculated from the data of the modules and inverters in the "
         "catalog and from long-term average weather data. Actual yields depend on the weather of each "
         "year, shading, soiling and the condition of the plant.\r\nCheck the design against the "
         "installation rules of your country before building the plant."},
    };
    for (const auto& [name, text] : texts)
        r.setText(QString::fromLatin1(name), QString::fromLatin1(text));
    for (const char* letter : {"a", "b", "c"}) {
        const QString input = QString::fromLatin1(letter);
        const QString upper = input.toUpper();
        r.setText(QStringLiteral("pvm_%1_name").arg(input), QStringLiteral("Northwind Solar"));
        r.setText(QStringLiteral("pvm_%1_info").arg(input), QStringLiteral("NW-270P-60"));
        r.setText(QStringLiteral("pvm_%1_v").arg(input), QStringLiteral("31.2V"));
        r.setText(QStringLiteral("pvm_%1_i").arg(input), QStringLiteral("8.66A"));
        r.setText(QStringLiteral("pvm_%1_kw").arg(input), QStringLiteral("270W"));
        r.setText(QStringLiteral("%1_String_v").arg(upper), QStringLiteral("2"));
        r.setText(QStringLiteral("%1_Shunt_V").arg(upper), QStringLiteral("8"));
    }
    return r;
}

QRect objectRectPx(const report::ReportObject& object, double dpi) {
    const double pxPerMm = dpi / 25.4;
    const QRectF mm = object.rectMm.translated(kMarginMm, kMarginMm);
    return QRect(QPoint(int(std::floor(mm.left() * pxPerMm)), int(std::floor(mm.top() * pxPerMm))),
                 QPoint(int(std::ceil(mm.right() * pxPerMm)), int(std::ceil(mm.bottom() * pxPerMm))));
}

QRect boundsOf(const QImage& image, const std::function<bool(QRgb)>& match) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int countOf(const QImage& image, const std::function<bool(QRgb)>& match) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += match(image.pixel(x, y)) ? 1 : 0;
    return count;
}

QRect differenceOf(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.rect() | b.rect();
    QRect bounds;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))}) > 12)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

} // namespace tarvel::test
