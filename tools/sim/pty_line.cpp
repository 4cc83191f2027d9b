#include "tools/sim/pty_line.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace v5::sim {

namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

PtyLine::~PtyLine() {
    hangUp();
}

std::optional<QString> PtyLine::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return systemError("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return systemError("grantpt/unlockpt");
    const char* name = ::ptsname(master_);
    if (name == nullptr) return systemError("ptsname");
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) return systemError("open slave");
    // Raw bytes until the program sets its own line up: no echo, no line editing, no translation.
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0) return systemError("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B115200);
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0) return systemError("tcsetattr");
    int on = 1;
    if (::ioctl(master_, TIOCPKT, &on) != 0) return systemError("TIOCPKT");
    return std::nullopt;
}

PtyLine::Input PtyLine::read() {
    Input input;
    char buffer[4097];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN) input.failed = true;
            return input;
        }
        if (n == 0) return input;
        // Packet mode: a zero byte leads data; anything else is a status byte of its own.
        if (buffer[0] == TIOCPKT_DATA)
            input.bytes.append(buffer + 1, n - 1);
        else if (buffer[0] & TIOCPKT_FLUSHREAD)
            input.flushedInput = true;
    }
}

qint64 PtyLine::write(const QByteArray& bytes) {
    for (;;) {
        const ssize_t n = ::write(master_, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        return errno == EAGAIN ? 0 : -1;
    }
}

void PtyLine::discardUnread() {
    // On the master side, flushing output empties the program's input queue.
    if (master_ >= 0) ::tcflush(master_, TCOFLUSH);
}

void PtyLine::hangUp() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

}  // namespace v5::sim
