#pragma once

#include "design/catalog_records.h"

#include <QList>
#include <QString>

#include <stdexcept>

namespace tarvel::tools {

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One inverter row of the sources: the catalog record plus the body-shape group of its picture.
struct InverterSource {
    TInverterInfo info;
    QString group; // G1 .. G6 or "none"
};

// Readers of the three CSV sources (UTF-8, comma separated, one header line, no quoting).
// Each throws SourceError naming the file and line of the first row it cannot read.
QList<TCountryInfo> readLocations(const QString& path);
QList<TPanelInfo> readModules(const QString& path);
QList<InverterSource> readInverters(const QString& path);

// Creates the catalog file `outPath` from the three sources in `dataDir`, replacing any file there.
// Returns a one-line summary of what was written.
QString buildCatalog(const QString& dataDir, const QString& outPath);

} // namespace tarvel::tools
