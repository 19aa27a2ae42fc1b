// tarvel-batch DESIGN.tpvd [--pdf OUT.pdf] [--json OUT.json] [--lang 936|1252]
//
// Builds the real main window without a display, opens the design as the window's "Open Design..."
// does, and writes the report PDF and the results. Exit status: 0 done, 1 wrong use or an output
// that cannot be written, 2 the design file is unreadable or malformed, 3 something in the design is
// not in the catalog (the outputs are still written).

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/tdm.h"
#include "design/design_file.h"
#include "design/solar_model.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "report/prepared_report.h"
#include "ui/design_results.h"
#include "ui/look.h"
#include "ui/tfrm_main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(int status, const QString& message) {
    std::fprintf(stderr, "tarvel-batch: %s\n", qPrintable(message));
    return status;
}

void write(const QString& path, const QByteArray& bytes) {
    // A file is written aside and renamed over the old one, so a failed run leaves it intact. Anything
    // else (standard output, a pipe, a device) is written into as it is: a new file renamed over it
    // would take the place of the device itself wherever the user may create files beside it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            throw std::runtime_error(
                QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit())
        throw std::runtime_error(
            QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

// The language of the run: the one asked for, else the program's setting, else the system's. The
// program's own settings file is only read.
int languageOf(const QString& asked, const tarvel::Platform& platform) {
    if (!asked.isEmpty())
        return asked.toInt();
    const int stored =
        tarvel::LanguageIni(tarvel::LanguageIni::defaultPath()).readInteger(QStringLiteral("Language"), 0);
    return stored != 0 ? stored : platform.oemCodePage();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CTarvelDesign"));
    tarvel::applyLook(app);

    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("design"), QStringLiteral("the design file (.tpvd)"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("write the report"),
                                 QStringLiteral("file"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("write the results"),
                                  QStringLiteral("file"));
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("936 or 1252"),
                                  QStringLiteral("code page"));
    parser.addOptions({pdf, json, lang});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        return fail(
            1, QStringLiteral(
                   "usage: tarvel-batch DESIGN.tpvd [--pdf OUT.pdf] [--json OUT.json] [--lang 936|1252]"));
    if (parser.isSet(lang) && parser.value(lang) != QStringLiteral("936") &&
        parser.value(lang) != QStringLiteral("1252"))
        return fail(1, QStringLiteral("--lang must be 936 or 1252"));

    tarvel::TAppSettings settings;
    tarvel::SystemPlatform platform;
    tarvel::HeadlessDialogs dialogs;
    QTemporaryDir settingsDir;
    const QString ini = settingsDir.filePath(QStringLiteral("Language.ini"));
    tarvel::LanguageIni(ini).writeInteger(QStringLiteral("Language"),
                                          languageOf(parser.value(lang), platform));
    tarvel::TDM dm(settings, platform, dialogs, ini);
    tarvel::AppContext context{settings, dm, dialogs, platform};
    tarvel::Tfrm_main window(context);

    tarvel::Tfrm_main::OpenResult opened;
    try {
        opened = window.openDesign(parser.positionalArguments().first());
    } catch (const tarvel::DesignFileError& error) {
        return fail(2, QString::fromUtf8(error.what()));
    }
    // What the window would show as a notice on its ProjectInfo page.
    if (tarvel::solar::outsideModel(window.session().MonthlyYield)) {
        opened.messages.append(tarvel::res(tarvel::rs::OutsideModelNotice));
        std::fprintf(stderr, "tarvel-batch: %s\n", qPrintable(opened.messages.last()));
    }
    try {
        if (parser.isSet(pdf)) {
            window.InitReport();
            tarvel::report::PreparedReport::prepare(window.TarvelReport()).exportPdf(parser.value(pdf));
        }
        if (parser.isSet(json)) {
            QJsonObject results = tarvel::designResults(window);
            results.insert(QStringLiteral("messages"),
                           QJsonArray::fromStringList(dialogs.texts + opened.messages));
            results.insert(QStringLiteral("skipped"), QJsonArray::fromStringList(opened.skipped));
            write(parser.value(json), QJsonDocument(results).toJson(QJsonDocument::Indented));
        }
    } catch (const std::exception& error) {
        return fail(1, QString::fromUtf8(error.what()));
    }
    if (!opened.skipped.isEmpty())
        return fail(3,
                    QStringLiteral("not in the catalog: %1").arg(opened.skipped.join(QStringLiteral("; "))));
    return 0;
}
