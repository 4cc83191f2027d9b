#pragma once

#include <functional>
#include <vector>

#include "link/clock.h"

namespace v5::test {

// Time that passes only when the code under test sleeps: a ten-minute budget runs in microseconds.
class VirtualClock : public Clock {
public:
    void Sleep(int milliseconds) override {
        now_ += milliseconds;
        sleeps.push_back(milliseconds);
        if (onSleep) onSleep(now_);
    }
    qint64 Now() const override { return now_; }
    qint64 totalSlept() const { return now_; }

    std::vector<int> sleeps;
    // Runs after every sleep, with the new time: a test's way to act "later".
    std::function<void(qint64)> onSleep;

private:
    qint64 now_ = 0;
};

}  // namespace v5::test
