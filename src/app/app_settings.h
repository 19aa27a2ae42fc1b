#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

namespace tarvel {

// Code pages of the two interface languages.
inline constexpr int kCodePageChinese = 936;
inline constexpr int kCodePageEnglish = 1252;

// The settings value that switches the main window into maintenance mode (picture store and the
// "New Inverter" command). Operators set InsertVisNum=318 in Language.ini by hand.
inline constexpr int kMaintenanceValue = 318;

// The shell's values for the whole run of the process.
struct TAppSettings {
    std::int32_t LanguageCodePage = 0;
    std::int32_t InsertVisNum = 0;
    QString ProgramVersion;
    bool RestartPending = false;
    // The design saved for the new process of a restart to open (and delete); empty for none.
    QString RestartDesign;
    // The file that design came from (empty for a design never saved) and whether it had unsaved
    // changes, so that the new process goes on with the same file and the same mark.
    QString RestartDesignName;
    bool RestartDesignModified = false;
};

// "tarvel --open-design FILE" opens a user's design at start; the file is never changed.
inline constexpr char kOpenDesignOption[] = "--open-design";
// The argument with which a restarted program is told which temporary design to open and delete.
inline constexpr char kRestartDesignOption[] = "--restart-design";
// With it: the file the handed-over design belongs to, and the mark of its unsaved changes.
inline constexpr char kDesignNameOption[] = "--design-name";
inline constexpr char kDesignModifiedOption[] = "--design-modified";

// The settings file could not be written; the message names the file.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& path)
        : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()) {}
};

// Language.ini: section "LanguageOf" with the integer keys "Language" and "InsertVisNum".
class LanguageIni {
public:
    explicit LanguageIni(QString path) : m_path(std::move(path)) {}

    // The program's settings file: beside the executable in a run folder, else in the user's
    // configuration folder (FileLocations::settingsFile).
    static QString defaultPath();

    QString path() const { return m_path; }
    // A key that is missing or holds no integer gives the default.
    int readInteger(const QString& key, int defaultValue) const;
    // Throws SettingsError when the file cannot be written.
    void writeInteger(const QString& key, int value);
    // A list of file names in a section of its own (keys File1, File2, ...), in order.
    QStringList readFileList(const QString& section) const;
    // Replaces the section with `files`; throws SettingsError when the file cannot be written.
    void writeFileList(const QString& section, const QStringList& files);

private:
    QString m_path;
};

// "1.3.0.1" -> "1.3.0": major, minor and release of a four-part version; empty when there is none.
QString programVersionText(const QString& fileVersion);

// getpvVersitionL: the version of this program file as shown to users.
QString getpvVersitionL();

} // namespace tarvel
