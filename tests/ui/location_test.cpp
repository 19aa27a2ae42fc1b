#include "design/number_format.h"
#include "design/solar_model.h"
#include "i18n/resource_texts.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QBarSeries>
#include <QBarSet>
#include <QLabel>
#include <QLineEdit>
#include <QValueAxis>

#include <algorithm>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

// The fixture's radiation values (tests/support/main_window_fixture.cpp).
const MonthTable kRadiation{60, 90, 130, 170, 210, 230, 220, 190, 150, 100, 65, 50};
constexpr double kBerlinLatitude = 52.52;

class Location : public testing::Test {
protected:
    void chooseBerlin() {
        f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    }
    QBarSet* bars() {
        auto* series = f.window().controls().Series1;
        return series->count() == 1 ? series->barSets().first() : nullptr;
    }
    MainWindowFixture f;
};

TEST_F(Location, ACityLoadsItsClimateAndTheYieldsAtTheOptimalTilt) {
    chooseBerlin();
    const int tilt = solar::maxsun(kBerlinLatitude, kRadiation);
    const solar::MonthlyYields yields = solar::month_solar(kBerlinLatitude, kRadiation, tilt, 0);
    EXPECT_EQ(f.session().OptimalTilt, tilt);
    EXPECT_EQ(f.session().Tilt, tilt);
    EXPECT_EQ(f.session().Height, 34);
    EXPECT_EQ(f.session().MonthlyTemperature, solar::month_temp_cha(kBerlinLatitude, 34));
    EXPECT_EQ(f.text(QStringLiteral("qing_jiao")), QString::number(tilt));
    EXPECT_EQ(f.text(QStringLiteral("pian_jiao")), QStringLiteral("0"));
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit4")), QString::number(tilt));
    EXPECT_EQ(f.text(QStringLiteral("Energy")), formatPattern(yields.total, 2));
    EXPECT_EQ(f.text(QStringLiteral("Label57")), QStringLiteral("Tilt angle:%1 Degree").arg(tilt));
    EXPECT_EQ(f.text(QStringLiteral("Label58")), QStringLiteral("Azimuth:0 Degree"));
    EXPECT_EQ(f.text(QStringLiteral("Temp")), QStringLiteral("50"));
    EXPECT_EQ(f.text(QStringLiteral("Power_Year")), QStringLiteral("0.0"));
    ASSERT_NE(bars(), nullptr);
    ASSERT_EQ(bars()->count(), 12);
    for (int m = 0; m < 12; ++m)
        EXPECT_DOUBLE_EQ(bars()->at(m), yields.yields[static_cast<std::size_t>(m)]);
}

TEST_F(Location, RoofPitchAndAzimuthRecomputeTheYields) {
    chooseBerlin();
    const QString optimal = f.text(QStringLiteral("qing_jiao"));
    f.type(QStringLiteral("SpinEdit4"), QStringLiteral("35"));
    EXPECT_EQ(f.session().Tilt, 35);
    EXPECT_EQ(f.text(QStringLiteral("Label57")), QStringLiteral("Tilt angle:35 Degree"));
    EXPECT_EQ(f.text(QStringLiteral("Energy")),
              formatPattern(solar::month_solar(kBerlinLatitude, kRadiation, 35, 0).total, 2));
    EXPECT_EQ(f.text(QStringLiteral("qing_jiao")), optimal);

    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("-45"));
    EXPECT_EQ(f.session().Azimuth, -45);
    EXPECT_EQ(f.text(QStringLiteral("Label58")), QStringLiteral("Azimuth:-45 Degree"));
    const QString energy = f.text(QStringLiteral("Energy"));
    EXPECT_EQ(energy, formatPattern(solar::month_solar(kBerlinLatitude, kRadiation, 35, -45).total, 2));

    // A lone minus sign while typing, and an empty field, change nothing.
    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("-"));
    EXPECT_EQ(f.session().Azimuth, -45);
    EXPECT_EQ(f.text(QStringLiteral("Energy")), energy);
    EXPECT_EQ(f.text(QStringLiteral("Label58")), QStringLiteral("Azimuth:-45 Degree"));
    f.type(QStringLiteral("SpinEdit5"), QString());
    EXPECT_EQ(f.session().Azimuth, -45);
}

