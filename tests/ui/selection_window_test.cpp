#include "design/number_format.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/selection_assistant.h"
#include "ui/spin_edit.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kDanger = QStringLiteral("System in danger.Please check your dimensioning!");

class SiteRows : public testing::Test {
protected:
    SiteRows() {
        f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
        f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT5000-S")); // 1000 V, MPP 200-850 V, 18 A
        f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
        f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
        f.type(QStringLiteral("SpinEdit6"), QStringLiteral("2"));
        f.type(QStringLiteral("SpinEdit7"), QStringLiteral("10"));
    }
    QString tip(const char* name) { return f.window().explain(f.find<QWidget>(QString::fromLatin1(name))); }
    MainWindowFixture f;
};

// The fixture's module: Voc 37.5 V at -0.34 %/K, MPP 30.5 V at -150 mV/K, 8.5 A. At -10 C a module
// has 41.9625 V (1000 V / 41.9625 = 23.8) and 35.75 V at the MPP (850 V / 35.75 = 23.8); at 70 C
// 23.75 V at the MPP (200 V / 23.75 = 8.4).
TEST_F(SiteRows, ShowTheLimitsAndTheChecksAtTheDesignTemperatures) {
    EXPECT_EQ(f.text(QStringLiteral("capSiteRange")),
              QStringLiteral("Modules per string at \u221210 \u2026 70 \u00b0C"));
    EXPECT_EQ(f.text(QStringLiteral("SiteRangeA")), QStringLiteral("9\u201323 (MPP up to 23)"));
    EXPECT_EQ(f.text(QStringLiteral("SiteCheckA")), QStringLiteral("Passed"));
    EXPECT_TRUE(tip("SiteRangeA")
                    .contains(QStringLiteral(
                        "Modules per string at most 23 (24: Voc at \u221210 \u00b0C 1007.10 V > 1000 V)")))
        << tip("SiteRangeA").toStdString();
    EXPECT_TRUE(tip("SiteCheckA").contains(QStringLiteral("String current: 17 A \u2264 18 A")));
    EXPECT_TRUE(tip("SiteCheckA").contains(QStringLiteral("is not in the catalog: not checked")));
    EXPECT_TRUE(f.text(QStringLiteral("SiteRangeB")).isEmpty());

    // Colder: 37.5 V x 1.221 = 45.7875 V a module, 21 fit below 1000 V.
    f.type(QStringLiteral("SpinEdit2"), QStringLiteral("-40"));
    EXPECT_EQ(f.text(QStringLiteral("capSiteCheck")), QStringLiteral("Check at \u221240 \u2026 70 \u00b0C"));
    EXPECT_EQ(f.text(QStringLiteral("SiteRangeA")), QStringLiteral("9\u201321 (MPP up to 21)"));

    // Eight modules: 190 V at 70 C; the specified 70 C icon warns as well.
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("8"));
    EXPECT_EQ(f.text(QStringLiteral("SiteCheckA")), QStringLiteral("MPP at 70 \u00b0C 190.00 V < 200 V"));
    EXPECT_EQ(f.find<QLabel>(QStringLiteral("SiteCheckA"))->property("state").toString(),
              QStringLiteral("warning"));
    EXPECT_EQ(f.find<StatusIcon>(QStringLiteral("Image7"))->mark(), cmWarning);
    // 22 modules at -40 C: 1007.33 V, a danger before the current's warning.
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("3"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("22"));
    EXPECT_EQ(f.text(QStringLiteral("SiteCheckA")),
              QStringLiteral("Voc at \u221240 \u00b0C 1007.33 V > 1000 V"));
    EXPECT_EQ(f.find<QLabel>(QStringLiteral("SiteCheckA"))->property("state").toString(),
              QStringLiteral("danger"));

    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("0"));
    EXPECT_TRUE(f.text(QStringLiteral("SiteRangeA")).isEmpty());
    EXPECT_TRUE(f.text(QStringLiteral("SiteCheckA")).isEmpty());
    EXPECT_TRUE(tip("SiteCheckA").isEmpty());
}

