#include "catalog/catalog.h"
#include "design/number_format.h"
#include "support/sample_records.h"
#include "support/temp_catalog.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <thread>

namespace tarvel {
namespace {

using test::TempCatalog;

QStringList list(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out.append(QString::fromUtf8(t));
    return out;
}

TPanelInfo module(const QString& maker, const QString& type, double power = 250) {
    return test::sampleModule(maker, type, power);
}

TCountryInfo location(const QString& country, const QString& city, double height = 34) {
    TCountryInfo l;
    l.country = country;
    l.city = city;
    l.Latitude = 52.52;
    l.Longitude = 13.4;
    l.height = height;
    for (std::size_t m = 0; m < 12; ++m)
        l.months[m] = 20.5 + static_cast<double>(m);
    l.Year0 = 110.25;
    return l;
}

TInverterInfo inverter(const QString& model) {
    TInverterInfo v;
    v.inverter_type = model;
    v.power_DC_MAX = QStringLiteral("3.30");
    v.xiaolv_zuida = QStringLiteral("0.947");
    return v;
}

class CatalogTest : public testing::Test {
protected:
    TempCatalog temp;
    Catalog& catalog = temp.catalog();
};

TEST_F(CatalogTest, EmptyTablesGiveEmptyListsAndNoRecords) {
    EXPECT_TRUE(catalog.inverterListQuery().isEmpty());
    EXPECT_TRUE(catalog.makerListQuery().isEmpty());
    EXPECT_TRUE(catalog.countryListQuery().isEmpty());
    EXPECT_TRUE(catalog.cityListQuery(QStringLiteral("Germany")).isEmpty());
    EXPECT_TRUE(catalog.moduleTypeListQuery(QStringLiteral("Alpha")).isEmpty());
    EXPECT_FALSE(catalog.locationQuery(QStringLiteral("Germany"), QStringLiteral("Berlin")));
    EXPECT_FALSE(catalog.moduleRecordQuery(QStringLiteral("Alpha"), QStringLiteral("A1")));
    EXPECT_FALSE(catalog.inverterRecordQuery(QStringLiteral("KT1")));
}

struct RunRuleCase {
    std::vector<const char*> stored;
    std::vector<const char*> listed;
};

void PrintTo(const RunRuleCase& c, std::ostream* os) {
    for (const char* name : c.stored)
        *os << name << ' ';
}

class MakerList : public CatalogTest, public testing::WithParamInterface<RunRuleCase> {};

TEST_P(MakerList, KeepsTheFirstOfEveryRunOfEqualNames) {
    for (const char* maker : GetParam().stored)
        catalog.moduleInsert(module(QString::fromUtf8(maker), QStringLiteral("T")));
    QStringList expected;
    for (const char* maker : GetParam().listed)
        expected.append(QString::fromUtf8(maker));
    EXPECT_EQ(catalog.makerListQuery(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakerList,
    testing::Values(RunRuleCase{{"Beta", "Alpha", "Alpha"}, {"Alpha", "Beta"}},
                    // Sorting ignores case; names differing in case stay, each run counting once.
                    RunRuleCase{{"beta", "Alpha", "alpha", "Alpha"}, {"Alpha", "alpha", "Alpha", "beta"}},
                    RunRuleCase{{"Alpha", "Alpha", "alpha"}, {"Alpha", "alpha"}},
                    // The run starts from the text "0", so a first name "0" is not listed.
                    RunRuleCase{{"0", "Alpha"}, {"Alpha"}}, RunRuleCase{{"Zeta", "0", "0"}, {"Zeta"}}));

TEST_F(CatalogTest, CountryListIsSortedWithoutRegardToCase) {
    for (const char* country : {"Germany", "austria", "Germany", "China", "Brazil", "china"})
        catalog.locationInsert(location(QString::fromUtf8(country), QStringLiteral("X")));
    EXPECT_EQ(catalog.countryListQuery(), list({"austria", "Brazil", "China", "china", "Germany"}));
}

TEST_F(CatalogTest, CityListKeepsStoredOrderAndDuplicates) {
    for (const char* city : {"Munich", "Berlin", "Munich", "Aachen"})
        catalog.locationInsert(location(QStringLiteral("Germany"), QString::fromUtf8(city)));
    catalog.locationInsert(location(QStringLiteral("France"), QStringLiteral("Paris")));
    EXPECT_EQ(catalog.cityListQuery(QStringLiteral("Germany")),
              list({"Munich", "Berlin", "Munich", "Aachen"}));
    EXPECT_TRUE(catalog.cityListQuery(QStringLiteral("Spain")).isEmpty());
}

TEST_F(CatalogTest, LocationQueryUsesTheFirstRow) {
    TCountryInfo first = location(QStringLiteral("Germany"), QStringLiteral("Berlin"), 34);
    TCountryInfo second = location(QStringLiteral("Germany"), QStringLiteral("Berlin"), 99);
    second.Latitude = 10;
    second.months.fill(1);
    catalog.locationInsert(first);
    catalog.locationInsert(second);

    const auto row = catalog.locationQuery(QStringLiteral("Germany"), QStringLiteral("Berlin"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->height, 34);
    EXPECT_EQ(row->latitude, 52.52);
    EXPECT_EQ(row->radiation, first.months);
    EXPECT_FALSE(catalog.locationQuery(QStringLiteral("Germany"), QStringLiteral("Hamburg")));
}

TEST_F(CatalogTest, LocationHeightMustBeAWholeNumber) {
    catalog.locationInsert(location(QStringLiteral("A"), QStringLiteral("Whole"), 12.0));
    catalog.locationInsert(location(QStringLiteral("A"), QStringLiteral("Half"), 12.5));
    EXPECT_EQ(catalog.locationQuery(QStringLiteral("A"), QStringLiteral("Whole"))->height, 12);
    try {
        catalog.locationQuery(QStringLiteral("A"), QStringLiteral("Half"));
        FAIL() << "12.5 read as an integer";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'12.5' is not a valid integer value");
    }
}

TEST_F(CatalogTest, ValuesThatAreNotNumbersFailTheRead) {
    temp.exec(QStringLiteral("insert into country_info (country, city, height, latitude, jan) "
                             "values ('A', 'NoLatitude', 5, null, 1), ('A', 'Word', 5, 1, 'sunny')"));
    EXPECT_THROW(catalog.locationQuery(QStringLiteral("A"), QStringLiteral("NoLatitude")), ConversionError);
    try {
        catalog.locationQuery(QStringLiteral("A"), QStringLiteral("Word"));
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'sunny' is not a valid floating point value");
    }
}

TEST_F(CatalogTest, ALatitudeBeyondAPoleFailsTheReadLikeAWord) {
    temp.exec(QStringLiteral("insert into country_info (country, city, height, latitude, jan, feb, mar, apr,"
                             " may, jun, jul, aug, sep, oct, nov, dec0) values"
                             " ('A', 'North', 5, 200, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1),"
                             " ('A', 'South', 5, -90.5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1),"
                             " ('A', 'Pole', 5, -90, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1)"));
    try {
        catalog.locationQuery(QStringLiteral("A"), QStringLiteral("North"));
        FAIL() << "latitude 200 read";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'200' is not a valid latitude");
    }
    EXPECT_THROW(catalog.locationQuery(QStringLiteral("A"), QStringLiteral("South")), ConversionError);
    EXPECT_EQ(catalog.locationQuery(QStringLiteral("A"), QStringLiteral("Pole"))->latitude, -90);
}

// Failures are remembered even when the caller goes on from them, each text once; an error of the
// caller's own inside a transaction is not the catalog's.
TEST_F(CatalogTest, FailedOperationsAreRemembered) {
    temp.exec(QStringLiteral("insert into country_info (country, city, height, latitude) "
                             "values ('A', 'High', 3000000000, 1)"));
    catalog.countryListQuery();
    EXPECT_TRUE(catalog.failures().isEmpty());
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(catalog.locationQuery(QStringLiteral("A"), QStringLiteral("High")), ConversionError);
    EXPECT_THROW(catalog.inOneTransaction([] { throw ConversionError("a field of the caller's"); }),
                 ConversionError);
    EXPECT_THROW(catalog.inverterPictureQuery(QStringLiteral("KT0"), QByteArray("x")), CatalogError);
    EXPECT_EQ(
        catalog.failures(),
        QStringList({QStringLiteral("'3000000000' is not a valid integer value"),
                     QStringLiteral("The inverter \"KT0\" is not in the catalog; no picture was stored.")}));
}

TEST_F(CatalogTest, ModuleTypesKeepStoredOrderAndDuplicates) {
    for (const char* type : {"M300", "M250", "M300"})
        catalog.moduleInsert(module(QStringLiteral("Alpha"), QString::fromUtf8(type)));
    catalog.moduleInsert(module(QStringLiteral("Beta"), QStringLiteral("B1")));
    EXPECT_EQ(catalog.moduleTypeListQuery(QStringLiteral("Alpha")), list({"M300", "M250", "M300"}));
}

TEST_F(CatalogTest, ModuleRecordUsesTheLastRow) {
    catalog.moduleInsert(module(QStringLiteral("Alpha"), QStringLiteral("M300"), 300));
    TPanelInfo later = module(QStringLiteral("Alpha"), QStringLiteral("M300"), 310);
    later.kailu_kx = -0.29;
    catalog.moduleInsert(later);

    const auto record = catalog.moduleRecordQuery(QStringLiteral("Alpha"), QStringLiteral("M300"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->power, 310);
    EXPECT_EQ(record->kailu_kx, -0.29);
    EXPECT_EQ(record->duanlu_i, 8.5);
    EXPECT_EQ(record->kailu_V, 37.5);
    EXPECT_EQ(record->MPP_V, 30.5);
    EXPECT_EQ(record->area, 1.63);
    EXPECT_EQ(record->mpp_mx, -150);
    EXPECT_EQ(record->mpp_i, 8.2);
}

// The site checks read the module's maximum system voltage, which the module record leaves out.
TEST_F(CatalogTest, ModuleSystemVoltageOfTheLastRowEmptyAsZero) {
    TPanelInfo first = module(QStringLiteral("Alpha"), QStringLiteral("M300"));
    first.panel_maxv = 1000;
    TPanelInfo later = first;
    later.panel_maxv = 1500;
    catalog.moduleInsert(first);
    catalog.moduleInsert(later);
    EXPECT_EQ(catalog.moduleSystemVoltageQuery(QStringLiteral("Alpha"), QStringLiteral("M300")), 1500.0);
    EXPECT_FALSE(catalog.moduleSystemVoltageQuery(QStringLiteral("Alpha"), QStringLiteral("M250")));
    temp.exec(QStringLiteral("insert into panel_info (product_name, strings_type, panel_maxv) "
                             "values ('Beta', 'Empty', null), ('Beta', 'Word', 'high')"));
    EXPECT_EQ(catalog.moduleSystemVoltageQuery(QStringLiteral("Beta"), QStringLiteral("Empty")), 0.0);
    EXPECT_THROW(catalog.moduleSystemVoltageQuery(QStringLiteral("Beta"), QStringLiteral("Word")),
                 ConversionError);
}

TEST_F(CatalogTest, ModuleInsertWritesEveryColumnInItsPlace) {
    catalog.moduleInsert(module(QStringLiteral("Alpha"), QStringLiteral("M250")));
    const QString columns = QStringLiteral("product_name||'|'||strings_type||'|'||power||'|'||MPP_V||'|'||"
                                           "mpp_i||'|'||kailu_V||'|'||duanlu_i||'|'||"
                                           "panel_maxv||'|'||efficient||'|'||area||'|'||material||'|'||kailu_"
                                           "kx||'|'||duanlu_dx||'|'||mpp_mx||'|'||i_mx");
    EXPECT_EQ(
        temp.scalar(QStringLiteral("select %1 from panel_info").arg(columns)).toString(),
        QStringLiteral("Alpha|M250|250.0|30.5|8.2|37.5|8.5|1000.0|15.3|1.63|POLY|-0.34|0.05|-150.0|4.1"));
}

TEST_F(CatalogTest, LocationInsertWritesEveryColumnInItsPlace) {
    catalog.locationInsert(location(QStringLiteral("Germany"), QStringLiteral("Berlin")));
    EXPECT_EQ(temp.scalar(QStringLiteral(
                              "select country||'|'||city||'|'||Latitude||'|'||Longitude||'|'||height||'|'||"
                              "Jan||'|'||Jun||'|'||Dec0||'|'||Year0 from country_info"))
                  .toString(),
              QStringLiteral("Germany|Berlin|52.52|13.4|34.0|20.5|25.5|31.5|110.25"));
}

TEST_F(CatalogTest, InverterListFollowsIdxAndNewInvertersGoLast) {
    temp.exec(
        QStringLiteral("insert into inverter_info (idx, inverter_type) values (3, 'C'), (1, 'A'), (2, 'B')"));
    catalog.inverterInsert(inverter(QStringLiteral("New")));
    EXPECT_EQ(catalog.inverterListQuery(), list({"A", "B", "C", "New"}));
    EXPECT_EQ(temp.scalar(QStringLiteral("select idx from inverter_info where inverter_type='New'")).toInt(),
              4);
}

TEST_F(CatalogTest, InverterRecordReturnsEveryColumnAsStoredText) {
    TInverterInfo v;
    QString* fields[] = {&v.inverter_type,      &v.work_temp,    &v.protect_grade, &v.noise_grade,
                         &v.pinterface,         &v.geli_type,    &v.ssize,         &v.weight,
                         &v.power_erding,       &v.power_DC_MAX, &v.max_v,         &v.MPP_min,
                         &v.mpp_range,          &v.input_maxI,   &v.wire_type,     &v.output_ACpower,
                         &v.output_ACpower_max, &v.range_v,      &v.range_hz,      &v.zongxiebo,
                         &v.factor_power,       &v.xiaolv_max,   &v.xiaolv_ouzhou, &v.xiaolv_erding,
                         &v.xiaolv_zuida};
    int n = 0;
    for (QString* field : fields)
        *field = QStringLiteral("v%1.0").arg(++n);
    v.inverter_type = QStringLiteral("KT-X");
    catalog.inverterInsert(v);

    const auto row = catalog.inverterRecordQuery(QStringLiteral("KT-X"));
    ASSERT_TRUE(row);
    const QString* read[] = {
        &row->inverter_type,      &row->work_temp,    &row->protect_grade, &row->noise_grade,
        &row->pinterface,         &row->geli_type,    &row->ssize,         &row->weight,
        &row->power_erding,       &row->power_DC_MAX, &row->max_v,         &row->MPP_min,
        &row->mpp_range,          &row->input_maxI,   &row->wire_type,     &row->output_ACpower,
        &row->output_ACpower_max, &row->range_v,      &row->range_hz,      &row->zongxiebo,
        &row->factor_power,       &row->xiaolv_max,   &row->xiaolv_ouzhou, &row->xiaolv_erding,
        &row->xiaolv_zuida};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(*read[i], *fields[i]) << "column " << i;
    EXPECT_TRUE(row->pic.isNull());
}

TEST_F(CatalogTest, PictureQueryStoresTheBytesOfTheFirstMatchingInverter) {
    catalog.inverterInsert(inverter(QStringLiteral("KT1")));
    const QByteArray jpeg = QByteArray::fromHex("ffd8ffe000104a464946") + QByteArray(300, '\x7f');
    catalog.inverterPictureQuery(QStringLiteral("KT1"), jpeg);
    EXPECT_EQ(catalog.inverterRecordQuery(QStringLiteral("KT1"))->pic, jpeg);
}

TEST_F(CatalogTest, PictureQueryWithoutARowFailsAndStoresNothing) {
    catalog.inverterInsert(inverter(QStringLiteral("KT1")));
    EXPECT_THROW(catalog.inverterPictureQuery(QStringLiteral("KT"), QByteArray("\xff\xd8", 2)), CatalogError);
    EXPECT_EQ(temp.scalar(QStringLiteral("select count(*) from inverter_info where pic is not null")).toInt(),
              0);
}

TEST_F(CatalogTest, DuplicateChecksReportWhetherTheKeyIsNew) {
    EXPECT_TRUE(catalog.inverterDuplicateCheck(QStringLiteral("KT1")));
    EXPECT_TRUE(catalog.moduleDuplicateCheck(QStringLiteral("Alpha"), QStringLiteral("M1")));
    EXPECT_TRUE(catalog.locationDuplicateCheck(QStringLiteral("Germany"), QStringLiteral("Berlin")));
    catalog.inverterInsert(inverter(QStringLiteral("KT1")));
    catalog.moduleInsert(module(QStringLiteral("Alpha"), QStringLiteral("M1")));
    catalog.locationInsert(location(QStringLiteral("Germany"), QStringLiteral("Berlin")));

    EXPECT_FALSE(catalog.inverterDuplicateCheck(QStringLiteral("KT1")));
    EXPECT_FALSE(catalog.moduleDuplicateCheck(QStringLiteral("Alpha"), QStringLiteral("M1")));
    EXPECT_FALSE(catalog.locationDuplicateCheck(QStringLiteral("Germany"), QStringLiteral("Berlin")));
    // Names compare without regard to case, so a differently written name is the same key.
    EXPECT_FALSE(catalog.locationDuplicateCheck(QStringLiteral("germany"), QStringLiteral("BERLIN")));
    // Both parts of a pair count.
    EXPECT_TRUE(catalog.moduleDuplicateCheck(QStringLiteral("Alpha"), QStringLiteral("M2")));
    EXPECT_TRUE(catalog.locationDuplicateCheck(QStringLiteral("Germany"), QStringLiteral("Bonn")));
}

TEST_F(CatalogTest, NamesWithQuotesAndPercentSignsAreLookedUpAsTheyStand) {
    const QString maker = QStringLiteral("O'Neil 100% Solar");
    const QString type = QStringLiteral("Jian's 300");
    catalog.moduleInsert(module(maker, type, 300));
    catalog.locationInsert(location(QStringLiteral("Côte d'Ivoire"), QStringLiteral("Yamoussoukro")));

    EXPECT_EQ(catalog.makerListQuery(), QStringList{maker});
    EXPECT_EQ(catalog.moduleTypeListQuery(maker), QStringList{type});
    ASSERT_TRUE(catalog.moduleRecordQuery(maker, type));
    EXPECT_EQ(catalog.moduleRecordQuery(maker, type)->power, 300);
    EXPECT_FALSE(catalog.moduleDuplicateCheck(maker, type));
    EXPECT_EQ(catalog.cityListQuery(QStringLiteral("Côte d'Ivoire")), list({"Yamoussoukro"}));
    EXPECT_FALSE(catalog.moduleRecordQuery(QStringLiteral("x' or '1'='1"), QStringLiteral("y' or '1'='1")));
}

TEST(CatalogFile, AMissingFileIsAnErrorAndIsNotCreated) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VurIvira"));
    Catalog catalog(path);
    EXPECT_THROW(catalog.countryListQuery(), CatalogError);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(CatalogFile, IsLookedUpInTheCurrentDirectoryFirst) {
    TempCatalog temp;
    temp.catalog().locationInsert(location(QStringLiteral("Here"), QStringLiteral("X")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(temp.dirPath()));
    {
        Catalog catalog;
        EXPECT_EQ(catalog.countryListQuery(), QStringList{QStringLiteral("Here")});
        EXPECT_EQ(QFileInfo(catalog.filePath()).canonicalFilePath(),
                  QFileInfo(temp.path()).canonicalFilePath());
    }
    QTemporaryDir empty;
    ASSERT_TRUE(QDir::setCurrent(empty.path()));
    {
        // Nothing here and nothing beside the test program.
        Catalog catalog;
        EXPECT_THROW(catalog.countryListQuery(), CatalogError);
    }
    QDir::setCurrent(previous);
}

TEST(CatalogFile, TwoConnectionsWritingAtOnceLoseNothing) {
    TempCatalog temp;
    constexpr int kRowsEach = 150;
    auto writer = [path = temp.path()](const QString& maker, std::string& failure) {
        try {
            Catalog catalog(path);
            for (int i = 0; i < kRowsEach; ++i) {
                catalog.moduleInsert(module(maker, QStringLiteral("T%1").arg(i)));
                catalog.locationInsert(location(maker, QStringLiteral("C%1").arg(i)));
            }
        } catch (const std::exception& error) {
            failure = error.what();
        }
    };
    std::string firstFailure;
    std::string secondFailure;
    std::thread first(writer, QStringLiteral("First"), std::ref(firstFailure));
    std::thread second(writer, QStringLiteral("Second"), std::ref(secondFailure));
    first.join();
    second.join();
    EXPECT_EQ(firstFailure, "");
    EXPECT_EQ(secondFailure, "");
    EXPECT_EQ(temp.scalar(QStringLiteral("select count(*) from panel_info")).toInt(), 2 * kRowsEach);
    EXPECT_EQ(temp.scalar(QStringLiteral("select count(*) from country_info")).toInt(), 2 * kRowsEach);
    EXPECT_EQ(temp.scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
}

} // namespace
} // namespace tarvel
