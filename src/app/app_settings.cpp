#include "app/app_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace tarvel {
namespace {

QString fullKey(const QString& key) {
    return QStringLiteral("LanguageOf/") + key;
}

} // namespace

QString LanguageIni::defaultPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Language.ini"));
}

int LanguageIni::readInteger(const QString& key, int defaultValue) const {
    const QSettings ini(m_path, QSettings::IniFormat);
    bool ok = false;
    const int value = ini.value(fullKey(key)).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void LanguageIni::writeInteger(const QString& key, int value) {
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(fullKey(key), value);
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
