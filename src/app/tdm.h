#pragma once

#include "app/app_settings.h"
#include "catalog/catalog.h"
#include "i18n/multi_dd.h"

#include <memory>

namespace tarvel {

class Dialogs;
class Platform;
class UserCatalog;

// The data module: created first at start-up, it reads the settings, switches the resource-string
// translator to the chosen language and owns the catalog connection and the dictionary LangFile.
class TDM {
public:
    // `iniPath` is Language.ini (where FileLocations puts it by default); an empty `catalogPath` looks
    // the catalog up in the current directory and then beside the executable, and an installed program
    // without one there uses the user's own copy (UserCatalog); `dictionaryPath` is searched as given,
    // beside the executable, then along PATH (FileLocations::dictionaryFile names an installation's).
    TDM(TAppSettings& settings, Platform& platform, Dialogs& dialogs,
        QString iniPath = LanguageIni::defaultPath(), const QString& catalogPath = {},
        const QString& dictionaryPath = defaultDictionary());
    ~TDM();

    Catalog& catalog() { return *m_catalog; }
    TAcroMultiFileDD& LangFile() { return *m_langFile; }
    QString iniPath() const { return m_iniPath; }

    // The dictionary name every replacement option of the program uses.
    static QString resourceDictionaryName() { return QStringLiteral("DD_Resource"); }
    // chinatoEN.lng as the program looks for it.
    static QString defaultDictionary();

private:
    // Reads Language.ini; writes the system's code page back when no language is stored yet; then
    // switches the translator on. A settings file that cannot be written is reported and the module
    // goes on without translating resource texts.
    void DataModuleCreate();
    // The catalog the program uses when none is named; an installed program's own copy is prepared
    // here, and a failure to prepare it is reported.
    void openProgramCatalog();

    TAppSettings& m_settings;
    Platform& m_platform;
    Dialogs& m_dialogs;
    QString m_iniPath;
    std::unique_ptr<UserCatalog> m_userCatalog;
    std::unique_ptr<Catalog> m_catalog;
    std::unique_ptr<TAcroMultiFileDD> m_langFile;
};

} // namespace tarvel
