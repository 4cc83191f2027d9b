#include "link/com_port.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace v5 {

namespace {

// How long a write may take beyond its time on the wire. A line that takes nothing for this long is
// stalled (an adapter that hangs, a device that stopped reading): the write ends, and with it the
// transfer, with the transfer's own failure message, while the window waits no longer than this.
constexpr int kWriteSlackMs = 1000;
// Each pull reads one chunk; a few are plenty between two polls of the driver.
constexpr int kMaxPullsPerCall = 64;

// Ten bits a byte: a start bit, eight data bits, a stop bit.
qint64 wireTimeMs(qint64 bytes, int baudRate) {
    return baudRate > 0 ? (bytes * 10 * 1000 + baudRate - 1) / baudRate : 0;
}

// Why QSerialPort did not open a port, as the user reads it.
QString russianOpenFailure(const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return QStringLiteral("нет такого порта");
        case QSerialPort::PermissionError:
            return QStringLiteral("нет доступа, или порт занят другой программой");
        case QSerialPort::OpenError:
            return QStringLiteral("порт уже открыт");
        case QSerialPort::UnsupportedOperationError:
            return QStringLiteral("порт не принимает нужные настройки");
        case QSerialPort::ResourceError:
            return QStringLiteral("устройство недоступно");
        default:
            return QStringLiteral("ошибка системы (%1)").arg(port.errorString());
    }
}

}  // namespace

QString systemPortLocation(const QString& name) {
#ifdef Q_OS_LINUX
    // Linux numbers the serial ports from 0; elsewhere a COM name is the system's own.
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"));
    const QRegularExpressionMatch match = com.match(name);
    if (match.hasMatch()) return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
#endif
    return name;
}

TComPort::TComPort() = default;

TComPort::~TComPort() {
    Close();
}

bool TComPort::Open(const QString& name, int baudRate) {
    Close();
    lastError_.clear();
    openFailure_.clear();
    if (name.isEmpty()) {
        lastError_ = QStringLiteral("no port chosen");
        openFailure_ = QStringLiteral("порт не выбран");
        return false;
    }
    baudRate_ = baudRate;
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(systemPortLocation(name));
    const bool ok = port_->setBaudRate(baudRate) && port_->setDataBits(QSerialPort::Data8) &&
                    port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop) &&
                    port_->setFlowControl(QSerialPort::NoFlowControl) && port_->open(QIODevice::ReadWrite);
    if (!ok) {
        // A port held by another program fails here too: its lock file or TIOCEXCL.
        lastError_ = port_->errorString();
        openFailure_ = russianOpenFailure(*port_);
        // Where the name is not the device's own ("COM3" is /dev/ttyS2 here), the device is named too.
        if (const QString location = systemPortLocation(name); location != name)
            openFailure_ += QStringLiteral(" (%1)").arg(location);
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
    // Whatever a stalled line still holds is dropped, or closing would wait for it to drain (a serial
    // driver waits up to half a minute).
    port_->clear(QSerialPort::Output);
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
#ifdef Q_OS_UNIX
    pollfd fd{port_->handle(), POLLIN, 0};
    return ::poll(&fd, 1, 0) < 0 || (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return port_->error() == QSerialPort::ResourceError;
#endif
}

qint64 TComPort::UnsentAfter(const QDeadlineTimer& deadline) {
#if defined(Q_OS_UNIX) && defined(TIOCOUTQ)
    for (;;) {
        int queued = 0;
        if (::ioctl(port_->handle(), TIOCOUTQ, &queued) != 0 || queued <= 0) return 0;
        if (deadline.hasExpired()) return queued;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
#else
    // The system's driver sends what it has taken on its own; the wait for the port object's buffer
    // above is the bound.
    Q_UNUSED(deadline);
    return 0;
#endif
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
    const QDeadlineTimer deadline(wireTimeMs(size, baudRate_) + kWriteSlackMs);
    port_->flush();
    while (port_->bytesToWrite() > 0 && !deadline.hasExpired() && !DeviceGone())
        port_->waitForBytesWritten(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)));
    if (DeviceGone()) {
        Lose(QStringLiteral("the device is gone (the line hung up)"));
        return 0;
    }
    // The pause that follows a block runs from when the block has left the line, as the module
    // always had it; the system's queue is watched until then, never longer than the deadline.
    const qint64 left = std::min(size, port_->bytesToWrite() + UnsentAfter(deadline));
    if (left > 0) {
        // Timed out: what is left must not trickle out later, into the next exchange.
        lastError_ = QStringLiteral("the line took no data for %1 ms (stalled)").arg(kWriteSlackMs);
        port_->clear(QSerialPort::Output);
        port_->clearError();
        return size - left;
    }
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
