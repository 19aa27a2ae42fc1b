#pragma once

#include "design/cable_losses.h"
#include "design/design_checks.h"
#include "design/layout_search.h"
#include "design/site_checks.h"
#include "design/string_sizing.h"

#include <QString>

// How checks, limits and layouts read, in the interface language: the site checks and the selection
// assistant, and the tooltips that give the numbers behind the main window's status icons. Numbers
// are written as the labels write them (number_format.h).

namespace tarvel::texts {

// A temperature in degrees C, with a true minus sign ("−10").
QString temperature(int celsius);
// "7–22".
QString countRange(int low, int high);

// One site check in full: "Open-circuit voltage at −10 °C: 663.21 V ≤ 1000 V (inverter maximum)",
// or that it was not checked and why.
QString siteCheckLine(const site::Check& check, const site::InverterRating& inverter);
// The short reason of a failing site check: "Voc at −25 °C 1035.00 V > 1000 V".
QString siteCheckReason(const site::Check& check);
// The allowed modules per string: "7–22 (MPP up to 21)", or that no length fits.
QString limitsRange(const site::Limits& limits);
// Each bound with the numbers that set it, one a line.
QString limitsDetails(const site::Limits& limits);

// "A 2 × 16, B 1 × 12".
QString layoutText(const selection::Layout& layout);
QString verdictText(selection::Verdict verdict);
// One reason of an inverter's verdict, with its numbers.
QString findingText(selection::Finding finding, const selection::InverterResult& result);
// Parts of a text in one line, separated as the language separates the items of a list.
QString joined(const QStringList& parts);
// The verdict and its reasons in one line.
QString verdictLine(const selection::InverterResult& result);

// The numbers behind the six check icons of a string input, in check order (current, open-circuit
// voltage at 25 and -10 C, MPP voltage at 15, 50 and 70 C).
QString pageCheckTip(std::size_t check, const sizing::StringValues& values, int strings,
                     double shortCircuitCurrentA, const sizing::InverterLimits& limits);
// The numbers behind the nominal power ratio's icon.
QString ratioTip(double maxDcPowerW, const sizing::GeneratorSummary& summary);
// The numbers behind a cable run's icon.
QString cableTip(const cable::RunResult& run, double referencePowerW);

// The design's checks (design/design_checks.h).
// What a check concerns: "String B", "PV generator", "DC cable A", "AC cable".
QString checkSubject(const checks::Item& item);
// What it compared, with the numbers as the pages write them and the sign of the outcome:
// "open-circuit voltage at −10 °C 1088.90 V > 1000 V"; or that it was not checked and why.
QString checkLine(const checks::Item& item);
// Both: "String B: open-circuit voltage at −10 °C 1088.90 V > 1000 V".
QString checkReason(const checks::Item& item);
// "Passed", "Warning", "Danger"; "Not checked" for an item that was not.
QString checkVerdict(const checks::Item& item);

// The yearly energy the cable runs lose, in kWh and in percent of the yearly energy: "92.4 (0.84%)".
QString lossText(const cable::EnergyAfterLosses& losses);

} // namespace tarvel::texts
