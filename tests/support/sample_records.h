#pragma once

#include "design/catalog_records.h"

namespace tarvel::test {

// A plausible polycrystalline module of the given maker, type and power, for tests that fill catalogs.
inline TPanelInfo sampleModule(const QString& maker, const QString& type, double power = 250) {
    TPanelInfo m;
    m.product_name = maker;
    m.strings_type = type;
    m.power = power;
    m.MPP_V = 30.5;
    m.mpp_i = 8.2;
    m.kailu_V = 37.5;
    m.duanlu_i = 8.5;
    m.panel_maxv = 1000;
    m.efficient = 15.3;
    m.area = 1.63;
    m.material = QStringLiteral("POLY");
    m.kailu_kx = -0.34;
    m.duanlu_dx = 0.05;
    m.mpp_mx = -150;
    m.i_mx = 4.1;
    return m;
}

} // namespace tarvel::test
