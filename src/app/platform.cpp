#include "app/platform.h"

#include "app/app_settings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QUrl>

#include <unistd.h>

namespace tarvel {

bool SystemPlatform::startProcess(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void SystemPlatform::openDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

int SystemPlatform::oemCodePage() const {
    const QLocale system = QLocale::system();
    const bool chinese = system.language() == QLocale::Chinese &&
                         (system.territory() == QLocale::China || system.territory() == QLocale::Singapore);
    return chinese ? kCodePageChinese : kCodePageEnglish;
}

} // namespace tarvel

namespace tarvel {

namespace {

const QString kRestartPrefix = QStringLiteral("tarvel-restart-");
const QString kRestartSuffix = QStringLiteral(".tpvd");

} // namespace

void restartIfPending(TAppSettings& settings, Platform& platform, const QString& program) {
    QStringList arguments;
    if (!settings.RestartDesign.isEmpty()) {
        arguments << QString::fromLatin1(kRestartDesignOption) << settings.RestartDesign;
        if (!settings.RestartDesignName.isEmpty()) {
            arguments << QString::fromLatin1(kDesignNameOption) << settings.RestartDesignName;
            if (settings.RestartDesignModified)
                arguments << QString::fromLatin1(kDesignModifiedOption);
        }
    }
    const bool started = settings.RestartPending && platform.startProcess(program, arguments);
    // The new process deletes the design once it has opened it; otherwise nobody would.
    if (started)
        settings.RestartDesign.clear();
    else
        discardRestartDesign(settings);
}

QString newRestartDesignFile() {
    QTemporaryFile file(QDir::temp().filePath(kRestartPrefix + QStringLiteral("XXXXXX") + kRestartSuffix));
    file.setAutoRemove(false);
    return file.open() ? file.fileName() : QString();
}

bool isRestartDesignFile(const QString& path) {
    const QFileInfo file(path);
    static const QRegularExpression name(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(kRestartPrefix) + QStringLiteral("[A-Za-z0-9]{6,}") +
        QRegularExpression::escape(kRestartSuffix)));
    return file.isFile() && !file.isSymLink() && file.ownerId() == ::getuid() &&
           name.match(file.fileName()).hasMatch() &&
           QDir(file.absolutePath()).canonicalPath() == QDir(QDir::tempPath()).canonicalPath();
}

void discardRestartDesign(TAppSettings& settings) {
    if (isRestartDesignFile(settings.RestartDesign))
        QFile::remove(settings.RestartDesign);
    settings.RestartDesign.clear();
}

} // namespace tarvel
