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
