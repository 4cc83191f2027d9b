#pragma once

#include <cstdint>
#include <span>

#include <QString>

namespace v5 {

// The serial line to the input module, as the driver uses it. The real one is TComPort; tests play the
// module behind a fake.
class Port {
public:
    virtual ~Port() = default;

    // Opens the named port with 8 data bits, no parity, one stop bit, no flow control; DTR and RTS low.
    virtual bool Open(const QString& name, int baudRate) = 0;
    // Harmless when already closed.
    virtual void Close() = 0;
    // False once closed, and also after the device vanished (an unplugged adapter, a hung-up line).
    virtual bool IsOpen() const = 0;
    // Why the last Open failed, in Russian for the user ("нет такого порта"); empty when not known.
    virtual QString OpenFailure() const { return {}; }

    // Blocks until the bytes have left or the write time-out passed; returns how many were written.
    virtual qint64 Write(std::span<const std::uint8_t> bytes) = 0;
    // Returns at once with what has arrived, up to the buffer's size.
    virtual qint64 Read(std::span<std::uint8_t> buffer) = 0;
    // Bytes received and not yet read.
    virtual qint64 InputCount() = 0;
    virtual void PurgeInput() = 0;
    virtual void PurgeOutput() = 0;

    // The modem lines; a line the device cannot drive (a pseudo-terminal has none) is ignored.
    virtual void SetDtr(bool on) = 0;
    virtual void SetRts(bool on) = 0;
};

}  // namespace v5
