#include "app/startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace tarvel {
namespace {

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && watched == parent() && event->type() == QEvent::Paint) {
            m_seen = true;
            // Queued, so the clock is read once this paint has been drawn.
            QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::fprintf(stderr, "%s%lld\n", kStartupProbeLine,
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stderr);
        QCoreApplication::quit();
    }

    bool m_seen = false;
};

} // namespace

void watchFirstPaintIfProbing(QWidget* window) {
    if (qEnvironmentVariableIsSet(kStartupProbeVariable))
        new FirstPaintProbe(window);
}

} // namespace tarvel
