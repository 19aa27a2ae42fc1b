// installed_session: the program as an installation runs it, then what a user does in it.
//
// The install test copies this program into an installed prefix's bin folder, beside tarvel, so that
// it finds its files exactly as the installed program does (the data module with no paths given).
// It starts as the program starts, adds a location through the "New Location" dialog and chooses
// "English" from the language menu. Instead of showing message boxes it writes them to standard
// error ("message: ..."), and it writes to standard output what a person would see or what would
// happen next: the caption of "New Design" in the language it started in ("caption: ...") and the
// restart the language change asks for ("restart: ...").

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/tdm.h"
#include "ui/look.h"
#include "ui/tfrm_location.h"
#include "ui/tfrm_main.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

void say(const char* what, const QString& text) {
    std::printf("%s: %s\n", what, qPrintable(text));
    std::fflush(stdout);
}

class PrintingDialogs : public tarvel::HeadlessDialogs {
public:
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    void errorReport(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

class PrintingPlatform : public tarvel::SystemPlatform {
public:
    bool startProcess(const QString& program, const QStringList& arguments) override {
        say("restart", (QStringList{program} + arguments).join(u' '));
        return true;
    }
    void openDocument(const QString& path) override { say("open", path); }
};

// Fills the open "New Location" dialog as a user types it and presses OK.
void addLocationInOpenDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<tarvel::Tfrm_location*>(widget);
        if (!dialog || !dialog->isVisible())
            continue;
        QStringList texts{QStringLiteral("Testland"), QStringLiteral("Installville"), QStringLiteral("47.5"),
                          QStringLiteral("8.25"), QStringLiteral("410")};
        for (int m = 0; m < 12; ++m)
            texts << QString::number(40 + 15 * m);
        texts << QStringLiteral("125");
        for (int n = 1; n <= texts.size(); ++n)
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n))->setText(texts[n - 1]);
        dialog->findChild<QPushButton*>(QStringLiteral("newpanel_ok"))->click();
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    tarvel::applyLook(app);

    tarvel::TAppSettings settings;
    PrintingPlatform platform;
    PrintingDialogs dialogs;
    tarvel::TDM dm(settings, platform, dialogs);
    tarvel::AppContext context{settings, dm, dialogs, platform};
    {
        tarvel::Tfrm_main window(context);
        window.show();
        say("caption", window.findChild<QAction*>(QStringLiteral("N14"))->text());
        QTimer::singleShot(0, addLocationInOpenDialog);
        window.findChild<QAction*>(QStringLiteral("NewLocation2"))->trigger();
        window.findChild<QAction*>(QStringLiteral("N22"))->trigger();
    }
    tarvel::restartIfPending(settings, platform, QCoreApplication::applicationFilePath());
    return 0;
}
