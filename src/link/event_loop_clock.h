#pragma once

#include <QElapsedTimer>

#include "link/clock.h"

namespace v5 {

// Sleeps in a local event loop, so that the window keeps redrawing and answering clicks during a
// transfer, and the serial port keeps pulling what arrives into its buffer (in the window and on the
// command line alike). Without an application object it simply sleeps.
class EventLoopClock : public Clock {
public:
    EventLoopClock() { started_.start(); }
    void Sleep(int milliseconds) override;
    qint64 Now() const override { return started_.elapsed(); }

private:
    QElapsedTimer started_;
};

}  // namespace v5
