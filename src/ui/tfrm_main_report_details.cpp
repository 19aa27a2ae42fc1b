// The report's second page: what the design is, where, what it yields month by month and after the
// cable losses, and every check with its numbers and verdict. The page's layout and captions are the
// template TarvelReportDetails (data/report); this fills its value fields.

#include "ui/tfrm_main.h"

#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "report/bar_chart.h"
#include "report/prepared_report.h"
#include "ui/check_texts.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>

namespace tarvel {
namespace {

const report::ReportTemplate& detailsSource() {
    static const report::ReportTemplate source =
        report::ReportTemplate::load(QStringLiteral(":/report/TarvelReportDetails.json"));
    return source;
}

// Captions, headings and the title are printed as the template words them, in the interface language.
bool isCaption(const QString& name) {
    return name.endsWith(QStringLiteral("Caption")) || name.endsWith(QStringLiteral("Heading")) ||
           name.endsWith(QStringLiteral("Title"));
}

QString lines(const QStringList& list) {
    return list.join(u'\n');
}

QString orDash(bool known, const QString& text) {
    return known ? text : QStringLiteral("-");
}

} // namespace

QStringList Tfrm_main::reportDetailsCaptions() {
    QStringList captions;
    for (const report::ReportObject& object : detailsSource().objects())
        if (object.kind == report::ReportObject::Kind::Text && isCaption(object.name))
            captions << object.lines;
    return captions;
}

report::ReportTemplate Tfrm_main::reportDetails() const {
    report::ReportTemplate page = detailsSource();
    for (const report::ReportObject& object : detailsSource().objects()) {
        if (object.kind != report::ReportObject::Kind::Text || !isCaption(object.name))
            continue;
        QStringList translated;
        for (const QString& line : object.lines)
            translated << ResourceTranslator::instance().translate(line);
        page.setText(object.name, lines(translated));
    }

    const figures::PlantFigures f = plantFigures();
    const TDesignSession& s = m_session;
    const QString file = m_designPath.isEmpty() ? QString() : QFileInfo(m_designPath).fileName();
    page.setText(QStringLiteral("DetProjectValues"),
                 lines({ui.Edit2->text(), ui.Edit3->text(), QDate::currentDate().toString(Qt::ISODate), file}));
    page.setText(QStringLiteral("DetSiteValues"),
                 lines({orDash(f.hasLocation, ui.ComboBox1->currentText()),
                        orDash(f.hasLocation, ui.ComboBox2->currentText()),
                        orDash(f.hasLocation, formatGeneral(s.Latitude)),
                        orDash(f.hasLocation, QString::number(s.Height)),
                        ui.SpinEdit2->text() + QStringLiteral(" … ") + ui.SpinEdit1->text(), ui.SpinEdit4->text(),
                        ui.SpinEdit5->text()}));

    QStringList months;
    QStringList yields;
    QStringList energies;
    std::vector<double> bars;
    for (std::size_t m = 0; m < 12; ++m) {
        months << QString::number(m + 1);
        yields << orDash(f.hasLocation, formatPattern(f.specificYield[m], 2));
        energies << orDash(f.hasLocation, formatPattern(f.plantEnergy[m], 1));
        bars.push_back(f.specificYield[m]);
    }
    months << res(rs::DetailsYear);
    yields << orDash(f.hasLocation, formatPattern(f.specificYieldYear, 2));
    energies << orDash(f.hasLocation, formatPattern(f.yearlyEnergy, 1));
    page.setText(QStringLiteral("DetMonthNames"), lines(months));
    page.setText(QStringLiteral("DetMonthYields"), lines(yields));
    page.setText(QStringLiteral("DetMonthEnergies"), lines(energies));
    const report::ReportObject* chart = page.findObject(QStringLiteral("DetChart"));
    if (chart && f.hasLocation)
        page.setPicture(chart->name, report::barChart(bars, months.mid(0, 12), yields.mid(0, 12), chart->rectMm.size()));

    page.setText(QStringLiteral("DetEnergyValues"),
                 lines({formatPattern(f.losses.energyBeforeKWh, 1), formatPattern(f.losses.energyAfterKWh, 1),
                        formatPattern(f.losses.lossKWh, 1), formatPattern(f.losses.lossPercent, 2),
                        f.plantYield ? formatPattern(*f.plantYield, 1) : QStringLiteral("-")}));

    const DesignFile design = captureDesign();
    const std::array<const TCableRun*, 4> runs{&s.DcCableA, &s.DcCableB, &s.DcCableC, &s.AcCable};
    QStringList names;
    QStringList lengths;
    QStringList sections;
    QStringList losses;
    QStringList rates;
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const bool carries = f.runCarriesPower[run];
        names << (run < 3 ? res(rs::SubjectDcCable).arg(QChar(u'A' + static_cast<int>(run))) : res(rs::SubjectAcCable));
        lengths << QString::number(design.cables[run].lengthM);
        sections << design.cables[run].crossSection;
        losses << orDash(carries, formatPattern(runs[run]->PowerLoss, 2));
        rates << orDash(carries, formatPattern(runs[run]->PowerLossRate, 4));
    }
    page.setText(QStringLiteral("DetCableRuns"), lines(names));
    page.setText(QStringLiteral("DetCableLengths"), lines(lengths));
    page.setText(QStringLiteral("DetCableSections"), lines(sections));
    page.setText(QStringLiteral("DetCableLosses"), lines(losses));
    page.setText(QStringLiteral("DetCableRates"), lines(rates));

    QStringList verdicts;
    QStringList reasons;
    for (const checks::Item& item : f.checks) {
        verdicts << texts::checkVerdict(item);
        reasons << texts::checkReason(item);
    }
    const std::size_t failed = checks::failing(f.checks).size();
    page.setText(QStringLiteral("DetCheckSummary"),
                 f.checks.empty() ? QString()
                 : failed == 0    ? res(rs::AllChecksPassed)
                                  : res(rs::DetailsChecksFailed).arg(failed).arg(f.checks.size()));
    page.setText(QStringLiteral("DetCheckVerdicts"), lines(verdicts));
    page.setText(QStringLiteral("DetCheckLines"), lines(reasons));
    return page;
}

report::PreparedReport Tfrm_main::preparedReport() {
    InitReport();
    report::PreparedReport prepared = report::PreparedReport::prepare(reportTemplate());
    prepared.addPage(reportDetails());
    prepared.numberPages(res(rs::PageOfPages));
    // A PDF viewer lists the report under the project: the design's file and the design company
    // ("berlin — Sunny Roofs Ltd"), whichever of them there is; the template's name only without both.
    QStringList project;
    if (!m_designPath.isEmpty())
        project << QFileInfo(m_designPath).completeBaseName();
    if (!ui.Edit2->text().trimmed().isEmpty())
        project << ui.Edit2->text().trimmed();
    if (!project.isEmpty())
        prepared.setTitle(project.join(QStringLiteral(" \u2014 ")));
    return prepared;
}

} // namespace tarvel
