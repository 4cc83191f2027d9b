#pragma once

#include <memory>

#include <QDeadlineTimer>
#include <QString>

#include "link/port.h"

class QSerialPort;

namespace v5 {

// The system location of a port name. On Linux "COMn" is the n-th serial port, /dev/ttyS(n-1); any other
// name ("ttyUSB0", "/dev/pts/3") is a device of its own. Elsewhere (Windows) "COMn" is the system's own.
QString systemPortLocation(const QString& name);

// The serial port over QSerialPort: 8 data bits, no parity, one stop bit and no flow control at all (the
// data is binary and holds XON and XOFF bytes), exclusive to this program while open. No call waits
// without a bound: a write gives up about a second after its bytes should have left the line. Everything that
// arrives is pulled into the port's own buffer, which has no limit: the kernel's queue holds only about
// 4 KiB, a whole image is 32 KiB.
class TComPort : public Port {
public:
    TComPort();
    ~TComPort() override;
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    bool Open(const QString& name, int baudRate) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    qint64 Write(std::span<const std::uint8_t> bytes) override;
    qint64 Read(std::span<std::uint8_t> buffer) override;
    qint64 InputCount() override;
    void PurgeInput() override;
    void PurgeOutput() override;
    void SetDtr(bool on) override;
    void SetRts(bool on) override;

    // Why the last Open failed, or how the device was lost; for the command line's diagnostics.
    const QString& LastError() const { return lastError_; }
    QString OpenFailure() const override { return openFailure_; }

private:
    // Pulls what the system has received; closes the port when the device is gone.
    void Pull();
    bool DeviceGone();
    void Lose(const QString& reason);
    // Bytes still in the system's output queue once they have left or the deadline passed.
    qint64 UnsentAfter(const QDeadlineTimer& deadline);

    std::unique_ptr<QSerialPort> port_;
    int baudRate_ = 0;
    bool open_ = false;
    QString lastError_;
    QString openFailure_;
};

}  // namespace v5
