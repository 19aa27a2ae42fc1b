#include "catalog/catalog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

// Several programs on one catalog file at once: two add modules and locations the way the catalog
// dialogs do while a third reads the lists the main window fills. Each is a process of its own
// (catalog_load_worker), as two running copies of the program would be.

namespace tarvel {
namespace {

constexpr int kRowsEachWriter = 500;
constexpr int kReaderSeconds = 3;
constexpr int kTimeoutMs = 60000;
constexpr int kHeldMs = 300;

QVariant scalar(const QString& path, const QString& statement, const QVariantList& values = {}) {
    const QString name = QStringLiteral("concurrency-test-") + QUuid::createUuid().toString();
    QVariant first;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.prepare(statement));
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        EXPECT_TRUE(query.exec()) << statement.toStdString();
        if (query.next())
            first = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return first;
}

int count(const QString& path, const char* table) {
    return scalar(path, QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(table))).toInt();
}

std::unique_ptr<QProcess> startWorker(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(TARVEL_CATALOG_LOAD_WORKER), arguments);
    EXPECT_TRUE(process->waitForStarted()) << process->errorString().toStdString();
    return process;
}

// Waits for the worker and checks that it ended well; returns what it printed.
QString finished(QProcess& process, const char* role) {
    EXPECT_TRUE(process.waitForFinished(kTimeoutMs)) << role << " did not end";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << role;
    EXPECT_EQ(process.exitCode(), 0) << role << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

TEST(CatalogProcesses, TwoWritersAndAReaderAtOnceLoseNothingAndLeaveASoundFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VurIvira"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const int modulesBefore = count(path, "panel_info");
    const int locationsBefore = count(path, "country_info");

    auto reader = startWorker({QStringLiteral("read"), path, QString::number(kReaderSeconds)});
    auto first = startWorker({QStringLiteral("write"), path, QStringLiteral("Writer 'A' 100%")});
    auto second = startWorker({QStringLiteral("write"), path, QStringLiteral("Writer B")});
    finished(*first, "first writer");
    finished(*second, "second writer");
    const QString rounds = finished(*reader, "reader");
    EXPECT_GT(rounds.toInt(), 0) << rounds.toStdString();

    EXPECT_EQ(count(path, "panel_info"), modulesBefore + 2 * kRowsEachWriter);
    EXPECT_EQ(count(path, "country_info"), locationsBefore + 2 * kRowsEachWriter);
    for (const QString& tag : {QStringLiteral("Writer 'A' 100%"), QStringLiteral("Writer B")}) {
        EXPECT_EQ(scalar(path,
                         QStringLiteral("select count(distinct strings_type) from panel_info "
                                        "where product_name=?"),
                         {tag})
                      .toInt(),
                  kRowsEachWriter)
            << tag.toStdString();
        EXPECT_EQ(scalar(path,
                         QStringLiteral("select count(distinct city) from country_info where country=?"),
                         {tag})
                      .toInt(),
                  kRowsEachWriter)
            << tag.toStdString();
    }
    EXPECT_EQ(scalar(path, QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
    // Every writer committed and left no journal behind; the file is still an ordinary catalog.
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal")));
    EXPECT_EQ(scalar(path, QStringLiteral("pragma journal_mode")).toString(), QStringLiteral("delete"));
    Catalog catalog(path);
    EXPECT_EQ(catalog.cityListQuery(QStringLiteral("Writer B")).size(), kRowsEachWriter);
}

// Another connection takes the whole file for a while, as a writer in the middle of its commit does.
TEST(CatalogWaiting, OperationsWaitForAConnectionThatHoldsTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VurIvira"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Catalog catalog(path);
    const QStringList countries = catalog.countryListQuery();

    for (bool writing : {false, true}) {
        std::promise<void> locked;
        std::thread holder([&path, &locked] {
            const QString name = QStringLiteral("holder-") + QUuid::createUuid().toString();
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(path);
                db.open();
                QSqlQuery query(db);
                query.exec(QStringLiteral("begin exclusive"));
                locked.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(kHeldMs));
                query.exec(QStringLiteral("commit"));
            }
            QSqlDatabase::removeDatabase(name);
        });
        locked.get_future().wait();
        QElapsedTimer timer;
        timer.start();
        if (writing) {
            TCountryInfo l;
            l.country = QStringLiteral("Waiting");
            l.city = QStringLiteral("Room");
            EXPECT_NO_THROW(catalog.locationInsert(l));
        } else {
            EXPECT_EQ(catalog.countryListQuery(), countries);
        }
        EXPECT_GE(timer.elapsed(), kHeldMs - 50) << writing;
        holder.join();
    }
    EXPECT_EQ(catalog.cityListQuery(QStringLiteral("Waiting")), QStringList{QStringLiteral("Room")});
}

TEST(CatalogProcesses, AWorkerReportsFailures) {
    QTemporaryDir dir;
    auto writer =
        startWorker({QStringLiteral("write"), dir.filePath(QStringLiteral("missing")), QStringLiteral("X")});
    ASSERT_TRUE(writer->waitForFinished(kTimeoutMs));
    EXPECT_EQ(writer->exitCode(), 1);
    EXPECT_FALSE(writer->readAllStandardError().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing"))));
}

} // namespace
} // namespace tarvel
