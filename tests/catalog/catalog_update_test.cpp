#include "catalog/catalog.h"
#include "support/sample_records.h"
#include "support/temp_catalog.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

// An update of the catalog of an installed program: the user's older copy, the shipped catalog it
// was made from (the base) and a newer shipped catalog, all real files.

namespace tarvel {
namespace {

using test::TempCatalog;

TCountryInfo location(const char* country, const char* city, double latitude) {
    TCountryInfo l;
    l.country = QString::fromUtf8(country);
    l.city = QString::fromUtf8(city);
    l.Latitude = latitude;
    l.Longitude = 13.404954;
    l.height = 34;
    for (std::size_t m = 0; m < 12; ++m)
        l.months[m] = 20.125 + static_cast<double>(m);
    l.Year0 = 110.25;
    return l;
}

TInverterInfo inverter(const char* model) {
    TInverterInfo v;
    v.inverter_type = QString::fromLatin1(model);
    v.power_DC_MAX = QStringLiteral("3.30");
    v.xiaolv_zuida = QStringLiteral("0.947");
    return v;
}

QByteArray picture(char tag) {
    return QByteArray("\xFF\xD8\xFF\xE0 picture ") + tag;
}

// One value of the first row of a statement, through a connection of its own.
QVariant valueIn(const QString& path, const QString& statement) {
    const QString name = QUuid::createUuid().toString();
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
        if (query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

// Every column of the rows a condition picks, each quoted with its storage type (12.0 is not '12'),
// in rowid order; idx is left out, since a carried inverter is numbered anew.
QString rows(const QString& path, const char* table, const char* where) {
    const QString columns =
        valueIn(path, QStringLiteral("select group_concat('quote(' || name || ')', '||'',''||') from "
                                     "pragma_table_info('%1') where name <> 'idx'")
                          .arg(QLatin1String(table)))
            .toString();
    return valueIn(path, QStringLiteral("select group_concat(%1, ' | ') from (select * from %2 where %3 "
                                        "order by rowid)")
                             .arg(columns, QLatin1String(table), QLatin1String(where)))
        .toString();
}

QByteArray hashOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class CatalogUpdate : public testing::Test {
protected:
    void SetUp() override {
        // The release the user's copy was made from.
        Catalog& b = base.catalog();
        b.locationInsert(location("Germany", "Berlin", 52.0));
        b.locationInsert(location("France", "Lima", 48.0)); // misplaced, moved by the newer release
        b.moduleInsert(test::sampleModule(QStringLiteral("Alpha"), QStringLiteral("A-250")));
        b.inverterInsert(inverter("KT1000-S"));
        b.inverterPictureQuery(QStringLiteral("KT1000-S"), picture('1'));
        b.inverterInsert(inverter("KT2000-S"));

        // The user's copy: the base, and what the user added through the program.
        ASSERT_TRUE(QFile::copy(base.path(), older));
        QFile::setPermissions(older, QFile::ReadOwner | QFile::WriteOwner);
        Catalog user(older);
        TCountryInfo madrid = location("Spain", "Madrid", 40.416775);
        madrid.months[0] = 0.1 + 0.2; // a value no decimal text gives back exactly
        user.locationInsert(madrid);
        user.locationInsert(location("Italy", "Rome", 41.9));
        user.moduleInsert(test::sampleModule(QStringLiteral("Gamma"), QStringLiteral("G-1"), 333.3));
        user.inverterInsert(inverter("MY-INV"));
        user.inverterPictureQuery(QStringLiteral("MY-INV"), picture('m'));
        user.inverterPictureQuery(QStringLiteral("KT2000-S"), picture('u'));

        // The newer release: Berlin corrected, Lima moved, Rome shipped now (spelled in another case),
        // a new module and inverter, KT1000-S with a new picture.
        Catalog& n = newer.catalog();
        n.locationInsert(location("Germany", "Berlin", 52.52));
        n.locationInsert(location("Peru", "Lima", -12.05));
        n.locationInsert(location("ITALY", "rome", 41.89));
        n.moduleInsert(test::sampleModule(QStringLiteral("Alpha"), QStringLiteral("A-250"), 255));
        n.moduleInsert(test::sampleModule(QStringLiteral("Beta"), QStringLiteral("B-1")));
        n.inverterInsert(inverter("KT1000-S"));
        n.inverterPictureQuery(QStringLiteral("KT1000-S"), picture('2'));
        n.inverterInsert(inverter("KT2000-S"));
        n.inverterInsert(inverter("KT3000-S"));
    }

    TempCatalog base;
    TempCatalog newer;
    QTemporaryDir userDir;
    QString older = userDir.filePath(QStringLiteral("VurIvira"));
};

TEST_F(CatalogUpdate, TheUsersRowsAndPicturesComeOverAsStoredAndTheNewerCatalogsOwnStay) {
    const QByteArray olderHash = hashOf(older);
    const QByteArray baseHash = hashOf(base.path());
    const CarriedOver carried = newer.catalog().carryOverFrom(older, base.path());
    EXPECT_EQ(carried.locations, 1); // Madrid; Rome is shipped now
    EXPECT_EQ(carried.modules, 1);
    EXPECT_EQ(carried.inverters, 1);
    EXPECT_EQ(carried.pictures, 1); // KT2000-S; KT1000-S's old picture was the base's

    Catalog& c = newer.catalog();
    EXPECT_EQ(c.countryListQuery(), QStringList({"Germany", "ITALY", "Peru", "Spain"}));
    EXPECT_EQ(rows(newer.path(), "country_info", "city = 'Madrid'"),
              rows(older, "country_info", "city = 'Madrid'"));
    EXPECT_EQ(c.locationQuery(QStringLiteral("Germany"), QStringLiteral("Berlin"))->latitude, 52.52);
    EXPECT_EQ(c.cityListQuery(QStringLiteral("Italy")), QStringList({"rome"}));
    EXPECT_EQ(rows(newer.path(), "panel_info", "product_name = 'Gamma'"),
              rows(older, "panel_info", "product_name = 'Gamma'"));
    EXPECT_EQ(c.moduleRecordQuery(QStringLiteral("Alpha"), QStringLiteral("A-250"))->power, 255);

    // The user's inverter is listed after the shipped ones, with its picture.
    EXPECT_EQ(c.inverterListQuery(), QStringList({"KT1000-S", "KT2000-S", "KT3000-S", "MY-INV"}));
    EXPECT_EQ(rows(newer.path(), "inverter_info", "inverter_type = 'MY-INV'"),
              rows(older, "inverter_info", "inverter_type = 'MY-INV'"));
    EXPECT_EQ(c.inverterRecordQuery(QStringLiteral("KT2000-S"))->pic, picture('u'));
    EXPECT_EQ(c.inverterRecordQuery(QStringLiteral("KT1000-S"))->pic, picture('2'));
    EXPECT_TRUE(c.inverterRecordQuery(QStringLiteral("KT3000-S"))->pic.isNull());

    EXPECT_EQ(hashOf(older), olderHash);
    EXPECT_EQ(hashOf(base.path()), baseHash);
}

TEST_F(CatalogUpdate, WithoutTheBaseEverythingTheNewerCatalogLacksIsTakenAsTheUsers) {
    const CarriedOver carried = newer.catalog().carryOverFrom(older, QString());
    EXPECT_EQ(carried.locations, 2); // Madrid and France/Lima
    EXPECT_EQ(carried.inverters, 1);
    EXPECT_EQ(carried.pictures, 2);
    EXPECT_EQ(newer.catalog().inverterRecordQuery(QStringLiteral("KT1000-S"))->pic, picture('1'));
}

TEST_F(CatalogUpdate, AFailureTakesNothingAndLeavesTheCatalogUsable) {
    const QString before = rows(newer.path(), "country_info", "1");
    // An older copy whose module table is not the program's: the locations before it are undone.
    TempCatalog broken;
    broken.catalog().locationInsert(location("Spain", "Madrid", 40.4));
    broken.exec(QStringLiteral("drop table panel_info"));
    broken.exec(QStringLiteral("create table panel_info (product_name text)"));
    EXPECT_THROW(newer.catalog().carryOverFrom(broken.path(), QString()), CatalogError);
    EXPECT_EQ(rows(newer.path(), "country_info", "1"), before);
    EXPECT_THROW(newer.catalog().carryOverFrom(userDir.filePath(QStringLiteral("none")), QString()),
                 CatalogError);

    EXPECT_EQ(newer.catalog().carryOverFrom(older, base.path()).locations, 1);
}

} // namespace
} // namespace tarvel
