// The design workflow: creation, new design, clearing, page gating and page changes.

#include "ui/tfrm_main.h"

#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/file_locations.h"
#include "app/tdm.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/text_replacer.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QAction>
#include <QBarSeries>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>

namespace tarvel {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kResultPage = 4;

QString joinLines(std::initializer_list<QString> lines) {
    QStringList list(lines);
    return list.join(kCrLf);
}

} // namespace

void Tfrm_main::FormCreate() {
    new_project();
    for (QLabel* background : ui.pageImages)
        background->lower();
    LangReplacer->OwnerOption().setCodePage(QString::number(m_ctx.settings.LanguageCodePage));
    LangReplacer->Replace();
    loadLogo();
    ui.Memo6->setText(kCrLf + res(rs::Disclaimer));
    SUM_CLEAR();
    A_CLEAR();
    B_CLEAR();
    C_CLEAR();
    DC_AC_CLEAR();
    result_clear();
    inverter_add();
    inverter_init();
    for (InputId id : kAllInputs)
        writeNotSelected(id);
    for (InputId id : kAllInputs) {
        m_session.input(id).AcShare = 0;
        m_session.InputEnergy[static_cast<std::size_t>(id)] = 0;
    }
    chose_select();

    for (InputId id : kAllInputs) {
        inputUi(id).maker->clear();
        showPrompt(inputUi(id).maker, res(rs::ChooseManufacturer));
    }
    showPrompt(ui.ComboBox1, res(rs::ChooseCountry));
    ui.RzEdit3->setText(res(rs::MountingFix));
    ui.menuPrint->menuAction()->setEnabled(false);

    // One report at most when the catalog cannot be read: the country list needs the same file.
    reportErrors(dialogs(), this, [this] {
        const QStringList makers = m_ctx.dm.catalog().makerListQuery();
        for (InputId id : kAllInputs)
            inputUi(id).maker->addItems(makers);
        ui.ComboBox1->addItems(m_ctx.dm.catalog().countryListQuery());
    });
    ui.N22->setChecked(m_ctx.settings.LanguageCodePage == kCodePageEnglish);
    ui.N21->setChecked(m_ctx.settings.LanguageCodePage == kCodePageChinese);
}

void Tfrm_main::FormShow() {
    m_ctx.settings.ProgramVersion = getpvVersitionL();
    // The caption is kept apart from the design's file name that the title shows before it.
    m_caption += QStringLiteral(" V") + m_ctx.settings.ProgramVersion;
    updateWindowTitle();
    const bool maintenance = m_ctx.settings.InsertVisNum == kMaintenanceValue;
    ui.New_inverter->setVisible(maintenance);
    ui.BitBtn1->setVisible(maintenance);
    ui.ComboBox18->setVisible(maintenance);
}

// The logo is looked for where the catalog and the dictionary are: in the current directory, then
// beside the program (then in an installation's shared data folder). A missing or unreadable logo
// leaves the panel empty; the window is built all the same.
void Tfrm_main::loadLogo() {
    const QString name = QStringLiteral("000.bmp");
    const QString path = QFileInfo::exists(name) ? name : FileLocations::ofThisProcess().shippedFile(name);
    const QImage logo(path);
    if (logo.isNull()) {
        qWarning("The logo file 000.bmp cannot be read from the current directory or beside the program; "
                 "no logo is shown.");
        return;
    }
    QPixmap picture = QPixmap::fromImage(logo);
    picture.setMask(picture.createMaskFromColor(logo.pixelColor(0, 0)));
    ui.suiImagePanel3->setPixmap(picture);
}

void Tfrm_main::new_project() {
    for (InputId id : kAllInputs)
        m_session.input(id).ModuleCount = 0;
    m_session.TotalModules = 0;
    SUM_CLEAR();
    A_CLEAR();
    B_CLEAR();
    C_CLEAR();
    for (InputId id : kAllInputs) {
        m_session.input(id).Mpp70 = 0;
        m_session.input(id).StringPower = 0;
    }
    DC_AC_CLEAR();
    result_clear();
    for (InputId id : kAllInputs)
        writeNotSelected(id);
    for (InputId id : kAllInputs) {
        m_session.input(id).AcShare = 0;
        m_session.InputEnergy[static_cast<std::size_t>(id)] = 0;
    }
    xiangmu_init();
    inverter_init();
    chose_select();
}

