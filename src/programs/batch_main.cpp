// tarvel-batch DESIGN.tpvd [--pdf OUT.pdf] [--json OUT.json] [--csv OUT.csv] [--propose OUT.json]
//              [--lang 936|1252]
//
// Builds the real main window without a display, opens the design as the window's "Open Design..."
// does, and writes the report PDF and the results. Exit status:
//   0 done;
//   1 wrong use, an output that cannot be written (or names the design or another output), or any
//     other failure;
//   2 the design file is unreadable or malformed;
//   3 something in the design is not in the catalog (the outputs are still written);
//   4 the catalog or the dictionary cannot be used (nothing is written).
// Every message the window would have shown goes to stderr, whatever the status. --propose writes the
// selection assistant's result for the design's module and count (ui/propose_json.h). --csv writes
// the results by their plain names as "Export Results..." does (ui/results_export.h, docs/RESULTS.md);
// the JSON carries the same names in its "results" object.

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/tdm.h"
#include "design/design_file.h"
#include "design/solar_model.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "io/file_io.h"
#include "report/prepared_report.h"
#include "ui/design_results.h"
#include "ui/look.h"
#include "ui/propose_json.h"
#include "ui/results_export.h"
#include "ui/tfrm_main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <cstdio>
#include <new>
#include <optional>
#include <sys/stat.h>

