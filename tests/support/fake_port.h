#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "link/clock.h"
#include "link/port.h"

namespace v5::test {

// A serial port with a scripted device behind it. Everything the program does to the port is logged
// with the time of the clock; bytes "arrive" now or at a given time; the device can vanish.
class FakePort : public Port {
public:
    enum class Op { Open, Close, PurgeInput, PurgeOutput, DtrOn, DtrOff, RtsOn, RtsOff, Write };
    struct Event {
        Op op;
        qint64 at;
        QByteArray bytes;  // what a write sent
    };

    explicit FakePort(const Clock& clock) : clock_(clock) {}

    // Script.
    bool refuseOpen = false;
    QString refusal = QStringLiteral("нет доступа, или порт занят другой программой");  // why, then
    // Bytes written beyond this many (over the whole run) are not taken: a stalled line.
    std::optional<qint64> acceptOnly;
    void arrive(const QByteArray& bytes) { arriveAt(clock_.Now(), bytes); }
    void arriveAt(qint64 time, const QByteArray& bytes) { scheduled_.push_back({time, bytes}); }
    // The device disappears (an adapter pulled out): the port reports itself closed from now on.
    void unplug() { unplugged_ = true; }
    void unplugAt(qint64 time) { unplugAt_ = time; }
    // Reactions of the device: to every write, and to DTR changes.
    std::function<void(const QByteArray&)> onWrite;
    std::function<void(bool)> onDtr;
    std::function<void()> onPurgeInput;

    // Record.
    std::vector<Event> events;
    QString openedName;
    int openedBaudRate = 0;
    std::vector<Event> eventsOf(Op op) const;
    QByteArray written() const;
    int count(Op op) const;
    qint64 pending();  // bytes arrived and not read (without logging anything)

    // Port.
    bool Open(const QString& name, int baudRate) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    QString OpenFailure() const override { return refuseOpen ? refusal : QString(); }
    qint64 Write(std::span<const std::uint8_t> bytes) override;
    qint64 Read(std::span<std::uint8_t> buffer) override;
    qint64 InputCount() override;
    void PurgeInput() override;
    void PurgeOutput() override;
    void SetDtr(bool on) override;
    void SetRts(bool on) override;

private:
    struct Scheduled {
        qint64 at;
        QByteArray bytes;
    };
    void deliverDue();
    void log(Op op, QByteArray bytes = {}) { events.push_back({op, clock_.Now(), std::move(bytes)}); }

    const Clock& clock_;
    bool open_ = false;
    bool unplugged_ = false;
    std::optional<qint64> unplugAt_;
    qint64 accepted_ = 0;
    QByteArray input_;
    std::deque<Scheduled> scheduled_;
};

}  // namespace v5::test
