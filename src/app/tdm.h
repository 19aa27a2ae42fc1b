#pragma once

#include "app/app_settings.h"
#include "catalog/catalog.h"
#include "i18n/multi_dd.h"

#include <memory>

namespace tarvel {

class Dialogs;
class Platform;

// The data module: created first at start-up, it reads the settings, switches the resource-string
// translator to the chosen language and owns the catalog connection and the dictionary LangFile.
class TDM {
public:
    // `iniPath` is Language.ini (beside the executable by default); an empty `catalogPath` looks the
    // catalog up in the current directory and then beside the executable; `dictionaryPath` is searched
    // as given, beside the executable, then along PATH.
    TDM(TAppSettings& settings, Platform& platform, Dialogs& dialogs,
        QString iniPath = LanguageIni::defaultPath(), const QString& catalogPath = {},
        const QString& dictionaryPath = QStringLiteral("chinatoEN.lng"));
    ~TDM();

    Catalog& catalog() { return *m_catalog; }
    TAcroMultiFileDD& LangFile() { return *m_langFile; }
    QString iniPath() const { return m_iniPath; }

    // The dictionary name every replacement option of the program uses.
    static QString resourceDictionaryName() { return QStringLiteral("DD_Resource"); }

private:
    // Reads Language.ini; writes the system's code page back when no language is stored yet; then
    // switches the translator on. A settings file that cannot be written is reported and the module
    // goes on without translating resource texts.
    void DataModuleCreate();

    TAppSettings& m_settings;
    Platform& m_platform;
    Dialogs& m_dialogs;
    QString m_iniPath;
    std::unique_ptr<Catalog> m_catalog;
    std::unique_ptr<TAcroMultiFileDD> m_langFile;
};

} // namespace tarvel
