#include "ui/display_widgets.h"
#include "ui/main_window_ui.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvel {
namespace {

struct CableNames {
    const char* group;
    const char* title;
    const char* material;
    const char* length;
    const char* crossSection;
    const char* zukang;
    const char* lineV;
    const char* powerLoss;
    const char* powerLossRate;
    const char* mark;
};

constexpr CableNames kCableNames[4] = {
    {"RzGroupBox5", "String-A", "ComboBox9", "SpinEdit12", "ComboBox10", "DCA_zukang", "DCA_lineV",
     "DCA_powerloss", "DCA_powerlossrate", "Image1"},
    {"RzGroupBox6", "String-B", "ComboBox11", "SpinEdit14", "ComboBox14", "DCB_zukang", "DCB_lineV",
     "DCB_powerloss", "DCB_powerlossrate", "Image2"},
    {"RzGroupBox7", "String-C", "combobox15", "SPINEDIT15", "COMBOBOX16", "DCC_zukang", "DCC_lineV",
     "DCC_powerloss", "DCC_powerlossrate", "Image3"},
    // The AC box carries the caption of the first DC box, as it always has.
    {"RzGroupBox8", "String-A", "ComboBox12", "SpinEdit13", "ComboBox13", "AC_zukang", "AC_linev",
     "AC_powerloss", "AC_powerlossrate", "Image4"},
};

const char* const kCrossSections[] = {"1.5", "2.5", "4",   "6",   "10",  "16",  "25",  "35",  "50",
                                      "70",  "95",  "120", "150", "185", "240", "300", "400", "500"};

constexpr int kRowHeight = 24;
// The last row's caption takes two lines.
constexpr int kRateRowHeight = 34;

QString name(const char* text) {
    return QString::fromLatin1(text);
}

QGroupBox* cableGroup(QWidget* parent, CableRunUi& run, const CableNames& n) {
    run.group = makeGroup(parent, name(n.group), name(n.title));
    auto* grid = new QGridLayout(run.group);
    grid->setVerticalSpacing(4);
    run.material = makeChooser(run.group, name(n.material));
    run.material->addItems({QStringLiteral("Cu"), QStringLiteral("Al")});
    run.material->setCurrentIndex(0);
    run.length = makeSpinEdit(run.group, name(n.length), 1, 10000, 1);
    run.crossSection = makeChooser(run.group, name(n.crossSection));
    for (const char* section : kCrossSections)
        run.crossSection->addItem(name(section));
    run.crossSection->setCurrentIndex(0);
    run.zukang = makeValue(run.group, name(n.zukang));
    run.lineV = makeValue(run.group, name(n.lineV));
    run.powerLoss = makeValue(run.group, name(n.powerLoss));
    run.powerLossRate = makeValue(run.group, name(n.powerLossRate));
    run.mark = makeStatusIcon(run.group, name(n.mark));
    int row = 0;
    for (QWidget* control :
         std::initializer_list<QWidget*>{run.material, run.length, run.crossSection, run.zukang, run.lineV,
                                         run.powerLoss, run.powerLossRate}) {
        control->setFixedHeight(control == run.powerLossRate ? kRateRowHeight : kRowHeight);
        grid->addWidget(control, row++, 0);
    }
    grid->addWidget(run.mark, row - 1, 1);
    grid->setColumnStretch(0, 1);
    return run.group;
}

// The row captions of a side, in a box of their own that lines up with the cable boxes.
QGroupBox* rowCaptions(QWidget* parent, const QString& boxName) {
    const char* const captions[] = {"Materials",
                                    "Single cable lenth[m]",
                                    "Cable cross-section[mm2]",
                                    "Cable resistance[ohm]",
                                    "Voltage drop[V]",
                                    "Total power loss[W]",
                                    "Rate of power loss in terms of max DC power"};
    QGroupBox* box = makeGroup(parent, boxName, QStringLiteral(" "));
    box->setProperty("role", QStringLiteral("plain"));
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(4);
    int row = 0;
    for (const char* caption : captions) {
        QLabel* label = makeCaption(box, boxName + QStringLiteral("Row%1").arg(++row), name(caption));
        label->setFixedHeight(row == 7 ? kRateRowHeight : kRowHeight);
        layout->addWidget(label);
    }
    return box;
}

QGroupBox* side(QWidget* page, const QString& boxName, const QString& title) {
    QGroupBox* box = makeGroup(page, boxName, title);
    box->setProperty("role", QStringLiteral("section"));
    return box;
}

} // namespace

void setupCablingPage(QWidget* page, MainWindowUi& ui) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(10);

    QGroupBox* dcSide = side(page, QStringLiteral("pnlDcSide"), QStringLiteral("DC-Side"));
    auto* dc = new QHBoxLayout(dcSide);
    dc->addWidget(rowCaptions(dcSide, QStringLiteral("capDc")), 3);
    for (std::size_t i = 0; i < 3; ++i)
        dc->addWidget(cableGroup(dcSide, ui.cables[i], kCableNames[i]), 2);

    QGroupBox* acSide = side(page, QStringLiteral("pnlAcSide"), QStringLiteral("AC-Side"));
    auto* ac = new QHBoxLayout(acSide);
    ac->addWidget(rowCaptions(acSide, QStringLiteral("capAc")), 3);
    ac->addWidget(cableGroup(acSide, ui.cables[kCableAc], kCableNames[kCableAc]), 2);
    ac->addStretch(4);

    layout->addWidget(dcSide);
    layout->addWidget(acSide);
    layout->addStretch(1);
}

} // namespace tarvel
