#pragma once

#include <QString>

namespace tarvel {

// Creates an empty catalog file with the three tables at `path` (which must not exist yet).
// Throws CatalogError when the file cannot be created.
void createCatalogFile(const QString& path);

} // namespace tarvel
