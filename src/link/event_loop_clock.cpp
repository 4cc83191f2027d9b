#include "link/event_loop_clock.h"

#include <chrono>
#include <thread>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace v5 {

void EventLoopClock::Sleep(int milliseconds) {
    if (QCoreApplication::instance() == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    if (milliseconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    // A precise timer: the block pauses add up over hundreds of blocks.
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
    // exec() returns at once while the application is quitting; the pause still has to pass.
    const qint64 left = timer.remainingTime();
    if (left > 0) std::this_thread::sleep_for(std::chrono::milliseconds(left));
}

}  // namespace v5
