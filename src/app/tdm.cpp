#include "app/tdm.h"

#include "app/dialogs.h"
#include "app/platform.h"
#include "i18n/resource_strings.h"

namespace tarvel {

TDM::TDM(TAppSettings& settings, Platform& platform, Dialogs& dialogs, QString iniPath,
         const QString& catalogPath)
    : m_settings(settings), m_platform(platform), m_dialogs(dialogs), m_iniPath(std::move(iniPath)),
      m_catalog(catalogPath.isEmpty() ? std::make_unique<Catalog>()
                                      : std::make_unique<Catalog>(catalogPath)) {
    reportErrors(m_dialogs, nullptr, [this] { DataModuleCreate(); });
}

TDM::~TDM() = default;

void TDM::DataModuleCreate() {
    LanguageIni ini(m_iniPath);
    m_settings.LanguageCodePage = ini.readInteger(QStringLiteral("Language"), 0);
    m_settings.InsertVisNum = ini.readInteger(QStringLiteral("InsertVisNum"), 0);
    if (m_settings.LanguageCodePage == 0) {
        m_settings.LanguageCodePage = m_platform.oemCodePage();
        ini.writeInteger(QStringLiteral("Language"), m_settings.LanguageCodePage);
    }
    ResourceTranslator& translator = ResourceTranslator::instance();
    translator.setDefaultReplaceOption(
        {resourceDictionaryName(), QString::number(m_settings.LanguageCodePage), QStringLiteral("0")});
    translator.switchOn();
}

} // namespace tarvel
