#include "catalog/catalog.h"
#include "catalog/radiation_references.h"
#include "design/number_format.h"

#include <QFile>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The catalog the build ships, checked against its CSV sources, which are read here independently.

namespace tarvel {
namespace {

QStringList sourceLine(const char* file, const QString& startsWith) {
    QFile csv(QStringLiteral(TARVEL_SOURCE_DIR "/data/catalog/") + QString::fromLatin1(file));
    EXPECT_TRUE(csv.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(csv.readAll()).split(u'\n'))
        if (line.startsWith(startsWith))
            return line.trimmed().split(u',');
    ADD_FAILURE() << "no line " << startsWith.toStdString() << " in " << file;
    return {};
}

class ShippedCatalog : public testing::Test {
protected:
    void SetUp() override {
        // A copy, so that no test can change the catalog the run folder gets.
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("VurIvira"));
    Catalog catalog{path};
};

TEST_F(ShippedCatalog, HoldsEveryRowOfTheSources) {
    const QStringList inverters = catalog.inverterListQuery();
    ASSERT_EQ(inverters.size(), 40);
    EXPECT_EQ(inverters.first(), QStringLiteral("KT1000-S"));
    EXPECT_EQ(inverters[18], QStringLiteral("KT4000-T1"));
    EXPECT_EQ(inverters.last(), QStringLiteral("KT30000-TH"));
    EXPECT_EQ(catalog.makerListQuery().size(), 12);
    EXPECT_EQ(catalog.countryListQuery().size(), 192);

    int locations = 0;
    for (const QString& country : catalog.countryListQuery())
        locations += static_cast<int>(catalog.cityListQuery(country).size());
    EXPECT_EQ(locations, 843);
    int modules = 0;
    for (const QString& maker : catalog.makerListQuery())
        modules += static_cast<int>(catalog.moduleTypeListQuery(maker).size());
    EXPECT_EQ(modules, 80);
}

TEST_F(ShippedCatalog, ALocationReadsBackAsItsSourceLine) {
    const QStringList source = sourceLine("locations.csv", QStringLiteral("Australia,Sydney,"));
    ASSERT_EQ(source.size(), 18);
    const auto row = catalog.locationQuery(QStringLiteral("Australia"), QStringLiteral("Sydney"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->latitude, textToDouble(source[2]));
    EXPECT_EQ(row->height, textToInt(source[4]));
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(row->radiation[static_cast<std::size_t>(m)], textToDouble(source[5 + m]))
            << "month " << m + 1;
}

// Every shipped place lies where the model holds (below 66 degrees of latitude), on the globe, at an
// altitude a site can have and with radiation the location dialog accepts; two rows that were
// misplaced stay corrected.
TEST_F(ShippedCatalog, EveryLocationLiesOnTheGlobeAtAPlausibleAltitude) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("places"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral(
            "select count(*), group_concat(case when abs(Latitude) >= 66 or abs(Longitude) > 180 or height < "
            "-500"
            " or height > 9000 or min(Jan, Feb, Mar, Apr, May, Jun, Jul, Aug, Sep, Oct, Nov, Dec0, Year0) <= "
            "0"
            " or max(Jan, Feb, Mar, Apr, May, Jun, Jul, Aug, Sep, Oct, Nov, Dec0, Year0) > 1500 then city "
            "end),"
            " (select Latitude||' '||Longitude||' '||height from country_info where city = 'Lima'),"
            " (select Latitude||' '||Longitude from country_info where city = 'Penghu') from country_info")));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toInt(), 843);
        EXPECT_TRUE(query.value(1).isNull()) << query.value(1).toString().toStdString();
        EXPECT_EQ(query.value(2).toString(), QStringLiteral("-12.05 -77.04 154.0"));
        EXPECT_EQ(query.value(3).toString(), QStringLiteral("23.57 119.58"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("places"));
}

TEST_F(ShippedCatalog, AccentedNamesKeepTheirLetters) {
    EXPECT_TRUE(catalog.cityListQuery(QStringLiteral("Switzerland")).contains(QStringLiteral("Zürich")));
    EXPECT_TRUE(catalog.countryListQuery().contains(QStringLiteral("Réunion")));
    EXPECT_TRUE(catalog.locationQuery(QStringLiteral("Vietnam"), QStringLiteral("Hà Nội")));
}

TEST_F(ShippedCatalog, AModuleReadsBackAsItsSourceLine) {
    const QStringList source = sourceLine("modules.csv", QStringLiteral("Canadian Solar,CS3K-320MS,"));
    const auto module =
        catalog.moduleRecordQuery(QStringLiteral("Canadian Solar"), QStringLiteral("CS3K-320MS"));
    ASSERT_TRUE(module);
    EXPECT_EQ(module->power, textToDouble(source[2]));
    EXPECT_EQ(module->MPP_V, textToDouble(source[3]));
    EXPECT_EQ(module->mpp_i, textToDouble(source[4]));
    EXPECT_EQ(module->kailu_V, textToDouble(source[5]));
    EXPECT_EQ(module->duanlu_i, textToDouble(source[6]));
    EXPECT_EQ(module->area, textToDouble(source[9]));
    EXPECT_EQ(module->kailu_kx, textToDouble(source[11]));
    EXPECT_EQ(module->mpp_mx, textToDouble(source[13]));
}

TEST_F(ShippedCatalog, InverterNumbersKeepTheirWrittenForm) {
    const auto first = catalog.inverterRecordQuery(QStringLiteral("KT1000-S"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->power_DC_MAX, QStringLiteral("1.20"));
    EXPECT_EQ(first->output_ACpower_max, QStringLiteral("1.0"));
    EXPECT_EQ(first->xiaolv_max, QStringLiteral("96.5%"));
    EXPECT_EQ(first->xiaolv_zuida, QStringLiteral("0.965"));
    EXPECT_EQ(catalog.inverterRecordQuery(QStringLiteral("KT30000-TH"))->output_ACpower_max,
              QStringLiteral("30.0"));
}

TEST_F(ShippedCatalog, EveryInverterHasAJpegPicture) {
    for (const QString& model : catalog.inverterListQuery()) {
        const QByteArray pic = catalog.inverterRecordQuery(model)->pic;
        ASSERT_GE(pic.size(), 2) << model.toStdString();
        EXPECT_EQ(static_cast<unsigned char>(pic[0]), 0xFF) << model.toStdString();
        EXPECT_EQ(static_cast<unsigned char>(pic[1]), 0xD8) << model.toStdString();
        EXPECT_FALSE(QImage::fromData(pic, "JPG").isNull()) << model.toStdString();
    }
}

} // namespace
} // namespace tarvel

namespace tarvel {
namespace {

TEST_F(ShippedCatalog, AReferenceNoteOnlyNamesALocationWithTheSameRadiation) {
    ASSERT_FALSE(radiationReferences().empty());
    for (const RadiationReference& r : radiationReferences()) {
        const auto location = catalog.locationQuery(r.country, r.city);
        const auto reference = catalog.locationQuery(r.referenceCountry, r.referenceCity);
        ASSERT_TRUE(location) << r.city.toStdString();
        ASSERT_TRUE(reference) << r.referenceCity.toStdString();
        EXPECT_EQ(location->radiation, reference->radiation) << r.city.toStdString();
    }
    EXPECT_FALSE(radiationReference(QStringLiteral("Australia"), QStringLiteral("Sydney")));
    EXPECT_FALSE(radiationReference(QStringLiteral("United States"), QStringLiteral("virginia beach VA")));
}

} // namespace
} // namespace tarvel
