#include "app/app_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace tarvel {
namespace {

const QString kSection = QStringLiteral("LanguageOf");

// The profile functions find a section and a key in any letter case; QSettings only in the case
// given. The key's path as the file spells it, so a file written as [languageof] / language=936 is
// read, and written to, where its value stands; a new entry takes the program's own spelling.
QString storedKey(QSettings& ini, const QString& key) {
    QString section = kSection;
    for (const QString& group : ini.childGroups()) {
        if (group.compare(kSection, Qt::CaseInsensitive) == 0) {
            section = group;
            break;
        }
    }
    ini.beginGroup(section);
    QString name = key;
    for (const QString& stored : ini.childKeys()) {
        if (stored.compare(key, Qt::CaseInsensitive) == 0) {
            name = stored;
            break;
        }
    }
    ini.endGroup();
    return section + u'/' + name;
}

} // namespace

QString LanguageIni::defaultPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Language.ini"));
}

int LanguageIni::readInteger(const QString& key, int defaultValue) const {
    QSettings ini(m_path, QSettings::IniFormat);
    bool ok = false;
    const int value = ini.value(storedKey(ini, key)).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void LanguageIni::writeInteger(const QString& key, int value) {
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(storedKey(ini, key), value);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw SettingsError(m_path);
}

QStringList LanguageIni::readFileList(const QString& section) const {
    QSettings ini(m_path, QSettings::IniFormat);
    ini.beginGroup(section);
    QStringList files;
    for (int number = 1;; ++number) {
        const QVariant value = ini.value(QStringLiteral("File%1").arg(number));
        if (!value.isValid())
            break;
        files.append(value.toString());
    }
    return files;
}

void LanguageIni::writeFileList(const QString& section, const QStringList& files) {
    QSettings ini(m_path, QSettings::IniFormat);
    ini.remove(section);
    ini.beginGroup(section);
    for (qsizetype i = 0; i < files.size(); ++i)
        ini.setValue(QStringLiteral("File%1").arg(i + 1), files[i]);
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw SettingsError(m_path);
}

QString programVersionText(const QString& fileVersion) {
    const QStringList parts = fileVersion.split(u'.');
    if (parts.size() < 3)
        return {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        parts[i].toUShort(&ok);
        if (!ok)
            return {};
    }
    return parts.mid(0, 3).join(u'.');
}

QString getpvVersitionL() {
    return programVersionText(QStringLiteral(TARVEL_VERSION));
}

} // namespace tarvel
