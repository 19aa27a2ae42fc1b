#pragma once

#include <QString>

namespace tarvel {

// The name of the program's folder in the shared data folder of an installation and in the user's
// configuration and data folders.
inline constexpr char kProgramFolderName[] = "tarvel";

// Where the program finds its files. There are two layouts:
//
// - the run folder (portable): the executable with everything it needs beside it, the settings
//   written there too; the build's run folder is one;
// - an installation: the executable in <prefix>/bin and the shipped files (catalog, dictionary,
//   logo, user guides) in <prefix>/share/tarvel/, which the program never writes; the settings and
//   the user's own copy of the catalog live in the user's folders.
//
// The layout is told by the folder <prefix>/share/tarvel/ beside the executable's folder, not by
// whether a write succeeds: a program run by root could write into any prefix, and a user's own
// prefix (~/.local) is writable too, but neither is a place for settings or a changing catalog.
class FileLocations {
public:
    struct Folders {
        QString program;    // the executable's folder
        QString userConfig; // $XDG_CONFIG_HOME, else ~/.config
        QString userData;   // $XDG_DATA_HOME, else ~/.local/share
    };

    explicit FileLocations(Folders folders);
    // The folders of the running process.
    static FileLocations ofThisProcess();

    bool installed() const;
    // <prefix>/share/tarvel/ of an installation (whether or not it exists).
    QString sharedDataFolder() const;

    // Language.ini: beside the executable when it is there, or when the run folder can take it;
    // otherwise in the user's configuration folder, which is created when missing.
    QString settingsFile() const;

    // A shipped file (logo, user guide): beside the executable, else in an installation's shared
    // data folder; the path beside the executable when neither holds it.
    QString shippedFile(const QString& name) const;

    // The dictionary as the data module hands it to the dictionary store, which searches a name as
    // given, beside the executable, then along PATH: an installation's copy is named by its full path
    // when only the shared data folder holds it.
    QString dictionaryFile(const QString& name) const;

    // Whether the catalog is found as the run folder finds it: in the current directory or beside
    // the executable.
    bool catalogBesideProgram() const;
    // The shipped catalog of an installation and the folder of the user's copy of it.
    QString shippedCatalog() const;
    QString userCatalogFolder() const;

private:
    Folders m_folders;
};

} // namespace tarvel
