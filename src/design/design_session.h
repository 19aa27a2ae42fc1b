#pragma once

#include "design/design_records.h"

#include <QString>

#include <array>

namespace tarvel {

// The string inputs in the order every per-input table of the session uses.
enum class InputId { A = 0, B = 1, C = 2 };
inline constexpr std::array<InputId, 3> kAllInputs{InputId::A, InputId::B, InputId::C};

// The whole design held by the main window for the program's run. Default values are those of a new
// session; several results exist only as the texts of the labels that show them and are not held here.
struct TDesignSession {
    // Location
    QString Country;
    QString City;
    int Height = 0;                // m
    double Latitude = 0.0;         // degrees
    MonthTable MonthlyRadiation{}; // the catalog's monthly values

    // Climate and orientation
    MonthTable MonthlyTemperature{}; // degrees C
    int OptimalTilt = 0;             // degrees, 0..90
    int Tilt = 0;                    // degrees, the roof pitch in use
    int Azimuth = 0;                 // degrees
    MonthTable MonthlyYield{};       // kWh per kWp
    double SpecificYield = 0.0;      // kWh per kWp and year

    // Design inputs, held as the texts of their fields
    QString MaxModuleTemp = QStringLiteral("70");  // degrees C
    QString MinModuleTemp = QStringLiteral("-10"); // degrees C
    QString DesignTemp = QStringLiteral("50");     // degrees C
    QString DesignUnit;
    QString Designer;

    // Inverter
    TInverterInfo Inverter;
    double InverterMaxCurrent = 0.0;     // A
    double InverterMaxVoltage = 0.0;     // V
    double InverterMinMppVoltage = 0.0;  // V
    double InverterMaxDcPower = 0.0;     // W
    double InverterEuroEfficiency = 0.0; // fraction
    double InverterMaxAcPower = 0.0;     // kW
    double InverterEfficiency = 0.0;     // fraction

    // String inputs
    TStringInput InputA;
    TStringInput InputB;
    TStringInput InputC;
    int TotalModules = 0;
    double AcPowerSum = 0.0; // W, AcShare of A + B + C

    // Generator summary
    double TotalPower = 0.0; // W
    double TotalArea = 0.0;  // m2
    double PowerRatio = 0.0; // %

    // Cabling
    TCableRun DcCableA;
    TCableRun DcCableB;
    TCableRun DcCableC;
    TCableRun AcCable;

    // Energy, one value per input A, B, C
    std::array<double, 3> CorrectedYield{}; // kWh per kWp and year
    std::array<double, 3> InputEnergy{};    // kWh per year
    double YearlyEnergy = 0.0;              // kWh per year, after the inverter

    TStringInput& input(InputId id) { return id == InputId::A ? InputA : id == InputId::B ? InputB : InputC; }
    const TStringInput& input(InputId id) const {
        return id == InputId::A ? InputA : id == InputId::B ? InputB : InputC;
    }
    TCableRun& dcCable(InputId id) {
        return id == InputId::A ? DcCableA : id == InputId::B ? DcCableB : DcCableC;
    }
};

// A chooser counts as having nothing chosen when its text is empty or equals its prompt.
inline bool nothingChosen(const QString& chooserText, const QString& prompt) {
    return chooserText.isEmpty() || chooserText == prompt;
}

} // namespace tarvel