TEST_F(SiteRows, TheStatusIconsGiveTheirNumbers) {
    EXPECT_EQ(tip("Image8"),
              QStringLiteral("Open-circuit voltage at \u221210 \u00b0C: 419.63 V \u2264 1000 V "
                             "(maximum DC voltage)"));
    EXPECT_EQ(tip("Image22"), QStringLiteral("Open-circuit voltage at 25 \u00b0C: 375 V \u2264 1000 V "
                                             "(maximum DC voltage)"));
    EXPECT_EQ(tip("Image7"),
              QStringLiteral("MPP voltage at 70 \u00b0C: 237.50 V \u2265 200 V (minimum MPP voltage)"));
    EXPECT_EQ(tip("Image9"), QStringLiteral("String current: 2 \u00d7 8.5 A = 17 A \u2264 18 A "
                                            "(maximum DC current of one input)"));
    EXPECT_EQ(tip("Image23"),
              QStringLiteral("Nominal power ratio: 6200 W / 5000 W = 124.00% (best between 80% and 110%)"));
    const QString cable = tip("Image1");
    EXPECT_TRUE(cable.startsWith(QStringLiteral("Power loss: ") + f.text(QStringLiteral("DCA_powerloss")) +
                                 QStringLiteral(" W = ") + f.text(QStringLiteral("DCA_powerlossrate"))))
        << cable.toStdString();
    // Hovering shows it.
    QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), QPoint(100, 100));
    QCoreApplication::sendEvent(f.find<QWidget>(QStringLiteral("Image8")), &hover);
    EXPECT_EQ(QToolTip::text(), tip("Image8"));
    // An icon that is cleared explains nothing.
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("0"));
    EXPECT_TRUE(tip("Image8").isEmpty());
    EXPECT_TRUE(tip("Image23").isEmpty());
}

QTreeWidget* treeOf(SelectionAssistant* a) {
    return a->findChild<QTreeWidget*>(QStringLiteral("TreeInverters"));
}

TEST_F(SiteRows, TheAssistantOpensOnceFromEveryPlaceWithInputAsModule) {
    f.find<QAction>(QStringLiteral("SelectionAssistant"))->trigger();
    SelectionAssistant* assistant = f.window().selectionAssistant();
    ASSERT_TRUE(assistant);
    EXPECT_FALSE(assistant->isModal());
    f.find<QPushButton>(QStringLiteral("AssistantButton4"))->click();
    f.find<QPushButton>(QStringLiteral("AssistantButton5"))->click();
    EXPECT_EQ(f.window().selectionAssistant(), assistant);
    EXPECT_EQ(f.window().findChildren<SelectionAssistant*>().size(), 1);

    EXPECT_EQ(assistant->findChild<QComboBox*>(QStringLiteral("ComboBoxType"))->currentText(),
              QStringLiteral("A-250"));
    EXPECT_EQ(assistant->findChild<QSpinBox*>(QStringLiteral("SpinModules"))->value(), 20);
    ASSERT_EQ(assistant->results().size(), 2u);
    QTreeWidget* tree = treeOf(assistant);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    // 20 x 250 W: 5000 W against KT3000-S's 3600 W is 72 %, against KT5000-S's 6200 W 124 %: both valid,
    // with the same energy (same efficiency), so in catalog order.
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("KT5000-S"));

    // Recomputed as the user types.
    assistant->findChild<QSpinBox*>(QStringLiteral("SpinModules"))->setValue(22);
    EXPECT_EQ(assistant->results().front().modulesAsked, 22);
    assistant->findChild<QRadioButton*>(QStringLiteral("RadioPeakPower"))->setChecked(true);
    assistant->findChild<QLineEdit*>(QStringLiteral("EditPeakPower"))->setText(QStringLiteral("5.5"));
    EXPECT_EQ(assistant->results().front().modulesAsked, 22); // 5500 W / 250 W
    EXPECT_EQ(assistant->findChild<QLabel*>(QStringLiteral("LabelPowerCount"))->text(),
              QStringLiteral("= 22 modules"));
    assistant->findChild<QLineEdit*>(QStringLiteral("EditPeakPower"))->setText(QStringLiteral("4.9"));
    EXPECT_EQ(assistant->results().front().modulesAsked, 19);
    // The design's temperatures are followed.
    f.type(QStringLiteral("SpinEdit2"), QStringLiteral("-40"));
    QCoreApplication::processEvents();
    const auto kt5000 =
        std::find_if(assistant->results().begin(), assistant->results().end(),
                     [](const selection::InverterResult& r) { return r.inverter.model == "KT5000-S"; });
    ASSERT_NE(kt5000, assistant->results().end());
    EXPECT_EQ(kt5000->limits.nMax(), 21);
    assistant->close();
}

