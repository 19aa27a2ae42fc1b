#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvel {

// What the program asks of the operating system, behind one interface so tests can stand in for it.
class Platform {
public:
    virtual ~Platform() = default;
    // Starts a new process of `program` and does not wait for it.
    virtual void startProcess(const QString& program, const QStringList& arguments) = 0;
    // Opens a local document with the desktop's viewer; failures are the desktop's to report.
    virtual void openDocument(const QString& path) = 0;
    // The code page that stands for the system's language: 936 for Chinese (China, Singapore),
    // 1252 for every other system.
    virtual int oemCodePage() const = 0;
};

class SystemPlatform : public Platform {
public:
    void startProcess(const QString& program, const QStringList& arguments) override;
    void openDocument(const QString& path) override;
    int oemCodePage() const override;
};

} // namespace tarvel

namespace tarvel {

struct TAppSettings;

// After the message loop has ended: when a change of language asked for it, a new process of the
// program is started (the old one then ends), told to open the design the old one saved for it.
// Nothing is reported when the start fails.
void restartIfPending(const TAppSettings& settings, Platform& platform, const QString& program);

} // namespace tarvel