// The order of the writes matters: each field's handler runs as soon as its text changes and takes
// its path from what the earlier writes left behind.
void Tfrm_main::xiangmu_init() {
    showPrompt(ui.ComboBox1, res(rs::ChooseCountry));
    for (InputId id : kAllInputs)
        showPrompt(inputUi(id).maker, res(rs::ChooseManufacturer));
    for (InputId id : kAllInputs) {
        inputUi(id).type->clear();
        showPrompt(inputUi(id).type, QString());
    }
    for (InputId id : kAllInputs) {
        inputUi(id).strings->setText(QStringLiteral("0"));
        inputUi(id).modulesPerString->setText(QStringLiteral("0"));
    }
    showPrompt(ui.ComboBox2, QString());
    ui.qing_jiao->setText(QStringLiteral("0"));
    ui.pian_jiao->setText(QStringLiteral("0"));
    ui.SpinEdit1->setText(QStringLiteral("70"));
    ui.SpinEdit2->setText(QStringLiteral("-10"));
    ui.SpinEdit3->setText(QStringLiteral("50"));
    ui.SpinEdit4->setText(QStringLiteral("0"));
    ui.SpinEdit5->setText(QStringLiteral("0"));
    ui.Energy->setText(QString());
    ui.Series1->clear();
    for (int row = 0; row < ui.MonthTable->rowCount(); ++row)
        ui.MonthTable->item(row, 1)->setText(QString());
    showModelNotice(false);
    ui.ComboBox2->clear();
    m_session.Tilt = 0;
    m_session.Azimuth = 0;
    m_session.MonthlyRadiation.fill(0);
    m_session.MonthlyTemperature.fill(0);
    m_session.MonthlyYield.fill(0);
}

void Tfrm_main::clearInput(InputId id) {
    const StringInputUi& in = inputUi(id);
    for (QLabel* label : {in.power, in.currentMax, in.current, in.kailuMax, in.kailu10, in.kailu25, in.mppMin,
                          in.mpp15, in.mpp50, in.mpp70})
        label->clear();
    for (StatusIcon* icon : in.marks)
        icon->setMark(cmNone);
    in.siteRange->clear();
    in.siteCheck->clear();
}

void Tfrm_main::A_CLEAR() {
    clearInput(InputId::A);
}
void Tfrm_main::B_CLEAR() {
    clearInput(InputId::B);
}
void Tfrm_main::C_CLEAR() {
    clearInput(InputId::C);
}

void Tfrm_main::SUM_CLEAR() {
    for (QLabel* label : {ui.SumNum, ui.Area, ui.Power, ui.PowerRate})
        label->clear();
    A_CLEAR();
    B_CLEAR();
    C_CLEAR();
    result_clear();
    ui.Image23->setMark(cmNone);
}

void Tfrm_main::DC_AC_CLEAR() {
    for (const CableRunUi& run : ui.cables) {
        for (QLabel* label : {run.zukang, run.lineV, run.powerLoss, run.powerLossRate})
            label->clear();
        run.mark->setMark(cmNone);
    }
}

// Enables the first `count` design pages and disables the rest without changing the page shown.
void Tfrm_main::setEnabledPages(int count) {
    QTabWidget* pages = ui.RzPageControl1;
    const int current = pages->currentIndex();
    const QSignalBlocker blocker(pages);
    for (int i = 0; i < pages->count(); ++i)
        pages->setTabEnabled(i, i < count);
    pages->setCurrentIndex(current);
    explainDisabledPages(count);
}

void Tfrm_main::chose_select() {
    if (nothingChosen(ui.ComboBox2->currentText(), res(rs::ChooseCity))) {
        setEnabledPages(1);
    } else if (ui.ComboBox17->currentText().isEmpty()) {
        setEnabledPages(2);
    } else if (m_session.TotalModules == 0) {
        setEnabledPages(3);
    } else if (ui.cables[kCableAc].powerLossRate->text().isEmpty()) {
        setEnabledPages(4);
        result_clear();
    } else {
        setEnabledPages(5);
        updata_result();
    }
}

void Tfrm_main::RzPageControl1Change() {
    const int index = ui.RzPageControl1->currentIndex();
    switch (index) {
    case 0:
        ui.Memo1->setText(joinLines({res(rs::HelpProject1), res(rs::HelpProject2), res(rs::HelpProject3)}));
        break;
    case 1:
        ui.Memo1->setText(res(rs::HelpInverter));
        break;
    case 2:
        ui.Memo1->setText(joinLines({res(rs::HelpModuleSelect), res(rs::HelpCompatible),
                                     res(rs::HelpBestRatio), res(rs::HelpOptimal)}));
        break;
    case 3:
        ui.Memo1->setText(joinLines({res(rs::HelpCabling1), res(rs::HelpCabling2), QString(),
                                     res(rs::HelpSolutionOptions), res(rs::HelpCabling3)}));
        break;
    case 4:
        ui.Memo1->setText(joinLines({res(rs::HelpModuleSelect), QString(), res(rs::HelpCompatible), QString(),
                                     res(rs::HelpOptimal)}));
        break;
    default:
        break;
    }
    ui.menuPrint->menuAction()->setEnabled(index == 4);
    // The figures beside the specified results are written when the page is looked at.
    if (index == kResultPage && ui.RzPageControl1->isTabEnabled(kResultPage))
        showPlantFigures();
    for (InputId id : kAllInputs) {
        StringInputUi& in = inputUi(id);
        in.stringsNum->setText(res(rs::Parallel) + u' ' + in.strings->text() + u' ' + res(rs::Group));
        in.stringNum->setText(res(rs::Series) + u' ' + in.modulesPerString->text() + u' ' + res(rs::Block));
    }
}

void Tfrm_main::SpinEdit3Change() {
    ui.Temp->setText(ui.SpinEdit3->text());
}

void Tfrm_main::N14Click() {
    if (!maySetDesignAside())
        return;
    new_project();
    adoptDesign(QString());
}

void Tfrm_main::N16Click() {
    close();
}

} // namespace tarvel
