#include "ui/display_widgets.h"
#include "ui/main_window_ui.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace tarvel {
namespace {

QGroupBox* locationGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* group = makeGroup(page, QStringLiteral("grpLocation"), QStringLiteral("Location"));
    auto* grid = new QGridLayout(group);
    ui.ComboBox1 = makeFilterChooser(group, QStringLiteral("ComboBox1"));
    ui.ComboBox2 = makeFilterChooser(group, QStringLiteral("ComboBox2"));
    addRow(grid, 0, makeCaption(group, QStringLiteral("capCountry"), QStringLiteral("Country")),
           ui.ComboBox1);
    addRow(grid, 1, makeCaption(group, QStringLiteral("capCity"), QStringLiteral("City")), ui.ComboBox2);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* temperatureGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* group =
        makeGroup(page, QStringLiteral("grpTemperature"), QStringLiteral("PV-design temperatrue"));
    auto* grid = new QGridLayout(group);
    ui.SpinEdit1 = makeSpinEdit(group, QStringLiteral("SpinEdit1"), -10, 80, 70);
    ui.SpinEdit2 = makeSpinEdit(group, QStringLiteral("SpinEdit2"), -40, 20, -10);
    ui.SpinEdit3 = makeSpinEdit(group, QStringLiteral("SpinEdit3"), 0, 70, 50);
    addRow(grid, 0,
           makeCaption(group, QStringLiteral("capMaxTemp"), QStringLiteral("Maximum PV temp.[Deg.C]")),
           ui.SpinEdit1);
    addRow(grid, 1,
           makeCaption(group, QStringLiteral("capMinTemp"), QStringLiteral("Minimum PV temp.[Deg.C]")),
           ui.SpinEdit2);
    addRow(grid, 2,
           makeCaption(group, QStringLiteral("capDesignTemp"), QStringLiteral("Project design temp.[Deg.C]")),
           ui.SpinEdit3);
    grid->setColumnStretch(0, 1);
    return group;
}

QGroupBox* mountingGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* group = makeGroup(page, QStringLiteral("grpMounting"), QString());
    auto* grid = new QGridLayout(group);
    ui.RzEdit3 = makeReadOnlyEdit(group, QStringLiteral("RzEdit3"), QString());
    ui.qing_jiao = makeReadOnlyEdit(group, QStringLiteral("qing_jiao"), QStringLiteral("0"));
    ui.pian_jiao = makeReadOnlyEdit(group, QStringLiteral("pian_jiao"), QStringLiteral("0"));
    addRow(grid, 0,
           makeCaption(group, QStringLiteral("capMounting"), QStringLiteral("Mounting style of PV modules")),
           ui.RzEdit3);
    addRow(grid, 1,
           makeCaption(group, QStringLiteral("capOptimalTilt"), QStringLiteral("Optimal tilt angle[Degree]")),
           ui.qing_jiao);
    addRow(grid, 2,
           makeCaption(group, QStringLiteral("capOptimalBias"), QStringLiteral("Optimal bias angle[Degree]")),
           ui.pian_jiao);
    grid->setColumnStretch(0, 1);
    return group;
}

QGroupBox* orientationGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* group = makeGroup(page, QStringLiteral("grpOrientation"), QString());
    auto* grid = new QGridLayout(group);
    ui.RzLabel11 = makeCaption(group, QStringLiteral("RzLabel11"), QStringLiteral("Roof pitch[Degree]"));
    ui.RzLabel12 = makeCaption(group, QStringLiteral("RzLabel12"), QStringLiteral("Azimuth[Degree]"));
    ui.SpinEdit4 = makeSpinEdit(group, QStringLiteral("SpinEdit4"), 0, 89, 0);
    ui.SpinEdit5 = makeSpinEdit(group, QStringLiteral("SpinEdit5"), -91, 89, 0);
    ui.Energy = makeReadOnlyEdit(group, QStringLiteral("Energy"), QString());
    addRow(grid, 0, ui.RzLabel11, ui.SpinEdit4);
    addRow(grid, 1, ui.RzLabel12, ui.SpinEdit5);
    addRow(grid, 2, makeCaption(group, QStringLiteral("capEnergy"), QStringLiteral("Energy(KWh/KWp/Year)")),
           ui.Energy);
    grid->setColumnStretch(0, 1);
    return group;
}

