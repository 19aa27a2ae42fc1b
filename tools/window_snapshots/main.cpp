// window_snapshots <catalog> <out dir> [country city [inverter]]
// Developer tool: builds the main window offscreen on a catalog and saves each design page as PNG,
// so the look can be checked without a display.

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/tdm.h"
#include "ui/look.h"
#include "ui/tfrm_main.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

namespace {

void choose(tarvel::Tfrm_main& window, const char* name, const QString& entry) {
    auto* chooser = window.findChild<QComboBox*>(QString::fromLatin1(name));
    const int index = chooser ? chooser->findText(entry) : -1;
    if (index < 0)
        return;
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    tarvel::applyLook(app);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: window_snapshots <catalog> <out dir> [country city [inverter]]\n");
        return 2;
    }
    QDir().mkpath(args[2]);
    tarvel::TAppSettings settings;
    tarvel::SystemPlatform platform;
    tarvel::QtDialogs dialogs;
    tarvel::TDM dm(settings, platform, dialogs, QDir(args[2]).filePath(QStringLiteral("Language.ini")),
                   args[1]);
    tarvel::AppContext context{settings, dm, dialogs, platform};
    tarvel::Tfrm_main window(context);
    window.show();
    if (args.size() >= 5) {
        choose(window, "ComboBox1", args[3]);
        choose(window, "ComboBox2", args[4]);
    }
    if (args.size() >= 6)
        choose(window, "ComboBox17", args[5]);
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("RzPageControl1"));
    auto* pane = window.findChild<QTabWidget*>(QStringLiteral("RzPageControl2"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        pane->setCurrentIndex(i == 0 ? 1 : 0);
        QApplication::processEvents();
        window.grab().save(QDir(args[2]).filePath(QStringLiteral("page%1.png").arg(i)));
    }
    return 0;
}
