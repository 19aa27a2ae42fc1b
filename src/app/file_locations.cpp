#include "app/file_locations.h"

#include "catalog/catalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvel {
namespace {

const QString kSettingsFileName = QStringLiteral("Language.ini");

QString programFolderName() {
    return QString::fromLatin1(kProgramFolderName);
}

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

FileLocations::FileLocations(Folders folders) : m_folders(std::move(folders)) {}

FileLocations FileLocations::ofThisProcess() {
    return FileLocations({QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)});
}

QString FileLocations::sharedDataFolder() const {
    return QDir::cleanPath(m_folders.program + QStringLiteral("/../share/") + programFolderName());
}

bool FileLocations::installed() const {
    return QFileInfo(sharedDataFolder()).isDir();
}

QString FileLocations::settingsFile() const {
    const QString beside = QDir(m_folders.program).filePath(kSettingsFileName);
    if (QFileInfo::exists(beside) || (!installed() && QFileInfo(m_folders.program).isWritable()))
        return beside;
    const QString folder = QDir(m_folders.userConfig).filePath(programFolderName());
    // Made here so that the first write finds its folder; if it cannot be made, that write reports
    // the file it could not write.
    QDir().mkpath(folder);
    return QDir(folder).filePath(kSettingsFileName);
}

QString FileLocations::shippedFile(const QString& name) const {
    const QString beside = QDir(m_folders.program).filePath(name);
    if (isFile(beside) || !installed())
        return beside;
    const QString shipped = QDir(sharedDataFolder()).filePath(name);
    return isFile(shipped) ? shipped : beside;
}

QString FileLocations::dictionaryFile(const QString& name) const {
    if (!installed() || isFile(name) || isFile(QDir(m_folders.program).filePath(name)))
        return name;
    const QString shipped = QDir(sharedDataFolder()).filePath(name);
    return isFile(shipped) ? shipped : name;
}

bool FileLocations::catalogBesideProgram() const {
    const QString name = QString::fromLatin1(kCatalogFileName);
    return QFileInfo::exists(QDir::current().filePath(name)) ||
           QFileInfo::exists(QDir(m_folders.program).filePath(name));
}

QString FileLocations::shippedCatalog() const {
    return QDir(sharedDataFolder()).filePath(QString::fromLatin1(kCatalogFileName));
}

QString FileLocations::userCatalogFolder() const {
    return QDir(m_folders.userData).filePath(programFolderName());
}

} // namespace tarvel
