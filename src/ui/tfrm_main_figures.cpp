// Figures beside the specified results: the month table of the ProjectInfo page, the Result page's
// months, energy after the cable losses and design check, the reasons of disabled tabs, and the
// export of the results.

#include "ui/tfrm_main.h"

#include "app/dialogs.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/check_texts.h"
#include "ui/display_widgets.h"
#include "ui/results_export.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>

namespace tarvel {
namespace {

// Why a design page cannot be entered yet: the first step still missing.
const char* missingStep(int enabledCount) {
    switch (enabledCount) {
    case 1:
        return rs::NeedsCity;
    case 2:
        return rs::NeedsInverter;
    case 3:
        return rs::NeedsModules;
    default:
        break;
    }
    return rs::NeedsAcCable;
}

} // namespace

figures::PlantFigures Tfrm_main::plantFigures() const {
    figures::InputFacts facts;
    for (InputId id : kAllInputs) {
        const std::size_t i = static_cast<std::size_t>(id);
        facts.judged[i] = m_session.input(id).ModuleCount > 0 && !noTypeChosen(id);
        if (!facts.judged[i])
            continue;
        if (const std::optional<InputSiteCheck> check = siteCheck(id))
            facts.site[i] = check->checks;
    }
    return figures::plantFigures(m_session, !nothingChosen(ui.ComboBox2->currentText(), res(rs::ChooseCity)),
                                 facts);
}

// The chart's values beside it, written as the yearly value in "Energy" is.
void Tfrm_main::showMonthTable(const MonthTable& yields) {
    for (std::size_t m = 0; m < 12; ++m)
        ui.MonthTable->item(static_cast<int>(m), 1)->setText(formatPattern(yields[m], 2));
    ui.MonthTable->item(12, 1)->setText(ui.Energy->text());
}

void Tfrm_main::showPlantFigures() {
    const figures::PlantFigures f = plantFigures();
    for (std::size_t m = 0; m < 12; ++m)
        ui.MonthEnergy->item(0, static_cast<int>(m))->setText(formatPattern(f.plantEnergy[m], 0));
    // Whole kWh like the months, so the year fits its cell; "Yearly yield" above gives the decimal.
    ui.MonthEnergy->item(0, 12)->setText(formatPattern(f.yearlyEnergy, 0));
    ui.PlantYield->setText(f.plantYield ? formatPattern(*f.plantYield, 1) : QStringLiteral("-"));
    ui.EnergyAfterLosses->setText(formatPattern(f.losses.energyAfterKWh, 1));
    ui.CableLoss->setText(texts::lossText(f.losses));

    ui.DesignCheck->clear();
    const std::vector<checks::Item> failing = checks::failing(f.checks);
    for (const checks::Item& item : failing)
        new QListWidgetItem(QIcon(imageListIcon(static_cast<int>(item.mark) - 1)), texts::checkReason(item),
                            ui.DesignCheck);
    if (failing.empty() && !f.checks.empty())
        new QListWidgetItem(QIcon(imageListIcon(0)), res(rs::AllChecksPassed), ui.DesignCheck);
}

void Tfrm_main::clearPlantFigures() {
    for (int column = 0; column < ui.MonthEnergy->columnCount(); ++column)
        ui.MonthEnergy->item(0, column)->setText(QString());
    for (QLabel* label : {ui.PlantYield, ui.EnergyAfterLosses, ui.CableLoss})
        label->clear();
    ui.DesignCheck->clear();
}

void Tfrm_main::explainDisabledPages(int enabledCount) {
    for (int i = 0; i < ui.RzPageControl1->count(); ++i)
        ui.RzPageControl1->setTabToolTip(i, i < enabledCount ? QString() : res(missingStep(enabledCount)));
}

void Tfrm_main::ExportResultsClick() {
    const QString path = dialogs().saveResultsFile(this);
    if (path.isEmpty())
        return;
    try {
        writeResults(*this, path);
    } catch (const std::exception& error) {
        dialogs().errorReport(this, res(rs::ResultsNotExported) + u' ' + QString::fromUtf8(error.what()));
    }
}

} // namespace tarvel
