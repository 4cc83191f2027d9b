#pragma once

#include <QtGlobal>

namespace v5 {

// Time as the driver sees it: its fixed pauses and a millisecond counter. The real clock keeps the
// program's events flowing while it sleeps; tests use virtual time, so a ten-minute poll budget
// runs in milliseconds.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(int milliseconds) = 0;
    // Milliseconds since an arbitrary start.
    virtual qint64 Now() const = 0;
};

}  // namespace v5
