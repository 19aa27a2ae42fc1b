#include "design/design_records.h"
#include "ui/display_widgets.h"
#include "ui/main_window_ui.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvel {
namespace {

// Component names of the three inputs, in the order of StringInputUi.
struct InputNames {
    const char* group;
    const char* maker;
    const char* type;
    const char* strings;
    const char* modulesPerString;
    const char* power;
    const char* currentMax;
    const char* current;
    const char* kailuMax;
    const char* kailu10;
    const char* kailu25;
    const char* mppMin;
    const char* mpp15;
    const char* mpp50;
    const char* mpp70;
    std::array<const char*, 6> marks;
    const char* title;
    const char* siteRange;
    const char* siteCheck;
};

constexpr InputNames kInputNames[3] = {
    {"RzGroupBox2",
     "ComboBox3",
     "ComboBox4",
     "SpinEdit6",
     "SpinEdit7",
     "PowerA",
     "IAmax",
     "IA",
     "KailuAMax",
     "KailuA10",
     "KailuA25",
     "MPPAmin",
     "MPPA15",
     "MPPA50",
     "MPPA70",
     {"Image9", "Image22", "Image8", "Image5", "Image6", "Image7"},
     "String-A",
     "SiteRangeA",
     "SiteCheckA"},
    {"RzGroupBox3",
     "ComboBox5",
     "ComboBox6",
     "SpinEdit8",
     "SpinEdit9",
     "PowerB",
     "IBmax",
     "IB",
     "KailuBMax",
     "KailuB10",
     "KailuB25",
     "MPPBmin",
     "MPPB15",
     "MPPB50",
     "MPPB70",
     {"Image15", "Image14", "Image13", "Image10", "Image11", "Image12"},
     "String-B",
     "SiteRangeB",
     "SiteCheckB"},
    {"RzGroupBox4",
     "ComboBox7",
     "ComboBox8",
     "SpinEdit10",
     "SpinEdit11",
     "PowerC",
     "ICmax",
     "IC",
     "KailuCMax",
     "KailuC10",
     "KailuC25",
     "MPPCmin",
     "MPPC15",
     "MPPC50",
     "MPPC70",
     {"Image21", "Image20", "Image19", "Image16", "Image17", "Image18"},
     "String-C",
     "SiteRangeC",
     "SiteCheckC"},
};

constexpr int kRowHeight = 24;
// Two lines of the site check's reason.
constexpr int kSiteCheckHeight = 36;
constexpr int kValueWidth = 122;
// An input box spans its value column and its icon column.
constexpr int kInputBoxWidth = kValueWidth + 6 + 16;

QString name(const char* text) {
    return QString::fromLatin1(text);
}

// The generator summary above the table.
void addSummary(QWidget* page, QGridLayout* grid, MainWindowUi& ui) {
    ui.SumNum = makeValue(page, QStringLiteral("SumNum"));
    ui.Power = makeValue(page, QStringLiteral("Power"));
    ui.Area = makeValue(page, QStringLiteral("Area"));
    ui.PowerRate = makeValue(page, QStringLiteral("PowerRate"));
    ui.Image23 = makeStatusIcon(page, QStringLiteral("Image23"));
    addRow(grid, 0, makeCaption(page, QStringLiteral("capSumNum"), QStringLiteral("Total number of modules")),
           ui.SumNum);
    addRow(grid, 0, makeCaption(page, QStringLiteral("capPower"), QStringLiteral("Total nominal power[W]")),
           ui.Power, 3);
    addRow(grid, 1, makeCaption(page, QStringLiteral("capArea"), QStringLiteral("Area of PV-generator[m2]")),
           ui.Area);
    addRow(grid, 1, makeCaption(page, QStringLiteral("capPowerRate"), QStringLiteral("Nominal power ratio")),
           ui.PowerRate, 3);
    grid->addWidget(ui.Image23, 1, 5);
}

void createValueLabels(QWidget* page, StringInputUi& in, const InputNames& n) {
    in.power = makeValue(page, name(n.power));
    in.currentMax = makeValue(page, name(n.currentMax));
    in.current = makeValue(page, name(n.current));
    in.kailuMax = makeValue(page, name(n.kailuMax));
    in.kailu10 = makeValue(page, name(n.kailu10));
    in.kailu25 = makeValue(page, name(n.kailu25));
    in.mppMin = makeValue(page, name(n.mppMin));
    in.mpp15 = makeValue(page, name(n.mpp15));
    in.mpp50 = makeValue(page, name(n.mpp50));
    in.mpp70 = makeValue(page, name(n.mpp70));
    for (QLabel* label : {in.power, in.currentMax, in.current, in.kailuMax, in.kailu10, in.kailu25, in.mppMin,
                          in.mpp15, in.mpp50, in.mpp70})
        label->setFixedWidth(kValueWidth);
    for (std::size_t i = 0; i < 6; ++i)
        in.marks[i] = makeStatusIcon(page, name(n.marks[i]));
    in.siteRange = makeValue(page, name(n.siteRange));
    in.siteRange->setFixedWidth(kValueWidth + 6 + 16);
    in.siteCheck = makeCaption(page, name(n.siteCheck), QString());
    in.siteCheck->setProperty("role", QStringLiteral("site"));
    in.siteCheck->setFixedSize(kValueWidth + 6 + 16, kSiteCheckHeight);
    in.siteCheck->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// The input's limits and checks at the design's temperatures, below the specified rows: the captions
// name the temperatures, so they are written with the values.
int addSiteRows(QWidget* page, QGridLayout* grid, int row, MainWindowUi& ui) {
    ui.capSiteRange = makeCaption(page, QStringLiteral("capSiteRange"), QString());
    ui.capSiteRange->setWordWrap(false);
    ui.capSiteRange->setFixedHeight(kRowHeight);
    ui.capSiteCheck = makeCaption(page, QStringLiteral("capSiteCheck"), QString());
    ui.capSiteCheck->setWordWrap(false);
    ui.capSiteCheck->setFixedHeight(kSiteCheckHeight);
    ui.capSiteCheck->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(ui.capSiteRange, row, 0);
    grid->addWidget(ui.capSiteCheck, row + 1, 0);
    for (int i = 0; i < 3; ++i) {
        StringInputUi& in = ui.inputs[static_cast<std::size_t>(i)];
        grid->addWidget(in.siteRange, row, 1 + 2 * i, 1, 2);
        grid->addWidget(in.siteCheck, row + 1, 1 + 2 * i, 1, 2);
    }
    ui.AssistantButton5 = new QPushButton(QStringLiteral("Selection Assistant..."), page);
    ui.AssistantButton5->setObjectName(QStringLiteral("AssistantButton5"));
    grid->addWidget(ui.AssistantButton5, row + 2, 0, Qt::AlignLeft | Qt::AlignBottom);
    // The advice on the pane's Help Info tab, without leaving this page.
    ui.ShowAdvice = new QPushButton(QStringLiteral("Why? Show the advice in Help Info"), page);
    ui.ShowAdvice->setObjectName(QStringLiteral("ShowAdvice"));
    ui.ShowAdvice->setProperty("role", QStringLiteral("link"));
    ui.ShowAdvice->setFlat(true);
    ui.ShowAdvice->setCursor(Qt::PointingHandCursor);
    grid->addWidget(ui.ShowAdvice, row + 2, 1, 1, 4, Qt::AlignLeft | Qt::AlignBottom);
    return row + 2;
}

// The table of string values: a caption column and, per input, a value and its check icon.
void addValueTable(QWidget* page, QGridLayout* grid, int firstRow, MainWindowUi& ui) {
    struct Row {
        const char* caption;
        QLabel* StringInputUi::*value;
        int mark; // index into StringInputUi::marks, -1 for none
    };
    const Row rows[] = {
        {"MPP-voltage of string at 15Deg.C", &StringInputUi::mpp15, 3},
        {"MPP-voltage of string at 50Deg.C", &StringInputUi::mpp50, 4},
        {"MPP-voltage of string at 70Deg.C", &StringInputUi::mpp70, 5},
        {"Min.MPP-voltage,selected gride voltage[V]", &StringInputUi::mppMin, -1},
        {"Open-circuit voltage of string at -10Deg.C", &StringInputUi::kailu10, 2},
        {"Open-circuit voltage of string at 25Deg.C", &StringInputUi::kailu25, 1},
        {"Max.inverter DC voltage permitted[V]", &StringInputUi::kailuMax, -1},
        {"Max.current of PV-generator[A]", &StringInputUi::current, 0},
        {"Max.DC current permitted[A]", &StringInputUi::currentMax, -1},
        {"String power(input)[W]", &StringInputUi::power, -1},
    };
    int row = firstRow;
    for (const Row& r : rows) {
        QLabel* caption =
            makeCaption(page, QStringLiteral("capRow%1").arg(row - firstRow + 1), name(r.caption));
        caption->setWordWrap(false);
        caption->setFixedHeight(kRowHeight);
        grid->addWidget(caption, row, 0);
        for (int i = 0; i < 3; ++i) {
            StringInputUi& in = ui.inputs[static_cast<std::size_t>(i)];
            grid->addWidget(in.*(r.value), row, 1 + 2 * i);
            if (r.mark >= 0)
                grid->addWidget(in.marks[static_cast<std::size_t>(r.mark)], row, 2 + 2 * i);
        }
        ++row;
    }
}

QGroupBox* inputGroup(QWidget* page, StringInputUi& in, const InputNames& n) {
    in.group = makeGroup(page, name(n.group), name(n.title));
    in.group->setFixedWidth(kInputBoxWidth);
    auto* layout = new QVBoxLayout(in.group);
    layout->setSpacing(4);
    // Narrow side margins leave the choosers room for their prompts.
    int top = 0;
    int bottom = 0;
    layout->getContentsMargins(nullptr, &top, nullptr, &bottom);
    layout->setContentsMargins(4, top, 4, bottom);
    in.maker = makeFilterChooser(in.group, name(n.maker));
    in.type = makeFilterChooser(in.group, name(n.type));
    // Maker and module names are longer than the box; the open list shows them whole.
    in.maker->view()->setMinimumWidth(260);
    in.type->view()->setMinimumWidth(260);
    in.strings = makeSpinEdit(in.group, name(n.strings), 0, kMaxStrings, 0);
    in.modulesPerString = makeSpinEdit(in.group, name(n.modulesPerString), 0, kMaxModulesPerString, 0);
    for (QWidget* control :
         std::initializer_list<QWidget*>{in.maker, in.type, in.strings, in.modulesPerString}) {
        control->setFixedHeight(kRowHeight);
        layout->addWidget(control);
    }
    return in.group;
}

// The captions of the input panel sit in a box of their own so that they line up with the rows of
// the three input boxes.
QGroupBox* inputCaptions(QWidget* page, MainWindowUi& ui) {
    QGroupBox* box = makeGroup(page, QStringLiteral("grpInputCaptions"), QStringLiteral(" "));
    box->setProperty("role", QStringLiteral("plain"));
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(4);
    ui.Label3 = makeCaption(box, QStringLiteral("Label3"), QStringLiteral("Number of strings"));
    ui.Label4 = makeCaption(box, QStringLiteral("Label4"), QStringLiteral("Mudules per string"));
    for (QLabel* caption :
         {makeCaption(box, QStringLiteral("capMaker"), QStringLiteral("Manufacturer of solar module")),
          makeCaption(box, QStringLiteral("capType"), QStringLiteral("Moudle-type")), ui.Label3, ui.Label4}) {
        caption->setWordWrap(false);
        caption->setFixedHeight(kRowHeight);
        layout->addWidget(caption);
    }
    return box;
}

} // namespace

void setupStringsPage(QWidget* page, MainWindowUi& ui) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    for (std::size_t i = 0; i < 3; ++i)
        createValueLabels(page, ui.inputs[i], kInputNames[i]);

    auto* summary = new QGridLayout;
    summary->setHorizontalSpacing(8);
    addSummary(page, summary, ui);
    grid->addLayout(summary, 0, 0, 1, 7);
    grid->setRowMinimumHeight(1, 8);
    addValueTable(page, grid, 2, ui);
    const int stretchRow = addSiteRows(page, grid, 12, ui);

    grid->addWidget(inputCaptions(page, ui), stretchRow + 1, 0);
    for (std::size_t i = 0; i < 3; ++i)
        grid->addWidget(inputGroup(page, ui.inputs[i], kInputNames[i]), stretchRow + 1,
                        1 + 2 * static_cast<int>(i), 1, 2);
    grid->setRowStretch(stretchRow, 1);
    grid->setColumnStretch(0, 1);
}

} // namespace tarvel
