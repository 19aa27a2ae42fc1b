#include "app/startup_probe.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace tarvel {
namespace {

// Standard error of this process, caught in a temporary file while alive.
class CapturedStandardError {
public:
    CapturedStandardError() : m_file(std::tmpfile()) {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(fileno(m_file), STDERR_FILENO);
    }
    ~CapturedStandardError() {
        restore();
        std::fclose(m_file);
    }
    std::string text() {
        restore();
        std::string text;
        std::rewind(m_file);
        char buffer[512];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0)
            text.append(buffer, n);
        return text;
    }

private:
    void restore() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }
    std::FILE* m_file;
    int m_saved = -1;
};

long long steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The measuring tool's side: one line with the steady clock at the first paint, and the message
// loop ends by itself.
TEST(StartupProbe, TheFirstPaintIsReportedOnceAndEndsTheMessageLoop) {
    qputenv(kStartupProbeVariable, "1");
    bool timedOut = false;
    std::string written;
    long long before = 0, after = 0;
    {
        CapturedStandardError captured;
        QWidget window;
        window.resize(200, 100);
        watchFirstPaintIfProbing(&window);
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [&] {
            timedOut = true;
            QApplication::quit();
        });
        safety.start(20000);
        before = steadyNs();
        window.show();
        QApplication::exec();
        after = steadyNs();
        // Later paints say nothing more.
        window.update();
        QApplication::processEvents();
        written = captured.text();
    }
    qunsetenv(kStartupProbeVariable);
    ASSERT_FALSE(timedOut) << "the first paint did not end the message loop";
    const std::size_t at = written.find(kStartupProbeLine);
    ASSERT_NE(at, std::string::npos) << written;
    EXPECT_EQ(written.find(kStartupProbeLine, at + 1), std::string::npos) << written;
    const long long shown = std::stoll(written.substr(at + std::string(kStartupProbeLine).size()));
    EXPECT_GE(shown, before);
    EXPECT_LE(shown, after);
}

TEST(StartupProbe, WithoutTheVariableNothingIsWatched) {
    qunsetenv(kStartupProbeVariable);
    QWidget window;
    watchFirstPaintIfProbing(&window);
    EXPECT_TRUE(window.findChildren<QObject*>().isEmpty());
}

} // namespace
} // namespace tarvel