namespace {

enum Status { kDone = 0, kFailed = 1, kBadDesign = 2, kNotInCatalog = 3, kCatalogUnusable = 4 };

// Names come from design files and catalogs: a control character among them could cut the line
// short or steer the terminal. They are shown as escapes (a backslash doubled, so an escape reads
// unambiguously), and the whole text is written, character 0 included.
QString visible(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\\')
            shown += QStringLiteral("\\\\");
        else if (code == u'\n')
            shown += QStringLiteral("\\n");
        else if (code == u'\r')
            shown += QStringLiteral("\\r");
        else if (code == u'\t')
            shown += QStringLiteral("\\t");
        else if (code < 0x20 || (code >= 0x7f && code <= 0x9f))
            shown += QStringLiteral("\\x%1").arg(static_cast<unsigned>(code), 2, 16, QLatin1Char('0'));
        else if ((code >= 0x202a && code <= 0x202e) || (code >= 0x2066 && code <= 0x2069))
            shown += QStringLiteral("\\u%1").arg(static_cast<unsigned>(code), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

void say(const QString& message) {
    const QByteArray line = QStringLiteral("tarvel-batch: %1\n").arg(visible(message)).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
}

int fail(int status, const QString& message) {
    say(message);
    return status;
}

// Tells whether two paths name one file: by device and inode when the file exists (so links and
// other spellings of a path count as the same file), else by the path with its folder resolved.
QString fileIdentity(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return QStringLiteral("inode %1:%2").arg(status.st_dev).arg(status.st_ino);
    const QFileInfo info(path);
    const QString folder = QDir(info.absolutePath()).canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + u'/' + info.fileName();
}

struct Output {
    QString option; // as given on the command line, for messages
    QString path;
    QString failure; // the message when it cannot be written: %1 the path, %2 the reason
    QByteArray bytes;
};

// No output may take the place of the design being read, nor two outputs the same file: one would
// silently overwrite the other.
std::optional<QString> collision(const QString& design, const QList<Output>& outputs) {
    QList<std::pair<QString, QString>> seen{{QStringLiteral("the design file"), fileIdentity(design)}};
    for (const Output& output : outputs) {
        const QString identity = fileIdentity(output.path);
        for (const auto& [what, other] : seen)
            if (identity == other)
                return QStringLiteral("%1 %2 names the same file as %3; nothing was written")
                    .arg(output.option, output.path, what);
        seen.append({output.option, identity});
    }
    return std::nullopt;
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

int run(int argc, char* argv[]) {
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
    const QCommandLineOption propose(QStringLiteral("propose"),
                                     QStringLiteral("write the assistant's result"), QStringLiteral("file"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("write the results as CSV"),
                                 QStringLiteral("file"));
    parser.addOptions({pdf, json, csv, lang, propose});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        return fail(
            kFailed,
            QStringLiteral(
                "usage: tarvel-batch DESIGN.tpvd [--pdf OUT.pdf] [--json OUT.json] [--csv OUT.csv] [--propose OUT.json] "
                "[--lang 936|1252]"));
    if (parser.isSet(lang) && parser.value(lang) != QStringLiteral("936") &&
        parser.value(lang) != QStringLiteral("1252"))
        return fail(kFailed, QStringLiteral("--lang must be 936 or 1252"));
    const QString designPath = parser.positionalArguments().first();

    QList<Output> outputs;
    if (parser.isSet(pdf))
        outputs.append({QStringLiteral("--pdf"),
                        parser.value(pdf),
                        QStringLiteral("Cannot write the PDF file %1: %2"),
                        {}});
    if (parser.isSet(json))
        outputs.append(
            {QStringLiteral("--json"), parser.value(json), QStringLiteral("cannot write %1: %2"), {}});
    if (parser.isSet(csv))
        outputs.append({QStringLiteral("--csv"), parser.value(csv), QStringLiteral("cannot write %1: %2"), {}});
    if (parser.isSet(propose))
        outputs.append({QStringLiteral("--propose"), parser.value(propose),
                        QStringLiteral("cannot write %1: %2"), {}});
    if (const std::optional<QString> clash = collision(designPath, outputs))
        return fail(kFailed, *clash);

    tarvel::TAppSettings settings;
    tarvel::SystemPlatform platform;
    tarvel::HeadlessDialogs dialogs;
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        return fail(kFailed,
                    QStringLiteral("cannot make a temporary folder: %1").arg(settingsDir.errorString()));
    const QString ini = settingsDir.filePath(QStringLiteral("Language.ini"));
    tarvel::LanguageIni(ini).writeInteger(QStringLiteral("Language"),
                                          languageOf(parser.value(lang), platform));
    tarvel::TDM dm(settings, platform, dialogs, ini);

    // A catalog that cannot be opened at all ends the run here, before each of the window's own
    // operations would wait for it in turn.
    try {
        dm.catalog().countryListQuery();
    } catch (const std::exception& error) {
        return fail(kCatalogUnusable,
                    QStringLiteral("the catalog cannot be used: %1").arg(QString::fromUtf8(error.what())));
    }

    tarvel::AppContext context{settings, dm, dialogs, platform};
    tarvel::Tfrm_main window(context);
    tarvel::Tfrm_main::OpenResult opened;
    try {
        opened = window.openDesign(designPath);
        window.nameDesignFile(designPath);
    } catch (const tarvel::DesignFileError& error) {
        for (const QString& text : dialogs.texts)
            say(text);
        return fail(kBadDesign, QString::fromUtf8(error.what()));
    }
    // What the window would show as a notice on its ProjectInfo page (printed with the messages below).
    if (tarvel::solar::outsideModel(window.session().MonthlyYield))
        opened.messages.append(tarvel::res(tarvel::rs::OutsideModelNotice));
    for (Output& output : outputs) {
        if (output.option == QStringLiteral("--pdf")) {
            output.bytes = window.preparedReport().pdf();
        } else if (output.option == QStringLiteral("--propose")) {
            output.bytes =
                QJsonDocument(tarvel::proposeJson(window, dm.catalog())).toJson(QJsonDocument::Indented);
        } else if (output.option == QStringLiteral("--csv")) {
            output.bytes = tarvel::resultsCsv(tarvel::resultFields(window));
        } else {
            QJsonObject results = tarvel::designResults(window);
            results.insert(QStringLiteral("results"), tarvel::resultsJson(tarvel::resultFields(window)));
            results.insert(QStringLiteral("messages"),
                           QJsonArray::fromStringList(dialogs.texts + opened.messages));
            results.insert(QStringLiteral("skipped"), QJsonArray::fromStringList(opened.skipped));
            output.bytes = QJsonDocument(results).toJson(QJsonDocument::Indented);
        }
    }

    for (const QString& text : dialogs.texts + opened.messages)
        say(text);
    // In a batch run every error the window reports comes from the catalog or the dictionary (the
    // design's own values were checked when the file was read); the catalog also knows the failures
    // the window went on from without a word.
    QStringList unusable = dialogs.errors;
    for (const QString& failure : dm.catalog().failures())
        if (!unusable.contains(failure)) {
            unusable.append(failure);
            say(QStringLiteral("catalog %1: %2").arg(dm.catalog().filePath(), failure));
        }
    if (!unusable.isEmpty())
        return fail(kCatalogUnusable,
                    QStringLiteral("the catalog or the dictionary cannot be used; nothing was written"));

    for (const Output& output : outputs) {
        try {
            tarvel::io::writeFileReplacing(output.path, output.bytes);
        } catch (const tarvel::io::FileError& error) {
            return fail(kFailed, output.failure.arg(output.path, QString::fromUtf8(error.what())));
        }
    }
    if (!opened.skipped.isEmpty())
        return fail(kNotInCatalog,
                    QStringLiteral("not in the catalog: %1").arg(opened.skipped.join(QStringLiteral("; "))));
    return kDone;
}

} // namespace

int main(int argc, char* argv[]) {
    // Whatever goes wrong ends the run with a message and a status, never with an abort.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        return fail(kFailed, QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        return fail(kFailed, QString::fromUtf8(error.what()));
    } catch (...) {
        return fail(kFailed, QStringLiteral("an unknown error stopped the run"));
    }
}
