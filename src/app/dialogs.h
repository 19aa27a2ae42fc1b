#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

class QMessageBox;
class QWidget;

namespace tarvel {

// The answers to "Save changes to the design?".
enum class SaveAnswer { Save, Discard, Cancel };

// Every message box and file picker of the program goes through this interface; tests record them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message with one OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // The same box with a second line below the text that names what it is about (the input and the
    // numbers of a failed check). Where no box is shown the text alone is kept.
    virtual void messageWithDetail(QWidget* parent, const QString& text, const QString& detail) {
        (void)detail;
        message(parent, text);
    }
    // Asks for a picture file to open; empty when the user cancels.
    virtual QString openPictureFile(QWidget* parent) = 0;
    // The application's default error report: a modal box with the error's text.
    virtual void errorReport(QWidget* parent, const QString& text) = 0;
    // Ask for a design file to open or to save to; empty when the user cancels.
    virtual QString openDesignFile(QWidget* parent) = 0;
    virtual QString saveDesignFile(QWidget* parent) = 0;
    // Asks for the file the results are exported to: a name ending in ".csv" or ".xlsx" (the kind
    // chosen, added when the name has neither); empty when the user cancels.
    virtual QString saveResultsFile(QWidget* parent) = 0;
    // Asks whether the changed design is to be saved before it is set aside.
    virtual SaveAnswer askSaveChanges(QWidget* parent) = 0;
};

// Collects the messages and error reports that would otherwise each open a box, so that a long run
// of handlers (opening a design) can show them once at its end.
class CollectingDialogs : public Dialogs {
public:
    explicit CollectingDialogs(Dialogs& files) : m_files(files) {}
    void message(QWidget*, const QString& text) override { add(text); }
    void errorReport(QWidget*, const QString& text) override { add(text); }
    QString openPictureFile(QWidget* parent) override { return m_files.openPictureFile(parent); }
    QString openDesignFile(QWidget* parent) override { return m_files.openDesignFile(parent); }
    QString saveDesignFile(QWidget* parent) override { return m_files.saveDesignFile(parent); }
    QString saveResultsFile(QWidget* parent) override { return m_files.saveResultsFile(parent); }
    SaveAnswer askSaveChanges(QWidget* parent) override { return m_files.askSaveChanges(parent); }
    // Each different text once, in the order they came.
    QStringList texts() const { return m_texts; }

private:
    void add(const QString& text) {
        if (!m_texts.contains(text))
            m_texts.append(text);
    }
    Dialogs& m_files;
    QStringList m_texts;
};

// For runs without anyone at the screen (batch reports, benchmarks): every text is kept in the order
// it came, the error reports also on their own, and no file is ever chosen.
class HeadlessDialogs : public Dialogs {
public:
    void message(QWidget*, const QString& text) override { texts.append(text); }
    void errorReport(QWidget*, const QString& text) override {
        texts.append(text);
        errors.append(text);
    }
    QString openPictureFile(QWidget*) override { return {}; }
    QString openDesignFile(QWidget*) override { return {}; }
    QString saveDesignFile(QWidget*) override { return {}; }
    QString saveResultsFile(QWidget*) override { return {}; }
    // Nothing is ever set aside without a user; should it be, nothing is written unasked.
    SaveAnswer askSaveChanges(QWidget*) override { return SaveAnswer::Discard; }
    QStringList texts;
    QStringList errors;
};

class QtDialogs : public Dialogs {
public:
    void message(QWidget* parent, const QString& text) override;
    void messageWithDetail(QWidget* parent, const QString& text, const QString& detail) override;
    QString openPictureFile(QWidget* parent) override;
    void errorReport(QWidget* parent, const QString& text) override;
    QString openDesignFile(QWidget* parent) override;
    QString saveDesignFile(QWidget* parent) override;
    QString saveResultsFile(QWidget* parent) override;
    SaveAnswer askSaveChanges(QWidget* parent) override;
};

// The box that asks "Save changes to the design?" with the buttons Save, Discard and Cancel in the
// interface language; Enter saves, Escape cancels. The caller owns it.
QMessageBox* createSaveChangesBox(QWidget* parent);

// Runs `action`; an exception leaving it is shown by the default error report and the program goes on.
// Used at every boundary where an event would otherwise carry an error out of a handler.
void reportErrors(Dialogs& dialogs, QWidget* parent, const std::function<void()>& action);

} // namespace tarvel
