#pragma once

#include "app/app_context.h"
#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/platform.h"
#include "app/tdm.h"
#include "support/temp_catalog.h"
#include "ui/tfrm_main.h"

#include <QByteArray>
#include <QComboBox>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace tarvel::test {

// Records every message box instead of showing it; answers file pickers with a prepared name.
class RecordingDialogs : public Dialogs {
public:
    void message(QWidget*, const QString& text) override {
        messages.append(text);
        if (onMessage)
            onMessage(text);
    }
    void messageWithDetail(QWidget* parent, const QString& text, const QString& detail) override {
        details.append(detail);
        message(parent, text);
    }
    QString openPictureFile(QWidget*) override { return pictureFile; }
    QString openDesignFile(QWidget*) override { return designFile; }
    QString saveDesignFile(QWidget*) override { return designFile; }
    QString saveResultsFile(QWidget*) override { return resultsFile; }
    void errorReport(QWidget*, const QString& text) override { errors.append(text); }
    SaveAnswer askSaveChanges(QWidget*) override {
        ++saveQuestions;
        return saveAnswer;
    }

    QStringList messages;
    // The second lines of the boxes that have one, in order.
    QStringList details;
    QStringList errors;
    QString pictureFile;
    QString designFile;
    QString resultsFile;
    // "Save changes to the design?": how often it was asked and what the user answers.
    int saveQuestions = 0;
    SaveAnswer saveAnswer = SaveAnswer::Discard;
    // Runs while a message box would be open, to look at the window at that moment.
    std::function<void(const QString&)> onMessage;
};

// Stands in for the operating system: records processes started and documents opened.
class FakePlatform : public Platform {
public:
    bool startProcess(const QString& program, const QStringList& arguments) override {
        started.append(program);
        startArguments.append(arguments);
        return startSucceeds;
    }
    void openDocument(const QString& path) override { opened.append(path); }
    int oemCodePage() const override { return oem; }

    QStringList started;
    QList<QStringList> startArguments;
    QStringList opened;
    int oem = 1252;
    bool startSucceeds = true;
    // A design handed to a started process is deleted with the fixture (no process opens it), unless
    // the test opens it in a restarted window of its own.
    bool keepHandedOverDesigns = false;
};

// Writes a dictionary file with the column names and no entries into `dir`: the window then shows its
// design texts, whatever language the settings name.
QString writeEmptyDictionary(const QString& dir);

// An inverter row with typical texts and the given numbers.
TInverterInfo sampleInverter(const char* name, const char* dcMax, const char* acMax, const char* maxI);

// The bytes of a JPEG file of one colour, as a picture file or a catalog `pic` holds them.
QByteArray jpegOf(Qt::GlobalColor colour, QSize size);
// A picture whose scan data is most of the file, so cutting the file in half cuts the scan.
QByteArray noisyJpeg(QSize size);
// The fifteen texts of the new-module dialog for a plausible module, in field order.
QStringList samplePanelTexts(const QString& maker, const QString& type,
                             const QString& material = QStringLiteral("POLY"));

// Fills a catalog with a few locations, modules and inverters for window tests.
void fillSmallCatalog(TempCatalog& catalog);

// The real main window, offscreen, on a temporary catalog and settings file.
class MainWindowFixture {
public:
    using Filler = std::function<void(TempCatalog&)>;

    // `languageIni` is written into the settings file before the data module reads it (empty: none);
    // `fill` puts the catalog's rows in before the window reads its lists.
    explicit MainWindowFixture(const QString& languageIni = QStringLiteral("[LanguageOf]\nLanguage=1252\n"),
                               const Filler& fill = fillSmallCatalog, const QString& dictionary = QString());
    ~MainWindowFixture();

    Tfrm_main& window() { return *m_window; }
    const TDesignSession& session() { return m_window->session(); }

    template <typename T> T* find(const QString& name) {
        T* child = m_window->findChild<T*>(name);
        if (!child)
            throw std::runtime_error("no control " + name.toStdString());
        return child;
    }
    QString text(const QString& labelName);

    // Picks an entry the way a user does: the chooser's handler runs.
    void choose(const QString& chooserName, const QString& entry);
    // Types a text into a spin field or edit (its handler runs when the text changes).
    void type(const QString& fieldName, const QString& text);
    // The design tabs that can be entered, by index.
    QList<bool> enabledPages();

    TempCatalog catalog;
    QTemporaryDir settingsDir;
    QString iniPath;
    QString dictionaryPath;
    TAppSettings settings;
    FakePlatform platform;
    RecordingDialogs dialogs;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<AppContext> context;

private:
    std::unique_ptr<Tfrm_main> m_window;
};

} // namespace tarvel::test
