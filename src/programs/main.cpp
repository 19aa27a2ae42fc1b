#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/startup_probe.h"
#include "app/tdm.h"
#include "ui/look.h"
#include "ui/tfrm_main.h"

#include <QApplication>

// Start-up order: application, data module (settings and language), main window, message loop;
// after the loop a change of language starts the program anew.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    // Desktops find the program's entry and icon for its window by this name.
    QApplication::setDesktopFileName(QStringLiteral(TARVEL_APP_ID));
    tarvel::applyLook(app);

    tarvel::TAppSettings settings;
    tarvel::SystemPlatform platform;
    tarvel::QtDialogs dialogs;
    tarvel::TDM dm(settings, platform, dialogs);
    tarvel::AppContext context{settings, dm, dialogs, platform};

    int result = 0;
    {
        tarvel::Tfrm_main mainWindow(context);
        tarvel::watchFirstPaintIfProbing(&mainWindow);
        mainWindow.show();
        mainWindow.openFromCommandLine(QApplication::arguments());
        result = QApplication::exec();
    }
    tarvel::restartIfPending(settings, platform, QCoreApplication::applicationFilePath());
    return result;
}
