#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include <QByteArray>

#include "tests/support/fake_port.h"

namespace v5::test {

// The input module behind a FakePort, at the level of its protocol: it answers the DTR pulse with the
// wake-up byte, takes the next byte as the command and hands everything after it to the test.
class FakeModule {
public:
    FakeModule(FakePort& port, const Clock& clock);

    // The answer to the wake-up pulse; nothing when empty.
    std::optional<std::uint8_t> wakeReply = 0x71;
    // Reactions to a command byte, and to the bytes that follow it.
    std::map<std::uint8_t, std::function<void()>> onCommand;
    std::function<void(const QByteArray&)> onData;

    std::optional<std::uint8_t> command() const { return command_; }
    const QByteArray& data() const { return data_; }
    int wakeUps() const { return wakeUps_; }

private:
    FakePort& port_;
    const Clock& clock_;
    bool dtrHigh_ = false;
    bool awaitingCommand_ = false;
    int wakeUps_ = 0;
    std::optional<std::uint8_t> command_;
    QByteArray data_;
};

// Images and blocks with recognisable contents.
QByteArray patternBytes(qsizetype size, int seed = 0);

}  // namespace v5::test
