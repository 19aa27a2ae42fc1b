#include "app/tdm.h"

#include "app/dialogs.h"
#include "app/file_locations.h"
#include "app/platform.h"
#include "app/user_catalog.h"
#include "i18n/replace_property.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"

#include <QDir>

namespace tarvel {

TDM::TDM(TAppSettings& settings, Platform& platform, Dialogs& dialogs, QString iniPath,
         const QString& catalogPath, const QString& dictionaryPath)
    : m_settings(settings), m_platform(platform), m_dialogs(dialogs), m_iniPath(std::move(iniPath)),
      m_langFile(std::make_unique<TAcroMultiFileDD>()) {
    // The dictionary's stored properties.
    m_langFile->setLoading(true);
    reportErrors(m_dialogs, nullptr, [this] { m_langFile->setDDName(resourceDictionaryName()); });
    m_langFile->setDDReaderID(QStringLiteral("AcroTextCSV"));
    m_langFile->setFileName(dictionaryPath);
    m_langFile->setIsUnicode(false);
    m_langFile->setLoading(false);
    // A dictionary that cannot be read is reported once; the program then shows its design texts.
    resetDictionaryFailures();
    setDictionaryFailureHandler([this](const QString& message) { m_dialogs.errorReport(nullptr, message); });
    reportErrors(m_dialogs, nullptr, [this] { DataModuleCreate(); });
    // After the settings, so that a failure to prepare the catalog is reported in the user's language.
    if (catalogPath.isEmpty())
        openProgramCatalog();
    else
        m_catalog = std::make_unique<Catalog>(catalogPath);
}

QString TDM::defaultDictionary() {
    return FileLocations::ofThisProcess().dictionaryFile(QStringLiteral("chinatoEN.lng"));
}

void TDM::openProgramCatalog() {
    const FileLocations here = FileLocations::ofThisProcess();
    if (!here.installed() || here.catalogBesideProgram()) {
        m_catalog = std::make_unique<Catalog>();
        return;
    }
    try {
        m_userCatalog = std::make_unique<UserCatalog>(here.shippedCatalog(), here.userCatalogFolder());
    } catch (const CatalogError& error) {
        // The program goes on; every catalog operation then fails as it does on a missing catalog.
        m_dialogs.errorReport(nullptr, QStringLiteral("%1 %2").arg(res(rs::UserCatalogNotMade),
                                                                   QString::fromUtf8(error.what())));
        m_catalog = std::make_unique<Catalog>(
            QDir(here.userCatalogFolder()).filePath(QString::fromLatin1(kCatalogFileName)));
        return;
    }
    if (m_userCatalog->outcome() == UserCatalog::Outcome::UpdateFailed)
        m_dialogs.errorReport(nullptr, QStringLiteral("%1 %2").arg(res(rs::UserCatalogNotUpdated),
                                                                   m_userCatalog->updateFailure()));
    m_catalog = std::make_unique<Catalog>(m_userCatalog->path());
}

TDM::~TDM() {
    setDictionaryFailureHandler({});
}

void TDM::DataModuleCreate() {
    LanguageIni ini(m_iniPath);
    m_settings.LanguageCodePage = ini.readInteger(QStringLiteral("Language"), 0);
    m_settings.InsertVisNum = ini.readInteger(QStringLiteral("InsertVisNum"), 0);
    if (m_settings.LanguageCodePage == 0) {
        m_settings.LanguageCodePage = m_platform.oemCodePage();
        ini.writeInteger(QStringLiteral("Language"), m_settings.LanguageCodePage);
    }
    ResourceTranslator& translator = ResourceTranslator::instance();
    translator.setLookup([](const ResourceReplaceOption& option, const QString& text) {
        return lookupText(TAcroMultiDDStorage::instance().FindDD(option.DDName), text, option.CodePage,
                          option.SeqNo, true);
    });
    translator.setDefaultReplaceOption(
        {resourceDictionaryName(), QString::number(m_settings.LanguageCodePage), QStringLiteral("0")});
    translator.switchOn();
}

} // namespace tarvel
