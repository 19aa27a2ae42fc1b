#pragma once

#include "catalog/catalog.h"

#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

namespace tarvel::test {

// An empty catalog file with the three tables in a directory of its own, removed with the object.
class TempCatalog {
public:
    TempCatalog();

    QString path() const { return m_path; }
    QString dirPath() const { return m_dir.path(); }
    Catalog& catalog() { return *m_catalog; }

    // Runs one statement on the file through a connection of its own: stores rows the program's
    // inserts would not write (odd values, NULLs) and reads back what the program wrote.
    void exec(const QString& statement, const QVariantList& values = {});
    QVariant scalar(const QString& statement, const QVariantList& values = {});

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Catalog> m_catalog;
};

} // namespace tarvel::test