// The assistant's numbers are the ones the pages show once its layout is applied.
TEST_F(SiteRows, ApplyShowsTheAssistantsNumbersInTheSpecifiedLabels) {
    f.window().SelectionAssistantClick();
    SelectionAssistant* assistant = f.window().selectionAssistant();
    assistant->findChild<QSpinBox*>(QStringLiteral("SpinModules"))->setValue(33);
    QTreeWidget* tree = treeOf(assistant);
    QTreeWidgetItem* inverter = tree->topLevelItem(0);
    ASSERT_EQ(inverter->text(0), QStringLiteral("KT5000-S"));
    inverter->setExpanded(true);
    ASSERT_GT(inverter->childCount(), 1);
    // A three-input layout rather than the best one.
    QTreeWidgetItem* chosen = nullptr;
    for (int i = 0; i < inverter->childCount() && !chosen; ++i)
        if (inverter->child(i)->text(3).count(u',') == 2)
            chosen = inverter->child(i);
    ASSERT_TRUE(chosen);
    tree->setCurrentItem(chosen);
    const selection::InverterResult& result = assistant->results().front();
    const int index = chosen->data(0, Qt::UserRole + 1).toInt();
    const selection::Layout layout = result.layouts[static_cast<std::size_t>(index)];
    f.window().findChild<QTabWidget*>(QStringLiteral("RzPageControl1"))->setCurrentIndex(0);
    auto* apply = assistant->findChild<QPushButton*>(QStringLiteral("ButtonApply"));
    ASSERT_TRUE(apply->isEnabled());
    apply->click();

    EXPECT_TRUE(f.dialogs.messages.isEmpty()) << f.dialogs.messages.join(u'\n').toStdString();
    EXPECT_EQ(f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->currentIndex(), 2);
    const char* const strings[3] = {"SpinEdit6", "SpinEdit8", "SpinEdit10"};
    const char* const perString[3] = {"SpinEdit7", "SpinEdit9", "SpinEdit11"};
    const char* const types[3] = {"ComboBox4", "ComboBox6", "ComboBox8"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(f.text(QString::fromLatin1(strings[i])), QString::number(layout.inputs[i].strings));
        EXPECT_EQ(f.text(QString::fromLatin1(perString[i])),
                  QString::number(layout.inputs[i].modulesPerString));
        EXPECT_EQ(f.text(QString::fromLatin1(types[i])), QStringLiteral("A-250"));
    }
    EXPECT_EQ(f.text(QStringLiteral("ComboBox17")), QStringLiteral("KT5000-S"));
    EXPECT_EQ(f.text(QStringLiteral("PV_Power")), formatPattern(layout.peakPowerW / 1000, 3));
    EXPECT_EQ(f.text(QStringLiteral("Power_Rate")),
              formatPatternOnGeneral(layout.powerRatioPercent, 2) + u'%');
    ASSERT_TRUE(layout.yearlyEnergyKWh);
    EXPECT_EQ(f.text(QStringLiteral("Power_Year")), formatPattern(*layout.yearlyEnergyKWh, 1));
    EXPECT_EQ(f.session().YearlyEnergy, *layout.yearlyEnergyKWh);
    EXPECT_EQ(f.session().TotalPower, layout.peakPowerW);
    assistant->close();
}

TEST(SelectionAssistantWithoutCity, ShowsNoEnergyAndCannotApply) {
    MainWindowFixture f;
    f.window().SelectionAssistantClick();
    SelectionAssistant* assistant = f.window().selectionAssistant();
    auto* maker = assistant->findChild<QComboBox*>(QStringLiteral("ComboBoxMaker"));
    auto* type = assistant->findChild<QComboBox*>(QStringLiteral("ComboBoxType"));
    EXPECT_TRUE(assistant->results().empty());
    EXPECT_EQ(assistant->findChild<QLabel*>(QStringLiteral("LabelSummary"))->text(),
              QStringLiteral("Choose a module manufacturer and type."));
    maker->setCurrentIndex(maker->findText(QStringLiteral("Beta")));
    emit maker->activated(maker->currentIndex());
    type->setCurrentIndex(type->findText(QStringLiteral("B-310")));
    emit type->activated(type->currentIndex());
    ASSERT_EQ(assistant->results().size(), 2u);
    QTreeWidget* tree = treeOf(assistant);
    EXPECT_EQ(tree->topLevelItem(0)->text(8), QStringLiteral("n/a"));
    EXPECT_FALSE(assistant->results().front().best()->yearlyEnergyKWh);
    tree->setCurrentItem(tree->topLevelItem(0));
    EXPECT_FALSE(assistant->findChild<QPushButton*>(QStringLiteral("ButtonApply"))->isEnabled());
    assistant->applySelected();
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit6")), QStringLiteral("0"));
    assistant->close();
}