TEST_F(Location, ChoosingACountryKeepsThePreviousCityOnScreen) {
    chooseBerlin();
    const QString energy = f.text(QStringLiteral("Energy"));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("France"));
    EXPECT_EQ(f.text(QStringLiteral("Energy")), energy);
    EXPECT_EQ(f.text(QStringLiteral("Label64")), QStringLiteral("City:Berlin"));
    EXPECT_EQ(bars()->count(), 12);
    EXPECT_TRUE(f.find<SpinEdit>(QStringLiteral("SpinEdit4"))->isReadOnly());
    // Typing into a locked orientation field while no city is chosen puts "0" back.
    f.type(QStringLiteral("SpinEdit4"), QStringLiteral("20"));
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit4")), QStringLiteral("0"));
}

TEST_F(Location, ACityWithoutACatalogRowKeepsTheOldValuesButNamesTheNewCity) {
    chooseBerlin();
    const TDesignSession before = f.session();
    const QString energy = f.text(QStringLiteral("Energy"));
    // A city listed for the country but no longer in the catalog.
    f.find<QComboBox>(QStringLiteral("ComboBox2"))->addItem(QStringLiteral("Atlantis"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Atlantis"));
    EXPECT_EQ(f.session().Latitude, before.Latitude);
    EXPECT_EQ(f.session().MonthlyYield, before.MonthlyYield);
    EXPECT_EQ(f.text(QStringLiteral("Energy")), energy);
    EXPECT_EQ(f.text(QStringLiteral("Label64")), QStringLiteral("City:Atlantis"));
    EXPECT_EQ(f.text(QStringLiteral("Position")), QStringLiteral("Atlantis;Germany"));
}

TEST_F(Location, ASouthernCityGetsItsYieldFacingNorth) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Australia"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Sydney"));
    EXPECT_GT(f.session().OptimalTilt, 20);
    EXPECT_GT(f.session().MonthlyTemperature[0], f.session().MonthlyTemperature[6]);
}

TEST_F(Location, NewDesignEmptiesTheYieldsAndTheChart) {
    chooseBerlin();
    f.window().N14Click();
    EXPECT_EQ(f.text(QStringLiteral("Energy")), QString());
    EXPECT_EQ(bars(), nullptr);
    EXPECT_EQ(f.session().MonthlyYield, MonthTable{});
    EXPECT_EQ(f.text(QStringLiteral("qing_jiao")), QStringLiteral("0"));
}

TEST_F(Location, NegativeMonthsAreDrawnBelowZeroAndANoticeSaysTheModelDoesNotHold) {
    chooseBerlin();
    auto* notice = f.find<QLabel>(QStringLiteral("ModelNotice"));
    auto* axis = qobject_cast<QValueAxis*>(f.window().controls().Series1->attachedAxes().value(1));
    ASSERT_NE(axis, nullptr);
    EXPECT_TRUE(notice->isHidden());
    EXPECT_EQ(axis->min(), 0);

    f.type(QStringLiteral("SpinEdit4"), QStringLiteral("89"));
    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("-91"));
    const MonthTable yields = solar::month_solar(kBerlinLatitude, kRadiation, 89, -91).yields;
    const double lowest = *std::min_element(yields.begin(), yields.end());
    ASSERT_LT(lowest, 0);
    // The model's numbers stay as they are; the axis reaches them and the notice explains them.
    EXPECT_EQ(f.session().MonthlyYield, yields);
    for (int m = 0; m < 12; ++m)
        EXPECT_DOUBLE_EQ(bars()->at(m), yields[static_cast<std::size_t>(m)]);
    EXPECT_LE(axis->min(), lowest);
    EXPECT_GE(axis->max(), *std::max_element(yields.begin(), yields.end()));
    EXPECT_FALSE(notice->isHidden());
    EXPECT_EQ(notice->text(), QString::fromLatin1(rs::OutsideModelNotice));

    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("0"));
    EXPECT_TRUE(notice->isHidden());
    EXPECT_EQ(axis->min(), 0);
    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("-91"));
    f.window().N14Click();
    EXPECT_TRUE(notice->isHidden());
}

} // namespace
} // namespace tarvel
