#include "app/user_catalog.h"
#include "support/temp_catalog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The user's copy of an installed program's catalog, on real files: made at the first start, left
// alone while the shipped catalog stays the same, made anew with the user's rows when it changes.

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
    void SetUp() override {
        shipped.catalog().locationInsert(city("Germany", "Berlin"));
        // The shipped catalog lies in a folder the program must not write.
        QFile::setPermissions(shipped.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        shippedBytes = bytesOf(shipped.path());
    }
    QString copy() const { return folder + QStringLiteral("/VurIvira"); }
    // A release that ships one more city.
    void shipNewerCatalog() {
        QFile::setPermissions(shipped.path(), QFile::ReadOwner | QFile::WriteOwner);
        Catalog(shipped.path()).locationInsert(city("Peru", "Lima"));
        shippedBytes = bytesOf(shipped.path());
    }
    QStringList backups() const {
        return QDir(folder).entryList({QStringLiteral("VurIvira.before-update-*")}, QDir::Files);
    }

    test::TempCatalog shipped;
    QByteArray shippedBytes;
    QTemporaryDir home;
    QString folder = home.filePath(QStringLiteral("data/tarvel"));
};

TEST_F(UserCatalogTest, TheFirstStartMakesAWritableCopyAndLaterStartsUseIt) {
    {
        const UserCatalog user(shipped.path(), folder);
        EXPECT_EQ(user.outcome(), Outcome::Made);
        EXPECT_EQ(user.path(), copy());
        EXPECT_EQ(bytesOf(copy()), shippedBytes);
        Catalog(user.path()).locationInsert(city("Spain", "Madrid"));
    }
    const UserCatalog again(shipped.path(), folder);
    EXPECT_EQ(again.outcome(), Outcome::Current);
    EXPECT_EQ(Catalog(again.path()).countryListQuery(), QStringList({"Germany", "Spain"}));
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(bytesOf(shipped.path()), shippedBytes);
}

TEST_F(UserCatalogTest, ANewerShippedCatalogIsTakenWithTheUsersRowsAndTheOldCopyKept) {
    { Catalog(UserCatalog(shipped.path(), folder).path()).locationInsert(city("Spain", "Madrid")); }
    const QByteArray before = bytesOf(copy());
    shipNewerCatalog();

    {
        const UserCatalog user(shipped.path(), folder);
        EXPECT_EQ(user.outcome(), Outcome::Updated);
        EXPECT_EQ(user.carriedOver().locations, 1);
        ASSERT_EQ(backups().size(), 1);
        EXPECT_EQ(user.backup(), QDir(folder).filePath(backups().first()));
        EXPECT_EQ(bytesOf(user.backup()), before);
        EXPECT_EQ(Catalog(user.path()).countryListQuery(), QStringList({"Germany", "Peru", "Spain"}));
    }
    EXPECT_EQ(UserCatalog(shipped.path(), folder).outcome(), Outcome::Current);
    EXPECT_EQ(bytesOf(shipped.path()), shippedBytes);
}

TEST_F(UserCatalogTest, AnUpdateWaitsWhileAnotherProcessUsesTheCopy) {
    {
        const UserCatalog running(shipped.path(), folder);
        shipNewerCatalog();
        const QByteArray inUse = bytesOf(copy());
        const UserCatalog second(shipped.path(), folder);
        EXPECT_EQ(second.outcome(), Outcome::UpdateDeferred);
        EXPECT_EQ(bytesOf(copy()), inUse);
        EXPECT_TRUE(backups().isEmpty());
    }
    EXPECT_EQ(UserCatalog(shipped.path(), folder).outcome(), Outcome::Updated);
}

TEST_F(UserCatalogTest, AFailedUpdateKeepsTheCopyAndAFolderThatCannotBeMadeIsAnError) {
    { UserCatalog first(shipped.path(), folder); }
    const QByteArray before = bytesOf(copy());
    shipNewerCatalog();
    ASSERT_TRUE(QFile::remove(shipped.path())); // a broken installation
    {
        const UserCatalog user(shipped.path(), folder);
        EXPECT_EQ(user.outcome(), Outcome::UpdateFailed);
        EXPECT_TRUE(user.updateFailure().contains(shipped.path())) << qPrintable(user.updateFailure());
        EXPECT_EQ(bytesOf(copy()), before);
        EXPECT_TRUE(backups().isEmpty());
    }

    QFile blocker(home.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_THROW(UserCatalog(shipped.path(), blocker.fileName() + QStringLiteral("/tarvel")), CatalogError);
}

} // namespace
} // namespace tarvel
