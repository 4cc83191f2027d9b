#include "tests/support/fake_port.h"

#include <algorithm>
#include <cstring>

namespace v5::test {

std::vector<FakePort::Event> FakePort::eventsOf(Op op) const {
    std::vector<Event> found;
    std::copy_if(events.begin(), events.end(), std::back_inserter(found),
                 [op](const Event& e) { return e.op == op; });
    return found;
}

QByteArray FakePort::written() const {
    QByteArray all;
    for (const Event& e : events)
        if (e.op == Op::Write) all += e.bytes;
    return all;
}

int FakePort::count(Op op) const {
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [op](const Event& e) { return e.op == op; }));
}

void FakePort::deliverDue() {
    if (unplugAt_ && clock_.Now() >= *unplugAt_) unplugged_ = true;
    if (unplugged_) {
        // The device took the port with it, as TComPort reports a hung-up line.
        open_ = false;
        input_.clear();
        return;
    }
    // Bytes that arrived while the port was closed are lost, as on a real line.
    std::stable_sort(scheduled_.begin(), scheduled_.end(),
                     [](const Scheduled& a, const Scheduled& b) { return a.at < b.at; });
    while (!scheduled_.empty() && scheduled_.front().at <= clock_.Now()) {
        if (open_) input_ += scheduled_.front().bytes;
        scheduled_.pop_front();
    }
}

qint64 FakePort::pending() {
    deliverDue();
    return input_.size();
}

bool FakePort::Open(const QString& name, int baudRate) {
    deliverDue();
    if (refuseOpen || open_ || unplugged_ || name.isEmpty()) return false;
    open_ = true;
    openedName = name;
    openedBaudRate = baudRate;
    log(Op::Open);
    return true;
}

void FakePort::Close() {
    deliverDue();
    if (!open_) return;
    open_ = false;
    input_.clear();
    log(Op::Close);
}

qint64 FakePort::Write(std::span<const std::uint8_t> bytes) {
    deliverDue();
    if (!open_) return 0;
    auto size = static_cast<qint64>(bytes.size());
    if (acceptOnly) size = std::clamp<qint64>(*acceptOnly - accepted_, 0, size);
    accepted_ += size;
    const QByteArray sent(reinterpret_cast<const char*>(bytes.data()), size);
    log(Op::Write, sent);
    if (onWrite) onWrite(sent);
    return size;
}

qint64 FakePort::Read(std::span<std::uint8_t> buffer) {
    deliverDue();
    if (!open_) return 0;
    const auto n = std::min<qint64>(static_cast<qint64>(buffer.size()), input_.size());
    std::memcpy(buffer.data(), input_.constData(), static_cast<std::size_t>(n));
    input_.remove(0, n);
    return n;
}

qint64 FakePort::InputCount() {
    deliverDue();
    return open_ ? input_.size() : 0;
}

void FakePort::PurgeInput() {
    deliverDue();
    if (!open_) return;
    input_.clear();
    log(Op::PurgeInput);
    if (onPurgeInput) onPurgeInput();
}

void FakePort::PurgeOutput() {
    if (!open_) return;
    log(Op::PurgeOutput);
}

void FakePort::SetDtr(bool on) {
    if (!open_) return;
    log(on ? Op::DtrOn : Op::DtrOff);
    if (onDtr) onDtr(on);
}

void FakePort::SetRts(bool on) {
    if (!open_) return;
    log(on ? Op::RtsOn : Op::RtsOff);
}

}  // namespace v5::test
