#include "catalog/catalog.h"
#include "catalog/inverter_model_tables.h"

#include <QSet>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

QSet<QString> setOf(const QStringList& names) {
    return {names.begin(), names.end()};
}

TEST(InverterModelTables, ShippedTablesHaveTheFixedStructure) {
    const InverterModelTables& t = inverterModelTables();
    const std::array<qsizetype, 6> sizes{15, 2, 3, 10, 3, 5};
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(t.geometryRows[row].size(), sizes[row]) << "row " << row + 1;
        EXPECT_EQ(setOf(t.geometryRows[row]).size(), sizes[row]) << "row " << row + 1 << " repeats a name";
    }
    // Row 2 lies inside row 1; rows 3 to 6 share no name with row 1 or with each other.
    EXPECT_TRUE(setOf(t.geometryRows[0]).contains(setOf(t.geometryRows[1])));
    QSet<QString> seen = setOf(t.geometryRows[0]);
    for (std::size_t row = 2; row < 6; ++row) {
        EXPECT_FALSE(seen.intersects(setOf(t.geometryRows[row]))) << "row " << row + 1;
        seen.unite(setOf(t.geometryRows[row]));
    }
    // The reset list is rows 4 to 6; the selection list drops four names of row 4.
    const QSet<QString> reset =
        setOf(t.geometryRows[3]) | setOf(t.geometryRows[4]) | setOf(t.geometryRows[5]);
    EXPECT_EQ(t.doubleCurrentReset.size(), 18);
    EXPECT_EQ(setOf(t.doubleCurrentReset), reset);
    EXPECT_EQ(t.doubleCurrentSelection.size(), 14);
    EXPECT_TRUE(reset.contains(setOf(t.doubleCurrentSelection)));
    const QSet<QString> dropped = reset - setOf(t.doubleCurrentSelection);
    EXPECT_EQ(dropped.size(), 4);
    EXPECT_TRUE(setOf(t.geometryRows[3]).contains(dropped));

    EXPECT_NE(t.rawAcPowerReset, t.rawAcPowerSelection);
    EXPECT_TRUE(t.geometryRows[4].contains(t.rawAcPowerSelection));
}

TEST(InverterModelTables, EveryNameIsAShippedInverter) {
    Catalog catalog{QStringLiteral(TARVEL_SHIPPED_CATALOG)};
    const QSet<QString> shipped = setOf(catalog.inverterListQuery());
    const InverterModelTables& t = inverterModelTables();
    QStringList all = t.doubleCurrentReset + t.doubleCurrentSelection;
    for (const QStringList& row : t.geometryRows)
        all += row;
    all << t.rawAcPowerReset << t.rawAcPowerSelection;
    for (const QString& name : all)
        EXPECT_TRUE(shipped.contains(name)) << name.toStdString();
    // The reset form's raw model is the first of the list, the one a new design shows.
    EXPECT_EQ(catalog.inverterListQuery().first(), t.rawAcPowerReset);
}

TEST(InverterModelTables, MalformedTablesAreRefused) {
    const char* broken[] = {
        "not json",
        "[]",
        R"({"doubleCurrentReset": [], "doubleCurrentSelection": [], "rawAcPowerReset": "A", "rawAcPowerSelection": "B"})",
        R"({"pictureGeometryRows": {"row1": [], "row2": [], "row3": [], "row4": [], "row5": [], "row6": [1]},
            "doubleCurrentReset": [], "doubleCurrentSelection": [], "rawAcPowerReset": "A", "rawAcPowerSelection": "B"})",
        R"({"pictureGeometryRows": {"row1": [], "row2": [], "row3": [], "row4": [], "row5": [], "row6": []},
            "doubleCurrentReset": [], "doubleCurrentSelection": [], "rawAcPowerReset": "", "rawAcPowerSelection": "B"})",
    };
    for (const char* json : broken)
        EXPECT_THROW(parseInverterModelTables(QByteArray(json)), ModelTablesError) << json;
}

} // namespace
} // namespace tarvel

namespace tarvel {
namespace {

TEST(InverterModelTables, PictureGeometryFollowsTheRowsInOrder) {
    const InverterModelTables& t = inverterModelTables();
    const PictureGeometry resetForm{370, 80, 85};
    for (const char* model : {"KT1000-S", "KT4000-T1", "KT30000-TH"})
        EXPECT_EQ(pictureGeometry(t, SheetForm::Reset, QString::fromLatin1(model)), resetForm) << model;
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT5000-S")),
              (PictureGeometry{370, 80, 85}));
    // Row 2 lies inside row 1 and overrides it.
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT1500-S")),
              (PictureGeometry{340, 120, 70}));
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT4000-SC")),
              (PictureGeometry{345, 120, 85}));
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT8000-T")),
              (PictureGeometry{365, 80, 60}));
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT25000-TH")),
              (PictureGeometry{365, 90, 70}));
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT17000-TX")),
              (PictureGeometry{365, 90, 78}));
    // A model in no row keeps the geometry of a name outside row 1; names compare with case.
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("KT6000-T1")),
              (PictureGeometry{340, 123, 69}));
    EXPECT_EQ(pictureGeometry(t, SheetForm::Selection, QStringLiteral("kt5000-s")),
              (PictureGeometry{340, 123, 69}));
}

TEST(InverterModelTables, TheFormsDifferInTheirPrefixAndRawModels) {
    const InverterModelTables& t = inverterModelTables();
    EXPECT_TRUE(showsDoubleCurrent(t, SheetForm::Reset, QStringLiteral("KT8000-T")));
    EXPECT_FALSE(showsDoubleCurrent(t, SheetForm::Selection, QStringLiteral("KT8000-T")));
    EXPECT_TRUE(showsDoubleCurrent(t, SheetForm::Selection, QStringLiteral("KT12000-TL")));
    EXPECT_FALSE(showsDoubleCurrent(t, SheetForm::Reset, QStringLiteral("KT5000-S")));
    EXPECT_TRUE(showsRawAcPower(t, SheetForm::Reset, QStringLiteral("KT1000-S")));
    EXPECT_FALSE(showsRawAcPower(t, SheetForm::Selection, QStringLiteral("KT1000-S")));
    EXPECT_TRUE(showsRawAcPower(t, SheetForm::Selection, QStringLiteral("KT30000-TH")));
}

} // namespace
} // namespace tarvel
