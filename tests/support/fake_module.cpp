#include "tests/support/fake_module.h"

namespace v5::test {

FakeModule::FakeModule(FakePort& port, const Clock& clock) : port_(port), clock_(clock) {
    port_.onDtr = [this](bool on) {
        // The falling edge of the pulse ends the wake-up.
        if (dtrHigh_ && !on) {
            ++wakeUps_;
            command_.reset();
            data_.clear();
            awaitingCommand_ = true;
            if (wakeReply) port_.arrive(QByteArray(1, static_cast<char>(*wakeReply)));
        }
        dtrHigh_ = on;
    };
    port_.onWrite = [this](const QByteArray& bytes) {
        QByteArray rest = bytes;
        if (awaitingCommand_ && !rest.isEmpty()) {
            awaitingCommand_ = false;
            command_ = static_cast<std::uint8_t>(rest.front());
            rest.remove(0, 1);
            if (auto it = onCommand.find(*command_); it != onCommand.end()) it->second();
        }
        if (!rest.isEmpty()) {
            data_ += rest;
            if (onData) onData(rest);
        }
    };
    (void)clock_;
}

QByteArray patternBytes(qsizetype size, int seed) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + i / 251 + seed * 17) & 0xFF);
    return bytes;
}

}  // namespace v5::test
