#include <gtest/gtest.h>

#include <iostream>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QElapsedTimer>

#include "link/com_port.h"
#include "tests/support/core_application.h"
#include "tests/support/fake_module.h"

namespace v5 {
namespace {

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new test::CoreApplicationEnvironment);

// A pseudo-terminal: the test plays the device on the master side, TComPort opens the slave.
class Pty {
public:
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
        path = QString::fromLocal8Bit(::ptsname(master));
        // Held open, as the simulator does, so that the terminal outlives the port's close.
        slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    }
    ~Pty() {
        hangUp();
        if (slave >= 0) ::close(slave);
    }
    void hangUp() {
        if (master >= 0) ::close(master);
        master = -1;
    }
    QByteArray readMaster(qsizetype size) {
        QByteArray bytes(size, '\0');
        qsizetype got = 0;
        while (got < size) {
            const ssize_t n = ::read(master, bytes.data() + got, static_cast<std::size_t>(size - got));
            if (n <= 0) break;
            got += n;
        }
        return bytes.left(got);
    }
    int master = -1;
    int slave = -1;
    QString path;
};

// Polls as the driver does until `count` bytes are queued or ten seconds passed.
bool waitForQueued(TComPort& port, qint64 count) {
    QDeadlineTimer deadline(10'000);
    while (port.InputCount() < count && port.IsOpen() && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return port.InputCount() == count;
}

TEST(ComPortTest, ComNamesAreTheSerialPortsAndOtherNamesAreDevicesAsGiven) {
    EXPECT_EQ(systemPortLocation(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(systemPortLocation(QStringLiteral("COM9")), QStringLiteral("/dev/ttyS8"));
    EXPECT_EQ(systemPortLocation(QStringLiteral("COM12")), QStringLiteral("/dev/ttyS11"));
    for (const char* given : {"ttyUSB0", "/dev/ttyACM1", "COM0", "COM", "/dev/pts/3"})
        EXPECT_EQ(systemPortLocation(QString::fromLatin1(given)), QString::fromLatin1(given));
}

TEST(ComPortTest, OpensRawAt115200WithoutFlowControlAndReadsNothingAtOnce) {
    Pty pty;
    ASSERT_GE(pty.slave, 0);
    TComPort port;
    // The DTR and RTS calls fail on a pseudo-terminal; the port stays open all the same.
    ASSERT_TRUE(port.Open(pty.path, 115200)) << port.LastError().toStdString();
    EXPECT_TRUE(port.IsOpen());
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.slave, &tio), 0);
    EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);

    std::uint8_t buffer[16];
    QDeadlineTimer quick(200);
    EXPECT_EQ(port.Read(buffer), 0);
    EXPECT_EQ(port.InputCount(), 0);
    EXPECT_FALSE(quick.hasExpired());
}

TEST(ComPortTest, APortIsExclusiveAndCloseIsHarmlessAndReversible) {
    Pty pty;
    TComPort first;
    TComPort second;
    ASSERT_TRUE(first.Open(pty.path, 115200));
    EXPECT_FALSE(second.Open(pty.path, 115200));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(second.LastError().isEmpty());
    // What the user reads under "Ошибка открытия порта ".
    EXPECT_EQ(second.OpenFailure(), QStringLiteral("нет доступа, или порт занят другой программой"));
    first.Close();
    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.Open(pty.path, 115200));
    second.Close();
    EXPECT_TRUE(first.Open(pty.path, 115200));

    TComPort missing;
    EXPECT_FALSE(missing.Open(QStringLiteral("/nonexistent/ttyUSB7"), 115200));
    EXPECT_FALSE(missing.Open(QStringLiteral("COM9"), 115200));
#ifdef Q_OS_LINUX
    if (!QFile::exists(QStringLiteral("/dev/ttyS8"))) {
        EXPECT_EQ(missing.OpenFailure(), QStringLiteral("нет такого порта (/dev/ttyS8)"));
    }
#endif
    EXPECT_FALSE(missing.Open(QString(), 115200));
    std::uint8_t byte = 0;
    EXPECT_EQ(missing.Write(std::span(&byte, 1)), 0);
    EXPECT_EQ(missing.InputCount(), 0);
}

