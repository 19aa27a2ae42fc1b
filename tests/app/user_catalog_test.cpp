#include "app/user_catalog.h"
#include "support/temp_catalog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The user's copy of an installed program's catalog, on real files. What is carried over at an
// update is Catalog::carryOverFrom's, tested with the catalog.

namespace tarvel {
namespace {

using Outcome = UserCatalog::Outcome;

TCountryInfo city(const char* country, const char* name) {
    TCountryInfo l;
    l.country = QString::fromUtf8(country);
    l.city = QString::fromUtf8(name);
    l.Latitude = 40;
    l.months.fill(100);
    return l;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UserCatalogTest : public testing::Test {
protected:
    void SetUp() override { shipped.catalog().locationInsert(city("Germany", "Berlin")); }
    // A release that ships one more city.
    void shipNewerCatalog(const char* country) { Catalog(shipped.path()).locationInsert(city(country, "X")); }
    QStringList backups() const {
        return QDir(folder).entryList({QStringLiteral("VurIvira.before-update-*")}, QDir::Files);
    }

    test::TempCatalog shipped;
    QTemporaryDir home;
    QString folder = home.filePath(QStringLiteral("data/tarvel"));
    QString copy = folder + QStringLiteral("/VurIvira");
};

TEST_F(UserCatalogTest, MadeAtTheFirstStartKeptWhileTheShippedOneStaysAndMadeAnewWhenItChanges) {
    {
        const UserCatalog first(shipped.path(), folder);
        EXPECT_EQ(first.outcome(), Outcome::Made);
        EXPECT_EQ(first.path(), copy);
        EXPECT_EQ(bytesOf(copy), bytesOf(shipped.path()));
        Catalog(copy).locationInsert(city("Spain", "Madrid"));
    }
    EXPECT_EQ(UserCatalog(shipped.path(), folder).outcome(), Outcome::Current);
    EXPECT_TRUE(backups().isEmpty());

    const QByteArray before = bytesOf(copy);
    shipNewerCatalog("Peru");
    const QByteArray shippedBytes = bytesOf(shipped.path());
    {
        const UserCatalog updated(shipped.path(), folder);
        EXPECT_EQ(updated.outcome(), Outcome::Updated);
        EXPECT_EQ(updated.carriedOver().locations, 1);
        ASSERT_EQ(backups().size(), 1);
        EXPECT_EQ(updated.backup(), QDir(folder).filePath(backups().first()));
        EXPECT_EQ(bytesOf(updated.backup()), before);
        EXPECT_EQ(Catalog(copy).countryListQuery(), QStringList({"Germany", "Peru", "Spain"}));
    }
    EXPECT_EQ(UserCatalog(shipped.path(), folder).outcome(), Outcome::Current);
    EXPECT_EQ(bytesOf(shipped.path()), shippedBytes);
}

TEST_F(UserCatalogTest, AnUpdateWaitsWhileAnotherProcessUsesTheCopyAndAFailedOneKeepsIt) {
    {
        const UserCatalog running(shipped.path(), folder);
        shipNewerCatalog("Peru");
        const QByteArray inUse = bytesOf(copy);
        const UserCatalog second(shipped.path(), folder);
        EXPECT_EQ(second.outcome(), Outcome::UpdateDeferred);
        EXPECT_EQ(bytesOf(copy), inUse);
    }
    EXPECT_EQ(UserCatalog(shipped.path(), folder).outcome(), Outcome::Updated);

    shipNewerCatalog("Chile");
    const QByteArray before = bytesOf(copy);
    ASSERT_TRUE(QFile::remove(shipped.path())); // a broken installation
    {
        const UserCatalog user(shipped.path(), folder);
        EXPECT_EQ(user.outcome(), Outcome::UpdateFailed);
        EXPECT_TRUE(user.updateFailure().contains(shipped.path())) << qPrintable(user.updateFailure());
        EXPECT_EQ(bytesOf(copy), before);
        EXPECT_EQ(backups().size(), 1);
    }

    QFile blocker(home.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_THROW(UserCatalog(shipped.path(), blocker.fileName() + QStringLiteral("/tarvel")), CatalogError);
}

} // namespace
} // namespace tarvel
