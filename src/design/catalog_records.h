#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// One row of each catalog table as the program holds it. They live with the design records because the
// design session embeds them (the chosen module of each string input, the chosen inverter); the catalog
// library fills them.

namespace tarvel {

// Twelve monthly values, January to December.
using MonthTable = std::array<double, 12>;

// One location of `country_info`.
struct TCountryInfo {
    QString country;
    QString city;
    double Latitude = 0.0;  // degrees, north positive
    double Longitude = 0.0; // degrees, east positive; stored, never read
    double height = 0.0;    // altitude in m; written as a number, read back as an integer
    MonthTable months{};    // Jan .. Dec0: 24-hour mean irradiance of each month, W/m2
    double Year0 = 0.0;     // yearly mean irradiance, W/m2; stored, never read
};

// What the location query yields for one location.
struct TLocationRow {
    int height = 0;         // m
    double latitude = 0.0;  // degrees
    MonthTable radiation{}; // jan .. dec0, W/m2
};

// One PV module type of `panel_info`.
struct TPanelInfo {
    QString product_name;    // manufacturer
    QString strings_type;    // module type
    double power = 0.0;      // peak power, W
    double MPP_V = 0.0;      // MPP voltage, V
    double mpp_i = 0.0;      // MPP current, A
    double kailu_V = 0.0;    // open-circuit voltage, V
    double duanlu_i = 0.0;   // short-circuit current, A
    double panel_maxv = 0.0; // allowed system voltage, V; stored, never read
    double efficient = 0.0;  // efficiency, %; stored, never read
    double area = 0.0;       // module area, m2
    QString material;        // cell material; stored, never read
    double kailu_kx = 0.0;   // temperature coefficient of the open-circuit voltage, %/K
    double duanlu_dx = 0.0;  // temperature coefficient of the short-circuit current, %/K; never read
    double mpp_mx = 0.0;     // temperature coefficient of the MPP voltage of one module, mV/K
    double i_mx = 0.0;       // temperature coefficient of the MPP current, mA/K; never read
};

// One inverter model of `inverter_info`. Every column is kept as the text the catalog holds, because
// the data sheet shows most of them unchanged ("1.20" stays "1.20"); the numeric ones are converted
// where they are used.
struct TInverterInfo {
    QString inverter_type;      // model name
    QString work_temp;          // allowed ambient temperature
    QString protect_grade;      // protection type
    QString noise_grade;        // noise level, dB
    QString pinterface;         // communication interfaces
    QString geli_type;          // isolation type
    QString ssize;              // dimensions, mm*mm*mm
    QString weight;             // weight, kg
    QString power_erding;       // peak DC power, kW; stored, never read
    QString power_DC_MAX;       // number: maximum PV-generator power, kW
    QString max_v;              // number: maximum DC voltage, V
    QString MPP_min;            // number: minimum MPP voltage, V
    QString mpp_range;          // MPPT voltage range, V
    QString input_maxI;         // number: maximum DC input current, A
    QString wire_type;          // wiring connection type
    QString output_ACpower;     // rated AC power, kW
    QString output_ACpower_max; // number: maximum AC power, kW
    QString range_v;            // grid voltage range, V
    QString range_hz;           // grid frequency range, Hz
    QString zongxiebo;          // harmonic distortion at rated output
    QString factor_power;       // power factor
    QString xiaolv_max;         // maximum efficiency as a percentage text ("94.7%")
    QString xiaolv_ouzhou;      // European efficiency as a percentage text
    QString xiaolv_erding;      // number: European efficiency as a fraction
    QString xiaolv_zuida;       // number: maximum efficiency as a fraction
    QByteArray pic;             // complete JPEG file bytes; null when the catalog has no picture
    int idx = 0;                // sort key of the inverter list
};

} // namespace tarvel
