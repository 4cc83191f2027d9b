// Starts the main window as the program does and prints, once the window is first exposed, the wall
// clock in nanoseconds and the peak resident memory in KiB; the script around it subtracts its own
// start time from the first number.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include "window/main_window.h"

namespace {
class ExposeWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf(
                "%lld %ld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                usage.ru_maxrss);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("V5ivez"));
    v5::TV5ivezMainForm window;
    ExposeWatcher watcher;
    window.show();
    window.windowHandle()->installEventFilter(&watcher);
    return QApplication::exec();
}
