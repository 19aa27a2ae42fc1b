#include "app/platform.h"

#include "app/app_settings.h"

#include <QDesktopServices>
#include <QLocale>
#include <QProcess>
#include <QUrl>

namespace tarvel {

void SystemPlatform::startProcess(const QString& program, const QStringList& arguments) {
    QProcess::startDetached(program, arguments);
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

void restartIfPending(const TAppSettings& settings, Platform& platform, const QString& program) {
    if (!settings.RestartPending)
        return;
    QStringList arguments;
    if (!settings.RestartDesign.isEmpty()) {
        arguments << QString::fromLatin1(kOpenDesignOption) << settings.RestartDesign;
        if (!settings.RestartDesignName.isEmpty()) {
            arguments << QString::fromLatin1(kDesignNameOption) << settings.RestartDesignName;
            if (settings.RestartDesignModified)
                arguments << QString::fromLatin1(kDesignModifiedOption);
        }
    }
    platform.startProcess(program, arguments);
}

} // namespace tarvel
