#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvel {

// What the program asks of the operating system, behind one interface so tests can stand in for it.
class Platform {
public:
    virtual ~Platform() = default;
    // Starts a new process of `program` and does not wait for it; false when it could not be started.
    virtual bool startProcess(const QString& program, const QStringList& arguments) = 0;
    // Opens a local document with the desktop's viewer; failures are the desktop's to report.
    virtual void openDocument(const QString& path) = 0;
    // The code page that stands for the system's language: 936 for Chinese (China, Singapore),
    // 1252 for every other system.
    virtual int oemCodePage() const = 0;
};

class SystemPlatform : public Platform {
public:
    bool startProcess(const QString& program, const QStringList& arguments) override;
    void openDocument(const QString& path) override;
    int oemCodePage() const override;
};

} // namespace tarvel

namespace tarvel {

struct TAppSettings;

// After the message loop has ended: when a change of language asked for it, a new process of the
// program is started (the old one then ends), told to open the design the old one saved for it.
// Nothing is reported when the start fails; the saved design is then deleted.
void restartIfPending(TAppSettings& settings, Platform& platform, const QString& program);

// A new, empty file in the temporary folder, named as only designs kept for a restart are named;
// empty when none can be made.
QString newRestartDesignFile();
// True only for a file newRestartDesignFile() makes: a regular file of this user, in the temporary
// folder, with that name. Nothing else is ever deleted as a restart's design.
bool isRestartDesignFile(const QString& path);
// Deletes the design kept for a restart that will not open it (a failed start, a test's window).
void discardRestartDesign(TAppSettings& settings);

} // namespace tarvel
