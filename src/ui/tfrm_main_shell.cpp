// Menu commands of the application shell: language, user guide, About box, dialogs and printing.

#include "ui/tfrm_main.h"

#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/file_locations.h"
#include "app/platform.h"
#include "app/product_info.h"
#include "app/tdm.h"
#include "i18n/text_replacer.h"
#include "ui/keyboard.h"
#include "ui/tfrm_inverter_new.h"
#include "ui/tfrm_location.h"
#include "ui/tfrm_panel_new.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>

namespace tarvel {

// Each catalog dialog is made when its command is chosen, shown modally and destroyed when it closes;
// while it is open the main window takes no second command.
template <typename Dialog> void Tfrm_main::openCatalogDialog(QPointer<QDialog>& slot) {
    if (slot)
        return;
    auto* dialog = new Dialog(m_ctx, this);
    slot = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}

void Tfrm_main::NewLocation2Click() {
    openCatalogDialog<Tfrm_location>(m_locationDialog);
}
void Tfrm_main::New_inverterClick() {
    openCatalogDialog<Tfrm_inverter_new>(m_inverterDialog);
}
void Tfrm_main::New_panelClick() {
    openCatalogDialog<Tfrm_panel_new>(m_panelDialog);
}

void Tfrm_main::ChineseLangClick() {
    changeLanguage(ui.N21, kCodePageChinese);
}

void Tfrm_main::EnglishLangClick() {
    changeLanguage(ui.N22, kCodePageEnglish);
}

// Stores the language and restarts the program in it. A changed design is offered for saving first
// (Cancel keeps the language); a settings file that cannot be written is reported and nothing else
// changes.
void Tfrm_main::changeLanguage(QAction* item, int codePage) {
    if (!maySetDesignAside())
        return;
    LanguageIni ini(m_ctx.dm.iniPath());
    ini.writeInteger(QStringLiteral("Language"), codePage);
    LanguageFresh(item, codePage);
    keepDesignForRestart();
    m_ctx.settings.RestartPending = true;
    close();
}

// The restarted program opens what is designed now, so a change of language loses no work.
void Tfrm_main::keepDesignForRestart() {
    discardRestartDesign(m_ctx.settings);
    const QString path = newRestartDesignFile();
    if (path.isEmpty())
        return; // without a temporary folder the restart goes on as it always did, without the design
    m_ctx.settings.RestartDesign = path;
    try {
        saveDesign(path);
        m_ctx.settings.RestartDesignName = m_designPath;
        m_ctx.settings.RestartDesignModified = isDesignModified();
    } catch (const std::exception&) {
        discardRestartDesign(m_ctx.settings);
    }
}

void Tfrm_main::LanguageFresh(QAction* Item, int CodePage) {
    ui.N21->setChecked(Item == ui.N21);
    ui.N22->setChecked(Item == ui.N22);
    LangReplacer->OwnerOption().setCodePage(QString::number(CodePage));
    m_ctx.settings.LanguageCodePage = CodePage;
    LangReplacer->Replace();
    applyMenuMnemonics(ui.suiMainMenu1);
}

void Tfrm_main::N5Click() {
    const QString document = m_ctx.settings.LanguageCodePage == kCodePageChinese
                                 ? QStringLiteral("201203121143cn1.pdf")
                                 : QStringLiteral("201203121143cn2.pdf");
    m_ctx.platform.openDocument(FileLocations::ofThisProcess().shippedFile(document));
}

void Tfrm_main::N6Click() {
    if (m_productInfo)
        return;
    m_productInfo = new Tfrm_ProductInfo(m_ctx.settings, this);
    m_productInfo->setAttribute(Qt::WA_DeleteOnClose);
    m_productInfo->exec();
}

} // namespace tarvel