// Every module and inverter of the shipped catalog in the window.
void fillFromShippedCatalog(test::TempCatalog& temp) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VurIvira"));
    if (!QFile::copy(QStringLiteral(TARVEL_SHIPPED_CATALOG), path))
        throw std::runtime_error("no shipped catalog");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Catalog shipped(path);
    Catalog& c = temp.catalog();
    c.inOneTransaction([&] {
        for (const QString& maker : shipped.makerListQuery())
            for (const QString& type : shipped.moduleTypeListQuery(maker))
                c.moduleInsert(*readCatalogModule(shipped, maker, type));
        // Without their pictures, which no check needs.
        for (const QString& model : shipped.inverterListQuery())
            c.inverterInsert(*shipped.inverterRecordQuery(model));
        const TLocationRow berlin =
            *shipped.locationQuery(QStringLiteral("Germany"), QStringLiteral("Berlin"));
        TCountryInfo l;
        l.country = QStringLiteral("Germany");
        l.city = QStringLiteral("Berlin");
        l.Latitude = berlin.latitude;
        l.height = berlin.height;
        l.months = berlin.radiation;
        c.locationInsert(l);
    });
}

// At -10/70 C the assistant's best layout, applied through the window, shows no danger and no current
// or MPP warning among the six icons of its inputs; one module more than nMax on input A brings the
// danger and its message. Every module and every inverter of the shipped catalog takes part (each
// inverter with three modules, each module at least once); that every pair and every length agrees
// with the six checks is the engine test's (ShippedCatalogSite), as applying all 3,200 pairs through
// the window would take half a minute.
TEST(SelectionAgreement, EveryShippedModuleAndInverterThroughTheWindow) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), fillFromShippedCatalog);
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    Catalog& catalog = f.catalog.catalog();
    const std::vector<site::InverterRating> inverters = readCatalogInverters(catalog);
    std::vector<TPanelInfo> modules;
    for (const QString& maker : catalog.makerListQuery())
        for (const QString& type : catalog.moduleTypeListQuery(maker))
            modules.push_back(*readCatalogModule(catalog, maker, type));
    ASSERT_EQ(inverters.size(), 40u);
    ASSERT_EQ(modules.size(), 80u);
    const MainWindowUi& ui = f.window().controls();
    int applied = 0, multiInput = 0, dangers = 0;
    for (std::size_t k = 0; k < inverters.size(); ++k) {
        for (const std::size_t m : {k, k + 40, (k * 37 + 11) % 80}) {
            const TPanelInfo& module = modules[m];
            const selection::InverterResult r = selection::evaluate(f.window().selectionRequest(module, 30),
                                                                    inverters[k], static_cast<int>(k));
            const selection::Layout* best = r.best();
            if (!best)
                continue;
            SCOPED_TRACE((r.inverter.model + u' ' + module.strings_type).toStdString());
            f.dialogs.messages.clear();
            const Tfrm_main::OpenResult result =
                f.window().applyLayout(r.inverter.model, module.product_name, module.strings_type, *best);
            ++applied;
            multiInput += best->inputCount > 1 ? 1 : 0;
            ASSERT_TRUE(result.messages.isEmpty()) << result.messages.join(u'\n').toStdString();
            ASSERT_TRUE(result.skipped.isEmpty());
            for (int i = 0; i < best->inputCount; ++i)
                for (const StatusIcon* icon : ui.inputs[static_cast<std::size_t>(i)].marks)
                    ASSERT_EQ(icon->mark(), cmOk) << icon->objectName().toStdString();
            EXPECT_EQ(f.session().TotalModules, best->modules);
            EXPECT_EQ(f.text(QStringLiteral("SiteCheckA")), QStringLiteral("Passed"));

            const int above = r.limits.nMax() + 1;
            if (above <= site::kMaxModulesPerString && r.limits.inverterVoltage.count == r.limits.nMax()) {
                f.type(QStringLiteral("SpinEdit7"), QString::number(above));
                EXPECT_EQ(ui.inputs[0].marks[2]->mark(), cmDanger);
                EXPECT_TRUE(f.dialogs.messages.contains(kDanger));
                EXPECT_TRUE(
                    f.text(QStringLiteral("SiteCheckA")).startsWith(QStringLiteral("Voc at \u221210")));
                ++dangers;
            }
        }
    }
    EXPECT_GT(applied, 100);
    EXPECT_GT(multiInput, 20);
    EXPECT_GT(dangers, 50);
}

} // namespace
} // namespace tarvel
