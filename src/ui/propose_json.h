#pragma once

#include <QJsonObject>

#include <stdexcept>

namespace tarvel {

class Catalog;
class Tfrm_main;

// A design that gives the assistant nothing to work on (no string input in use).
class ProposeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The selection assistant's result for the design in the window, as `tarvel-batch --propose` writes
// it (docs/SELECTION.md): the module type of the first string input in use, the design's total
// number of modules, its temperatures and location, every inverter of the catalog with its limits,
// verdict, reasons and valid layouts. Reasons are in the window's language.
QJsonObject proposeJson(const Tfrm_main& window, Catalog& catalog);

} // namespace tarvel
