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

// Reads the tables from their JSON text; throws ModelTablesError when a table is missing or malformed.
InverterModelTables parseInverterModelTables(const QByteArray& json);

// The tables shipped with the program (compiled in as a resource).
const InverterModelTables& inverterModelTables();

} // namespace tarvel
