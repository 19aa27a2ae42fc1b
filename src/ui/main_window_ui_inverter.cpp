#include "ui/display_widgets.h"
#include "ui/main_window_ui.h"
#include "ui/ui_builders.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvel {
namespace {

// One row of the data sheet: the caption and its value label. The caption's component name is given
// where other parts of the program read it; otherwise it is named after its value label.
struct SheetRow {
    QLabel** value;
    const char* valueName;
    const char* caption;
    QLabel** captionLabel = nullptr;
    const char* captionName = nullptr;
};

QGroupBox* sheetGroup(QWidget* parent, const char* name, const char* title,
                      std::initializer_list<SheetRow> rows) {
    QGroupBox* group = makeGroup(parent, QString::fromLatin1(name), QString::fromLatin1(title));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    int row = 0;
    for (const SheetRow& r : rows) {
        const QString captionName = r.captionName ? QString::fromLatin1(r.captionName)
                                                  : QStringLiteral("cap_") + QString::fromLatin1(r.valueName);
        QLabel* caption = makeCaption(group, captionName, QString::fromLatin1(r.caption));
        if (r.captionLabel)
            *r.captionLabel = caption;
        *r.value = makeValue(group, QString::fromLatin1(r.valueName), 120);
        addRow(grid, row++, caption, *r.value);
    }
    grid->setColumnStretch(0, 1);
    return group;
}

QHBoxLayout* headerRow(QWidget* page, MainWindowUi& ui) {
    auto* header = new QHBoxLayout;
    ui.Label27 = makeCaption(page, QStringLiteral("Label27"), QStringLiteral("Moudle type"));
    ui.Label27->setWordWrap(false);
    ui.ComboBox17 = makeFilterChooser(page, QStringLiteral("ComboBox17"));
    ui.ComboBox17->setMinimumContentsLength(16);
    ui.BitBtn1 = new QPushButton(QStringLiteral("InsertPhotoBtn"), page);
    ui.BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    ui.ComboBox18 = makeChooser(page, QStringLiteral("ComboBox18"));
    ui.ComboBox18->setEditable(true);
    ui.ComboBox18->setInsertPolicy(QComboBox::NoInsert);
    header->addWidget(ui.Label27);
    header->addWidget(ui.ComboBox17, 1);
    header->addSpacing(20);
    header->addWidget(ui.BitBtn1);
    header->addWidget(ui.ComboBox18, 1);
    ui.AssistantButton4 = new QPushButton(QStringLiteral("Selection Assistant..."), page);
    ui.AssistantButton4->setObjectName(QStringLiteral("AssistantButton4"));
    header->addWidget(ui.AssistantButton4);
    return header;
}

QWidget* leftPanel(QWidget* page, MainWindowUi& ui) {
    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("pnlInverterLeft"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheetGroup(panel, "grpInverterData", "Inverter Data",
                                 {{&ui.Label93, "Label93", "Allowed  temperature [Deg.C]"},
                                  {&ui.Label94, "Label94", "Protection type", &ui.Label85, "Label85"},
                                  {&ui.Label95, "Label95", "Noise level [dB]"},
                                  {&ui.Label96, "Label96", "Communication interfaces"},
                                  {&ui.Label97, "Label97", "Isolation type "},
                                  {&ui.Label98, "Label98", "Dimensions[mm*mm*mm]"},
                                  {&ui.Label99, "Label99", "Weight[kg]"}}));
    layout->addWidget(sheetGroup(panel, "grpDcData", "DC Data",
                                 {{&ui.Label113, "Label113", "Max. PV-generator power [KW]"},
                                  {&ui.Label114, "Label114", "Max. DC Voltage  [V]"},
                                  {&ui.Label115, "Label115", "MPPT voltage range [V] "},
                                  {&ui.Label116, "Label116", "Max. DC current [A] "},
                                  {&ui.Label117, "Label117", "Wiring connect type"}}));
    layout->addStretch(1);
    return panel;
}

// The right panel holds the picture box at the geometry the data-sheet fill gives it (pixels within
// this panel), so the picture is not part of the layout.
QWidget* rightPanel(QWidget* page, MainWindowUi& ui) {
    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("pnlInverterRight"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        sheetGroup(panel, "grpAcData", "AC Data",
                   {{&ui.Label47, "Label47", "Max.AC power[KW]"},
                    {&ui.Label135, "Label135", "Rated AC power [KW] "},
                    {&ui.Label136, "Label136", "Grid voltage range [V]", &ui.Label127, "Label127"},
                    {&ui.Label137, "Label137", "Grid frequency range [Hz]", &ui.Label128, "Label128"},
                    {&ui.Label138, "Label138", "THD at rated output "},
                    {&ui.Label139, "Label139", "Power factor "}}));
    layout->addWidget(
        sheetGroup(panel, "grpEfficiency", "Efficiency",
                   {{&ui.Label150, "Label150", "Max. efficiency ", &ui.Label147, "Label147"},
                    {&ui.Label151, "Label151", "Euro efficiency (at nom)", &ui.Label148, "Label148"}}));
    layout->addStretch(1);
    auto* note =
        makeCaption(panel, QStringLiteral("capPictureNote"),
                    QStringLiteral("Notes:This picture is for reference,please see to the real product."));
    note->setProperty("role", QStringLiteral("note"));
    layout->addWidget(note);

    ui.Image26 = new PictureBox(panel);
    ui.Image26->setObjectName(QStringLiteral("Image26"));
    ui.Image26->setGeometry(kPictureLeft, 370, 85, 80);
    return panel;
}

} // namespace

void setupInverterPage(QWidget* page, MainWindowUi& ui) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(headerRow(page, ui));
    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    columns->addWidget(leftPanel(page, ui), 1);
    columns->addWidget(rightPanel(page, ui), 1);
    layout->addLayout(columns, 1);
}

} // namespace tarvel
