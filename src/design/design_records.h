#pragma once

#include "design/catalog_records.h"

#include <QString>

#include <array>

namespace tarvel {

// The state of one status icon; icons 0 to 2 of the main window's image list draw the last three.
enum TCheckMark { cmNone, cmOk, cmWarning, cmDanger };

// Resistivities of the two conductor materials.
inline constexpr double kCopperResistivityOhmM = 1.7e-8;
inline constexpr double kAluminiumResistivityOhmM = 2.78e-8;

// The counts of a string input. Within them every product and sum of counts stays far inside int.
inline constexpr int kMaxStrings = 600;
inline constexpr int kMaxModulesPerString = 200;

// One string input (A, B or C): strings in parallel of modules in series.
struct TStringInput {
    QString Maker;                     // text of the maker chooser (panel_info.product_name)
    QString ModuleType;                // text of the type chooser; empty or the prompt: no type chosen
    int Strings = 0;                   // strings in parallel, 0..600
    int ModulesPerString = 0;          // modules in series per string, 0..200
    int ModuleCount = 0;               // Strings x ModulesPerString, at most 120000
    TPanelInfo Module;                 // values last read for the chosen module; kept when the input empties
    double StringPower = 0.0;          // W; 0 while the input is not in use
    double MaxCurrent = 0.0;           // A, Strings x duanlu_i
    double Kailu25 = 0.0;              // V, open-circuit voltage of one string at 25 C
    double Kailu10 = 0.0;              // V, open-circuit voltage of one string at -10 C
    double Mpp25 = 0.0;                // V, MPP voltage of one string at 25 C
    double Mpp15 = 0.0;                // V, at 15 C
    double Mpp50 = 0.0;                // V, at 50 C
    double Mpp70 = 0.0;                // V, at 70 C; also the voltage of the input's DC cable run
    double AcShare = 0.0;              // W, Mpp70 x duanlu_i x Strings; the input's share of the AC power
    double YieldCoefficient = 0.0;     // %/K, the module's kailu_kx as handed to the yearly energy
    std::array<TCheckMark, 6> Marks{}; // the six status icons of the input's checks
};

// One cable run: DC A, DC B, DC C or AC. The resistance is that of one conductor of the given length.
struct TCableRun {
    QString Material = QStringLiteral("Cu");     // "Cu" or "Al"
    double Resistivity = kCopperResistivityOhmM; // ohm m
    double Length = 1.0;                         // m, length of a single cable, 1..10000
    double CrossSection = 1.5;                   // mm2
    double Zukang = 0.0;                         // ohm, resistance of the cable
    double Current = 0.0;                        // A
    double LineV = 0.0;                          // V, voltage drop
    double PowerLoss = 0.0;                      // W
    double PowerLossRate = 0.0;                  // %, of the run's reference power
    TCheckMark Mark = cmNone;
};

} // namespace tarvel
