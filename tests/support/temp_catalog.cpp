#include "support/temp_catalog.h"

#include "catalog/catalog_schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

QVariant runDirect(const QString& path, const QString& statement, const QVariantList& values) {
    const QString name = QStringLiteral("tarvel-test-") + QUuid::createUuid().toString();
    QVariant first;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        EXPECT_TRUE(query.prepare(statement)) << query.lastError().text().toStdString();
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        EXPECT_TRUE(query.exec()) << statement.toStdString() << ": "
                                  << query.lastError().text().toStdString();
        if (query.next())
            first = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return first;
}

} // namespace

TempCatalog::TempCatalog() {
    m_path = m_dir.filePath(QString::fromLatin1(kCatalogFileName));
    createCatalogFile(m_path);
    m_catalog = std::make_unique<Catalog>(m_path);
}

void TempCatalog::exec(const QString& statement, const QVariantList& values) {
    runDirect(m_path, statement, values);
}

QVariant TempCatalog::scalar(const QString& statement, const QVariantList& values) {
    return runDirect(m_path, statement, values);
}

} // namespace tarvel::test
