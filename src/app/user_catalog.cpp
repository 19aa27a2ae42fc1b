#include "app/user_catalog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvel {
namespace {

// How long a start waits for another one that is preparing the copy.
constexpr int kPreparationWaitMs = 15000;

QString fileIn(const QString& folder, const char* name) {
    return QDir(folder).filePath(QString::fromLatin1(name));
}

QByteArray readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CatalogError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return bytes;
}

// Written aside and renamed into place, so the target is either the old file or the whole new one.
void writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw CatalogError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

bool sameBytes(const QString& a, const QString& b) {
    const QFileInfo first(a), second(b);
    if (!first.isFile() || !second.isFile() || first.size() != second.size())
        return false;
    try {
        return readWhole(a) == readWhole(b);
    } catch (const CatalogError&) {
        return false;
    }
}

// A name no earlier backup has: the date and time of the update, numbered when that is taken.
QString backupName(const QString& copy) {
    const QString stem = copy + QStringLiteral(".before-update-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + u'-' + QString::number(n);
    return name;
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

UserCatalog::UserCatalog(const QString& shipped, const QString& folder)
    : m_path(fileIn(folder, kCatalogFileName)) {
    if (!QDir().mkpath(folder))
        throw CatalogError(QStringLiteral("Cannot make the folder %1.").arg(folder));
    QLockFile preparing(fileIn(folder, "VurIvira.lock"));
    if (!preparing.tryLock(kPreparationWaitMs))
        throw CatalogError(
            QStringLiteral("Another start of the program holds %1.").arg(preparing.fileName()));

    const QString inUse = fileIn(folder, "VurIvira.in-use");
    m_inUse = ::open(QFile::encodeName(inUse).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_inUse < 0)
        throw CatalogError(QStringLiteral("%1: %2").arg(inUse, systemError()));
    try {
        const QString base = fileIn(folder, "VurIvira.shipped");
        if (!QFileInfo::exists(m_path)) {
            make(shipped, base);
        } else if (!sameBytes(shipped, base)) {
            if (::flock(m_inUse, LOCK_EX | LOCK_NB) == 0)
                update(shipped, base);
            else
                m_outcome = Outcome::UpdateDeferred;
        }
        // Shared from now on (an exclusive lock is turned into a shared one): other processes may
        // use the copy, none may replace it.
        if (::flock(m_inUse, LOCK_SH) != 0)
            throw CatalogError(QStringLiteral("%1: %2").arg(inUse, systemError()));
    } catch (...) {
        ::close(m_inUse);
        throw;
    }
}

UserCatalog::~UserCatalog() {
    ::close(m_inUse);
}

// The record of what the copy was made from comes first: a copy without it would be taken for one
// made from an unknown catalog at the next start.
void UserCatalog::make(const QString& shipped, const QString& base) {
    const QByteArray bytes = readWhole(shipped);
    writeWhole(base, bytes);
    writeWhole(m_path, bytes);
    m_outcome = Outcome::Made;
}

// The new copy is complete, with the user's rows, before anything of the old one is touched; the old
// one is copied to the backup and then replaced in one rename, so a failure at any point leaves a
// whole catalog in place.
void UserCatalog::update(const QString& shipped, const QString& base) {
    const QString fresh = m_path + QStringLiteral(".update");
    try {
        QFile::remove(fresh);
        writeWhole(fresh, readWhole(shipped));
        {
            Catalog catalog(fresh);
            m_carried = catalog.carryOverFrom(m_path, QFileInfo::exists(base) ? base : QString());
        }
        const QString backup = backupName(m_path);
        if (!QFile::copy(m_path, backup))
            throw CatalogError(QStringLiteral("Cannot copy %1 to %2.").arg(m_path, backup));
        if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(m_path).constData()) != 0)
            throw CatalogError(QStringLiteral("%1: %2").arg(m_path, systemError()));
        m_backup = backup;
    } catch (const std::exception& error) {
        QFile::remove(fresh);
        m_updateFailure = QString::fromUtf8(error.what());
        m_outcome = Outcome::UpdateFailed;
        return;
    }
    m_outcome = Outcome::Updated;
    // Should this fail, the next start updates once more from the copy made now, which holds
    // everything: nothing is lost, only a second backup is made.
    try {
        writeWhole(base, readWhole(shipped));
    } catch (const CatalogError&) {
    }
}

} // namespace tarvel
