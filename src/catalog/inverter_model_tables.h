#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace tarvel {

// Model names that change how the data sheet shows an inverter, compared exactly (case included).
struct InverterModelTables {
    // Rows 1 to 6 of the picture geometry table; each matching row sets the picture box.
    std::array<QStringList, 6> geometryRows;
    // Models whose maximum DC current is shown as "2*" and the value, in the reset and selection forms.
    QStringList doubleCurrentReset;
    QStringList doubleCurrentSelection;
    // The one model of each form whose maximum AC power is shown as the catalog text.
    QString rawAcPowerReset;
    QString rawAcPowerSelection;
};

class ModelTablesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The two forms of the data-sheet fill: the reset form of start-up and New Design, and the selection
// form of a model the user picks. They differ in which tables they consult.
enum class SheetForm { Reset, Selection };

// Where the inverter picture sits in the data panel, pixels.
struct PictureGeometry {
    int top;
    int height;
    int width;
    bool operator==(const PictureGeometry&) const = default;
};

// The picture box of a model in a form: the reset form always uses one geometry; the selection form
// applies the rows of the geometry table in order, each matching row overriding the one before.
PictureGeometry pictureGeometry(const InverterModelTables& tables, SheetForm form, const QString& model);

// Whether the maximum DC current of a model is shown with the "2*" prefix in a form.
bool showsDoubleCurrent(const InverterModelTables& tables, SheetForm form, const QString& model);

// Whether a model's maximum AC power is shown as the catalog's text in a form.
bool showsRawAcPower(const InverterModelTables& tables, SheetForm form, const QString& model);

// Reads the tables from their JSON text; throws ModelTablesError when a table is missing or malformed.
InverterModelTables parseInverterModelTables(const QByteArray& json);

// The tables shipped with the program (compiled in as a resource).
const InverterModelTables& inverterModelTables();

} // namespace tarvel
