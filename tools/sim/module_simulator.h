#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QStringList>

namespace v5::sim {

// What the simulated module holds and how it misbehaves.
struct ModuleSetup {
    QByteArray chip;               // the 24C256 on the module's socket, 32768 bytes
    QByteArray panel;              // the panel's own memory, 32768 bytes
    QByteArray console;            // the keypad console's key block, 144 bytes
    std::vector<QByteArray> keys;  // 8-byte codes presented to the key reader, in order
    int userDelayMs = 1000;        // how long the installer takes to present a key or type the code

    bool noWakeUp = false;
    std::uint8_t wakeByte = 0x71;
    bool badStatus = false;
    std::optional<qint64> truncateAfter;  // a data reply stops after this many bytes
    bool panelNotReady = false;           // the panel never answers the write command
    std::uint8_t readyByte = 0x31;
    bool noConsole = false;
    std::optional<qint64> silentAfter;  // the module stops sending after this many bytes of a connection
    std::optional<qint64> hangUpAfter;  // the line is cut after this many bytes of a connection
    // The chip or the panel keeps a different byte at this address of every write (all bits inverted):
    // a write the module reports as done but which did not take.
    std::optional<qint64> corruptWriteAt;
};

// The input module "УП-5" with its chip, the panel behind it, the key reader and the keypad console, as
// bytes in and bytes out. It knows nothing of terminals or of the line's speed: the caller feeds it the
// program's purges (the wake-up) and bytes, and takes what the module sends when it is due.
class ModuleSimulator {
public:
    explicit ModuleSimulator(ModuleSetup setup);

    // The program purged its port: on a pseudo-terminal, the only sign of its DTR pulse.
    void purged(qint64 nowMs);
    void received(const QByteArray& bytes, qint64 nowMs);
    // Up to `limit` bytes that are due at `nowMs`.
    QByteArray take(qint64 nowMs, qsizetype limit);
    // When the next byte becomes due; nothing while the module has nothing to say.
    std::optional<qint64> nextDue() const;
    bool hungUp() const { return hungUp_; }

    const QByteArray& chip() const { return setup_.chip; }
    const QByteArray& panel() const { return setup_.panel; }
    // What happened since the last call, a line per event.
    QStringList takeLog();

private:
    enum class State { Asleep, AwaitCommand, WritingChip, WritingPanel, Replying };
    struct Pending {
        qint64 dueMs;
        QByteArray bytes;
    };
    void command(std::uint8_t byte, qint64 nowMs);
    void send(const QByteArray& bytes, qint64 dueMs, bool data = false);
    void note(const QString& line) { log_ << line; }

    ModuleSetup setup_;
    State state_ = State::Asleep;
    std::deque<Pending> output_;
    QByteArray incoming_;
    qint64 sent_ = 0;  // bytes sent since the wake-up
    bool silent_ = false;
    bool hungUp_ = false;
    QStringList log_;
};

// The pace of a serial line: ten bits a byte, each byte handed over when its stop bit is through.
class LinePacer {
public:
    explicit LinePacer(int baudRate) : byteNs_(10'000'000'000LL / baudRate) {}
    // How many bytes may be handed over at `nowNs`, for a line that had nothing to send until now when
    // `idle` is set.
    qint64 allowance(qint64 nowNs, bool idle);
    void sent(qint64 count) { lineFreeNs_ += count * byteNs_; }
    // When the next byte will be through.
    qint64 nextByteNs() const { return lineFreeNs_ + byteNs_; }
    qint64 byteNs() const { return byteNs_; }

private:
    qint64 byteNs_;
    qint64 lineFreeNs_ = 0;
};

}  // namespace v5::sim
