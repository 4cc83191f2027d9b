#include "com_port.h"

#include <poll.h>
#include <termios.h>

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QSerialPort>

namespace v5 {

namespace {

// The write time-out of the line: a constant plus a second per byte, as the module's line always had.
constexpr int kWriteTimeoutConstantMs = 1500;
constexpr int kWriteTimeoutPerByteMs = 1000;
// Each pull reads one chunk; a few are plenty between two polls of the driver.
constexpr int kMaxPullsPerCall = 64;

}  // namespace

QString systemPortLocation(const QString& name) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"));
    const QRegularExpressionMatch match = com.match(name);
    if (match.hasMatch()) return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    return name;
}

TComPort::TComPort() = default;

TComPort::~TComPort() {
    Close();
}

bool TComPort::Open(const QString& name, int baudRate) {
    Close();
    lastError_.clear();
    if (name.isEmpty()) {
        lastError_ = QStringLiteral("no port chosen");
        return false;
    }
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(systemPortLocation(name));
    const bool ok = port_->setBaudRate(baudRate) && port_->setDataBits(QSerialPort::Data8) &&
                    port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop) &&
                    port_->setFlowControl(QSerialPort::NoFlowControl) && port_->open(QIODevice::ReadWrite);
    if (!ok) {
        // A port held by another program fails here too: its lock file or TIOCEXCL.
        lastError_ = port_->errorString();
        port_.reset();
        return false;
    }
    open_ = true;
    // The system raises DTR on open; the module expects both lines low until it is woken.
    SetDtr(false);
    SetRts(false);
    return true;
}

void TComPort::Close() {
    open_ = false;
    if (!port_) return;
    port_->close();
    // The port object holds socket notifiers that must not outlive a nested event loop's turn.
    port_.reset();
}

void TComPort::Lose(const QString& reason) {
    lastError_ = reason;
    Close();
}

// An unplugged adapter or a closed pseudo-terminal master hangs the line up. The port object's own
// error is no guide: it reports a read that found nothing (EAGAIN) as a lost resource too, and a hung-up
// line whose reads return nothing not at all.
bool TComPort::DeviceGone() {
    pollfd fd{port_->handle(), POLLIN, 0};
    return ::poll(&fd, 1, 0) < 0 || (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void TComPort::Pull() {
    if (!open_) return;
    for (int i = 0; i < kMaxPullsPerCall && port_->waitForReadyRead(0); ++i) {
    }
    if (DeviceGone()) {
        Lose(QStringLiteral("the device is gone (the line hung up)"));
        return;
    }
    // A poll that found nothing leaves a time-out error behind; it means nothing here.
    port_->clearError();
}

qint64 TComPort::InputCount() {
    Pull();
    return open_ ? port_->bytesAvailable() : 0;
}

qint64 TComPort::Read(std::span<std::uint8_t> buffer) {
    Pull();
    if (!open_ || buffer.empty()) return 0;
    const qint64 got =
        port_->read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return got > 0 ? got : 0;
}

qint64 TComPort::Write(std::span<const std::uint8_t> bytes) {
    if (!open_) return 0;
    const auto size = static_cast<qint64>(bytes.size());
    if (port_->write(reinterpret_cast<const char*>(bytes.data()), size) != size) return 0;
    QDeadlineTimer deadline(kWriteTimeoutConstantMs + kWriteTimeoutPerByteMs * size);
    port_->flush();
    while (port_->bytesToWrite() > 0 && !deadline.hasExpired() && !DeviceGone())
        port_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    if (DeviceGone()) {
        Lose(QStringLiteral("the device is gone (the line hung up)"));
        return 0;
    }
    const qint64 left = port_->bytesToWrite();
    if (left > 0) {
        // Timed out: what is left must not trickle out later, into the next exchange.
        port_->clear(QSerialPort::Output);
        port_->clearError();
        return size - left;
    }
    // The pause that follows a block runs from when the block has left the line, as the module
    // always had it.
    ::tcdrain(port_->handle());
    return size;
}

void TComPort::PurgeInput() {
    if (!open_) return;
    Pull();
    if (open_) port_->clear(QSerialPort::Input);
}

void TComPort::PurgeOutput() {
    if (open_) port_->clear(QSerialPort::Output);
}

// A pseudo-terminal has no modem lines: the call fails with "unsupported operation" and the port stays
// open. The module protocol does not look at the result either.
void TComPort::SetDtr(bool on) {
    if (!open_) return;
    port_->setDataTerminalReady(on);
    port_->clearError();
}

void TComPort::SetRts(bool on) {
    if (!open_) return;
    port_->setRequestToSend(on);
    port_->clearError();
}

}  // namespace v5