TEST(ComPortTest, AWholeImageQueuesBeyondTheKernelsBufferWithEveryByteValueIntact) {
    Pty pty;
    TComPort port;
    ASSERT_TRUE(port.Open(pty.path, 115200));
    // XON and XOFF among the data must pass as data.
    const QByteArray image = test::patternBytes(32772) + QByteArray("\x11\x13\x11\x13", 4);
    std::thread device([&] {
        qsizetype sent = 0;
        while (sent < image.size()) {
            const ssize_t n =
                ::write(pty.master, image.constData() + sent, static_cast<std::size_t>(image.size() - sent));
            if (n <= 0) break;
            sent += n;
        }
    });
    const bool queued = waitForQueued(port, image.size());
    device.join();
    ASSERT_TRUE(queued) << port.InputCount();
    QByteArray received(image.size(), '\0');
    EXPECT_EQ(port.Read(std::span(reinterpret_cast<std::uint8_t*>(received.data()), received.size())),
              image.size());
    EXPECT_EQ(received, image);
    EXPECT_EQ(port.InputCount(), 0);
}

TEST(ComPortTest, WritesReachTheDeviceAndPurgeDropsWhatArrived) {
    Pty pty;
    TComPort port;
    ASSERT_TRUE(port.Open(pty.path, 115200));
    const QByteArray block = test::patternBytes(64, 3);
    EXPECT_EQ(port.Write(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()), 64)), 64);
    EXPECT_EQ(pty.readMaster(64), block);

    ASSERT_EQ(::write(pty.master, "abcdefghij", 10), 10);
    ASSERT_TRUE(waitForQueued(port, 10));
    port.PurgeInput();
    port.PurgeOutput();
    EXPECT_EQ(port.InputCount(), 0);
    EXPECT_TRUE(port.IsOpen());
}

TEST(ComPortTest, AStalledLineEndsTheWriteAboutASecondAfterItsWireTimeAndDropsTheRest) {
    Pty pty;
    TComPort port;
    ASSERT_TRUE(port.Open(pty.path, 115200));
    // The device stops reading: fill the line until the system takes no more.
    ASSERT_EQ(::fcntl(pty.slave, F_SETFL, ::fcntl(pty.slave, F_GETFL) | O_NONBLOCK), 0);
    const QByteArray filler(4096, 'f');
    qint64 queued = 0;
    // The terminal frees room in steps behind the scenes: fill until it stays full.
    for (int quietRounds = 0; quietRounds < 3;) {
        const qint64 before = queued;
        for (qsizetype chunk = filler.size(); chunk > 0; chunk /= 2)
            for (ssize_t n;
                 (n = ::write(pty.slave, filler.constData(), static_cast<std::size_t>(chunk))) > 0;)
                queued += n;
        quietRounds = queued == before ? quietRounds + 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_GT(queued, 0);

    const QByteArray block = test::patternBytes(64, 5);
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(block.constData()), 64);
    QElapsedTimer timer;
    timer.start();
    EXPECT_LT(port.Write(bytes), 64);
    const qint64 ms = timer.elapsed();
    std::cout << "stalled 64-byte write gave up after " << ms << " ms\n";
    EXPECT_GE(ms, 1000);
    EXPECT_LT(ms, 2500);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.LastError().contains(QStringLiteral("stalled")));

    // The device reads again: the next block arrives alone, nothing of the abandoned one trickles after.
    ASSERT_EQ(::fcntl(pty.master, F_SETFL, ::fcntl(pty.master, F_GETFL) | O_NONBLOCK), 0);
    char drain[4096];
    while (::read(pty.master, drain, sizeof drain) > 0) {
    }
    ASSERT_EQ(::fcntl(pty.master, F_SETFL, ::fcntl(pty.master, F_GETFL) & ~O_NONBLOCK), 0);
    EXPECT_EQ(port.Write(bytes), 64);
    EXPECT_EQ(pty.readMaster(64), block);
    timer.restart();
    port.Close();
    EXPECT_LT(timer.elapsed(), 500);
}

TEST(ComPortTest, AHungUpLineClosesThePortInsteadOfStallingThePolls) {
    for (const bool whileWriting : {false, true}) {
        SCOPED_TRACE(whileWriting);
        Pty pty;
        TComPort port;
        ASSERT_TRUE(port.Open(pty.path, 115200));
        ASSERT_EQ(::write(pty.master, "abc", 3), 3);
        ASSERT_TRUE(waitForQueued(port, 3));
        pty.hangUp();
        QDeadlineTimer quick(2000);
        if (whileWriting) {
            std::uint8_t block[64] = {};
            EXPECT_EQ(port.Write(block), 0);
        } else {
            port.InputCount();
        }
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(quick.hasExpired());
        std::uint8_t buffer[4];
        EXPECT_EQ(port.Read(buffer), 0);
        EXPECT_EQ(port.InputCount(), 0);
    }
}

}  // namespace
}  // namespace v5
