#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace tarvel {

// Every message box and file picker of the program goes through this interface; tests record them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message with one OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // Asks for a picture file to open; empty when the user cancels.
    virtual QString openPictureFile(QWidget* parent) = 0;
    // The application's default error report: a modal box with the error's text.
    virtual void errorReport(QWidget* parent, const QString& text) = 0;
};

class QtDialogs : public Dialogs {
public:
    void message(QWidget* parent, const QString& text) override;
    QString openPictureFile(QWidget* parent) override;
    void errorReport(QWidget* parent, const QString& text) override;
};

// Runs `action`; an exception leaving it is shown by the default error report and the program goes on.
// Used at every boundary where an event would otherwise carry an error out of a handler.
void reportErrors(Dialogs& dialogs, QWidget* parent, const std::function<void()>& action);

} // namespace tarvel
