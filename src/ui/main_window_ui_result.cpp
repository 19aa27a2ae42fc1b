#include "ui/display_widgets.h"
#include "ui/main_window_ui.h"
#include "ui/ui_builders.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvel {
namespace {

QLabel* caption(QWidget* parent, QLabel*& member, const char* name, const char* text) {
    member = makeCaption(parent, QString::fromLatin1(name), QString::fromLatin1(text));
    return member;
}

QLabel* value(QWidget* parent, QLabel*& member, const char* name) {
    member = makeValue(parent, QString::fromLatin1(name), 110);
    return member;
}

QGroupBox* projectPanel(QWidget* page, MainWindowUi& ui) {
    QGroupBox* box = makeGroup(page, QStringLiteral("grpProject"), QString());
    auto* grid = new QGridLayout(box);
    ui.Edit2 = new QLineEdit(box);
    ui.Edit2->setObjectName(QStringLiteral("Edit2"));
    ui.Edit3 = new QLineEdit(box);
    ui.Edit3->setObjectName(QStringLiteral("Edit3"));
    addRow(grid, 0, caption(box, ui.Label51, "Label51", "Project design unit"), ui.Edit2);
    addRow(grid, 1, caption(box, ui.Label52, "Label52", "Project designer"), ui.Edit3);
    addRow(grid, 0, caption(box, ui.Label53, "Label53", "Project location"),
           value(box, ui.Position, "Position"), 2);
    addRow(grid, 1, caption(box, ui.Label54, "Label54", "Project temp.[Deg.C]"), value(box, ui.Temp, "Temp"),
           2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

QGroupBox* generatorGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* box = makeGroup(page, QStringLiteral("grpPvGenerator"), QStringLiteral("PV-generator"));
    auto* grid = new QGridLayout(box);
    addRow(grid, 0, caption(box, ui.Label40, "Label40", "PV peak power[KWp]"),
           value(box, ui.PV_Power, "PV_Power"));
    addRow(grid, 1, caption(box, ui.Label41, "Label41", "Total number of modules"),
           value(box, ui.PV_Num, "PV_Num"));
    addRow(grid, 2, caption(box, ui.Label42, "Label42", "Area of PV-generator[m2]"),
           value(box, ui.Pv_Area, "Pv_Area"));
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    return box;
}

QGroupBox* inverterGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* box = makeGroup(page, QStringLiteral("grpResultInverter"), QStringLiteral("Inverter"));
    auto* grid = new QGridLayout(box);
    addRow(grid, 0, caption(box, ui.Label43, "Label43", "Max. PV-generator power [KW] "),
           value(box, ui.DCMAX_Power, "DCMAX_Power"));
    addRow(grid, 1, caption(box, ui.Label44, "Label44", "Max.AC power[KW]"),
           value(box, ui.AVMAX_Power, "AVMAX_Power"));
    addRow(grid, 2, caption(box, ui.Label45, "Label45", "Nominal power ratio"),
           value(box, ui.Power_Rate, "Power_Rate"));
    addRow(grid, 3, caption(box, ui.Label49, "Label49", "Inverter  efficiency"),
           value(box, ui.Inverter_rate, "Inverter_rate"));
    addRow(grid, 4, caption(box, ui.Label50, "Label50", "Yearly en.yield[KWh]"),
           value(box, ui.Power_Year, "Power_Year"));
    grid->setColumnStretch(0, 1);
    return box;
}

// The string layout picture with the two lines of each input written into its blank right part.
QWidget* stringLayout(QWidget* page, MainWindowUi& ui) {
    auto* panel = new QLabel(page);
    panel->setObjectName(QStringLiteral("imgStringLayout"));
    setPixmapWhenShown(panel, QStringLiteral(":/ui/string_layout.svg"));
    panel->setFixedSize(460, 150);
    const char* const strings[3] = {"StringsA_Num", "StringsB_Num", "StringsC_Num"};
    const char* const series[3] = {"StringA_Num", "StringB_Num", "StringC_Num"};
    for (int i = 0; i < 3; ++i) {
        StringInputUi& in = ui.inputs[static_cast<std::size_t>(i)];
        in.stringsNum =
            makeCaption(panel, QString::fromLatin1(strings[i]), QStringLiteral("parallel 0 group"));
        in.stringNum = makeCaption(panel, QString::fromLatin1(series[i]), QStringLiteral("series 0 block"));
        in.stringsNum->setGeometry(258, 7 + 50 * i, 196, 17);
        in.stringNum->setGeometry(258, 26 + 50 * i, 196, 17);
    }
    return panel;
}

// Every check that is not OK, each with its input and numbers, or that all passed.
QGroupBox* designCheckGroup(QWidget* page, MainWindowUi& ui) {
    ui.grpDesignCheck = makeGroup(page, QStringLiteral("grpDesignCheck"), QStringLiteral("Design check"));
    auto* layout = new QVBoxLayout(ui.grpDesignCheck);
    layout->setContentsMargins(6, 4, 6, 6);
    ui.DesignCheck = new QListWidget(ui.grpDesignCheck);
    ui.DesignCheck->setObjectName(QStringLiteral("DesignCheck"));
    ui.DesignCheck->setWordWrap(true);
    ui.DesignCheck->setTextElideMode(Qt::ElideNone);
    ui.DesignCheck->setSelectionMode(QAbstractItemView::NoSelection);
    ui.DesignCheck->setFocusPolicy(Qt::NoFocus);
    ui.DesignCheck->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.DesignCheck->setIconSize(QSize(14, 14));
    ui.DesignCheck->setFrameShape(QFrame::NoFrame);
    ui.DesignCheck->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    layout->addWidget(ui.DesignCheck);
    // As high as the string layout beside it; a longer list scrolls.
    ui.grpDesignCheck->setFixedHeight(140);
    return ui.grpDesignCheck;
}

// The plant's energy month by month, its specific yield, and the yearly energy after the cable losses.
QGroupBox* energyGroup(QWidget* page, MainWindowUi& ui) {
    QGroupBox* box = makeGroup(page, QStringLiteral("grpMonthEnergy"), QStringLiteral("Energy by month [kWh]"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(4);
    ui.MonthEnergy = makeFigureTable(box, QStringLiteral("MonthEnergy"), 1, 13, 22);
    for (int month = 1; month <= 12; ++month)
        ui.MonthEnergy->setHorizontalHeaderItem(month - 1, new QTableWidgetItem(QString::number(month)));
    ui.MonthEnergy->setHorizontalHeaderItem(12, new QTableWidgetItem(QStringLiteral("Year")));
    QFont bold = ui.MonthEnergy->item(0, 12)->font();
    bold.setBold(true);
    ui.MonthEnergy->item(0, 12)->setFont(bold);
    grid->addWidget(ui.MonthEnergy, 0, 0, 1, 6);
    const auto figure = [box](QLabel*& member, const char* name) {
        member = makeValue(box, QString::fromLatin1(name), 60);
        member->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        member->setProperty("plainResult", true); // exported by plain name (ui/results_export.h)
        return member;
    };
    addRow(grid, 1, makeCaption(box, QStringLiteral("capPlantYield"), QStringLiteral("Specific yield [kWh/kWp]")),
           figure(ui.PlantYield, "PlantYield"), 0);
    addRow(grid, 1,
           makeCaption(box, QStringLiteral("capEnergyAfterLosses"),
                       QStringLiteral("Yearly energy after cable losses [kWh]")),
           figure(ui.EnergyAfterLosses, "EnergyAfterLosses"), 2);
    addRow(grid, 1, makeCaption(box, QStringLiteral("capCableLoss"), QStringLiteral("Cable losses [kWh]")),
           figure(ui.CableLoss, "CableLoss"), 4);
    for (int column : {0, 2, 4})
        grid->itemAtPosition(1, column)->widget()->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    // One line each: a wrapped caption would make the row taller than the page has room for.
    for (int column : {0, 2, 4})
        if (auto* caption = qobject_cast<QLabel*>(grid->itemAtPosition(1, column)->widget()))
            caption->setWordWrap(false);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(4, 2);
    return box;
}

} // namespace

void setupResultPage(QWidget* page, MainWindowUi& ui) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(6);
    layout->addWidget(projectPanel(page, ui));

    auto* groups = new QHBoxLayout;
    groups->setSpacing(12);
    groups->addWidget(generatorGroup(page, ui), 1);
    groups->addWidget(inverterGroup(page, ui), 1);
    layout->addLayout(groups);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    middle->addWidget(stringLayout(page, ui), 0, Qt::AlignTop);
    middle->addWidget(designCheckGroup(page, ui), 1);
    layout->addLayout(middle);
    layout->addWidget(energyGroup(page, ui));

    ui.Memo6 = new Memo(page);
    ui.Memo6->setObjectName(QStringLiteral("Memo6"));
    ui.Memo6->setFixedHeight(64);
    layout->addStretch(1);
    layout->addWidget(ui.Memo6);
}

} // namespace tarvel