QChartView* sunshineChart(QWidget* page, MainWindowUi& ui) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Sunshine distribution"));
    chart->legend()->hide();
    chart->setBackgroundRoundness(4);
    chart->setMargins(QMargins(4, 4, 4, 4));

    ui.Series1 = new QBarSeries(chart);
    ui.Series1->setObjectName(QStringLiteral("Series1"));
    ui.Series1->setBarWidth(0.45);
    ui.Series1->setLabelsVisible(false);
    chart->addSeries(ui.Series1);

    auto* months = new QBarCategoryAxis(chart);
    months->setObjectName(QStringLiteral("axisMonth"));
    months->setTitleText(QStringLiteral("Month"));
    for (int month = 1; month <= 12; ++month)
        months->append(QString::number(month));
    auto* values = new QValueAxis(chart);
    values->setObjectName(QStringLiteral("axisValue"));
    values->setTitleText(QStringLiteral("KWh/KWp"));
    values->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(months, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    ui.Series1->attachAxis(months);
    ui.Series1->attachAxis(values);

    auto* view = new QChartView(chart, page);
    view->setObjectName(QStringLiteral("Chart1"));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

} // namespace

void setupProjectPage(QWidget* page, MainWindowUi& ui) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);

    auto* groups = new QGridLayout;
    groups->setHorizontalSpacing(12);
    groups->addWidget(locationGroup(page, ui), 0, 0);
    groups->addWidget(temperatureGroup(page, ui), 1, 0);
    groups->addWidget(mountingGroup(page, ui), 0, 1);
    groups->addWidget(orientationGroup(page, ui), 1, 1);
    groups->setColumnStretch(0, 1);
    groups->setColumnStretch(1, 1);
    layout->addLayout(groups);

    ui.Memo2 = new Memo(page);
    ui.Memo2->setObjectName(QStringLiteral("Memo2"));
    ui.Memo2->setFixedHeight(40);
    ui.Memo2->setVisible(false);
    layout->addWidget(ui.Memo2);

    // Its text is a resource text, written when it is shown.
    ui.ModelNotice = new QLabel(page);
    ui.ModelNotice->setObjectName(QStringLiteral("ModelNotice"));
    ui.ModelNotice->setProperty("role", QStringLiteral("warning"));
    ui.ModelNotice->setWordWrap(true);
    ui.ModelNotice->setTextFormat(Qt::PlainText);
    ui.ModelNotice->setVisible(false);
    layout->addWidget(ui.ModelNotice);

    // The chart and, beside it, its values: twelve months and the year.
    auto* chartRow = new QHBoxLayout;
    chartRow->setSpacing(8);
    ui.Chart1 = sunshineChart(page, ui);
    chartRow->addWidget(ui.Chart1, 1);
    ui.MonthTable = makeFigureTable(page, QStringLiteral("MonthTable"), 13, 2, 18);
    ui.MonthTable->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Month")));
    ui.MonthTable->setHorizontalHeaderItem(1, new QTableWidgetItem(QStringLiteral("KWh/KWp")));
    for (int month = 1; month <= 12; ++month) {
        ui.MonthTable->item(month - 1, 0)->setText(QString::number(month));
        ui.MonthTable->item(month - 1, 0)->setTextAlignment(Qt::AlignCenter);
    }
    ui.MonthTable->item(12, 0)->setText(QStringLiteral("Year"));
    ui.MonthTable->item(12, 0)->setTextAlignment(Qt::AlignCenter);
    for (QTableWidgetItem* year : {ui.MonthTable->item(12, 0), ui.MonthTable->item(12, 1)}) {
        QFont bold = year->font();
        bold.setBold(true);
        year->setFont(bold);
    }
    ui.MonthTable->setFixedWidth(150);
    chartRow->addWidget(ui.MonthTable, 0, Qt::AlignVCenter);
    layout->addLayout(chartRow, 1);
}

} // namespace tarvel
