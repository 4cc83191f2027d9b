// Starts the window program as v5ivez does (runWindowProgram, with the same command line) and prints,
// once the window is first exposed, the wall clock in nanoseconds when main() was entered and when the
// window was exposed, and the peak resident memory in KiB; the script around it subtracts its own start
// time, so that the time before main() (loading and linking the libraries) shows apart.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

#include "window/main_window.h"
#include "window/window_program.h"

namespace {

long long wallNs() {
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
}

class ExposeWatcher : public QObject {
public:
    explicit ExposeWatcher(long long entered) : entered_(entered) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed() && !done_) {
            done_ = true;
            const long long exposed = wallNs();
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("%lld %lld %ld\n", entered_, exposed, usage.ru_maxrss);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    long long entered_;
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    ExposeWatcher watcher(wallNs());
    return v5::runWindowProgram(argc, argv,
                                [&watcher](v5::TV5ivezMainForm& window) { window.windowHandle()->installEventFilter(&watcher); });
}
