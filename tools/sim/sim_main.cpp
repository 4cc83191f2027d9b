// v5ivez-sim: the input module "УП-5" on a pseudo-terminal, for tests, demonstrations and training.

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>

#include <poll.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "tools/sim/module_simulator.h"
#include "tools/sim/pty_line.h"
#include "link/up5_protocol.h"
#include "start/version.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

qint64 monotonicNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<qint64>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

const char kDescription[] =
    "Plays the programming input module \"УП-5\" on a pseudo-terminal: its 24C256 chip, the panel\n"
    "behind it, its key reader and a keypad console \"КН-4\". The first line on standard output is the\n"
    "path of the terminal; give it to the program as the port, for example\n"
    "\n"
    "    v5ivez-sim --chip demo.v5 &          # prints /dev/pts/7\n"
    "    v5ivez-cli read-chip --port /dev/pts/7 -o copy.v5\n"
    "\n"
    "A pseudo-terminal has no DTR line: the module wakes when the program purges its port, which it does\n"
    "right before the DTR pulse. What the program writes to the chip or the panel stays in memory until\n"
    "the simulator ends; the files given are only read. Events are logged on standard error. Output is\n"
    "paced like a 115200-baud line (ten bits a byte) unless --unpaced is given.";

struct Parsed {
    v5::sim::ModuleSetup setup;
    bool paced = true;
    int baudRate = v5::up5::kBaudRate;
    bool quiet = false;
    // The line stops taking the program's bytes after this many (a hanging adapter).
    std::optional<qint64> stallAfter;
};

bool fail(const QString& message) {
    QTextStream(stderr) << "v5ivez-sim: " << message << '\n';
    return false;
}

bool readImage(const QString& path, qsizetype size, QByteArray& into) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    into = file.read(size);
    if (into.size() < size) return fail(QStringLiteral("%1 holds fewer than %2 bytes").arg(path).arg(size));
    return true;
}

bool parseByte(const QString& text, std::uint8_t& into) {
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || value > 0xFF) return fail(QStringLiteral("not a byte in hexadecimal: %1").arg(text));
    into = static_cast<std::uint8_t>(value);
    return true;
}

bool parseCount(const QString& text, std::optional<qint64>& into) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0) return fail(QStringLiteral("not a byte count: %1").arg(text));
    into = value;
    return true;
}

// Returns false after telling why the command line is wrong.
bool parse(const QStringList& arguments, QCommandLineParser& parser, Parsed& parsed) {
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption chip(
        QStringLiteral("chip"),
        QStringLiteral("The chip's contents (a settings file, *.v5); zeros without it."),
        QStringLiteral("FILE"));
    const QCommandLineOption panel(QStringLiteral("panel"),
                                   QStringLiteral("The panel's memory (a settings file); zeros without it."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption console(QStringLiteral("console"),
                                     QStringLiteral("The console's key block, 144 bytes; zeros without it."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption key(
        QStringLiteral("key"),
        QStringLiteral("A key code presented to the key reader, 16 hex digits; repeat for more keys."),
        QStringLiteral("CODE"));
    const QCommandLineOption delay(
        QStringLiteral("user-delay"),
        QStringLiteral(
            "Milliseconds the installer takes to present a key or to type the console code (default 1000)."),
        QStringLiteral("MS"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Line speed the output is paced at (default 115200)."),
                                  QStringLiteral("N"));
    const QCommandLineOption unpaced(QStringLiteral("unpaced"),
                                     QStringLiteral("Send as fast as the terminal takes it."));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Log nothing on standard error."));
    const QCommandLineOption noWake(QStringLiteral("no-wake-up"),
                                    QStringLiteral("Fault: never answer the wake-up."));
    const QCommandLineOption wakeByte(
        QStringLiteral("wake-byte"),
        QStringLiteral("Fault: answer the wake-up with this byte instead of 71."), QStringLiteral("HEX"));
    const QCommandLineOption badStatus(
        QStringLiteral("bad-status"),
        QStringLiteral("Fault: chip reads and writes end with a bad status (01)."));
    const QCommandLineOption truncate(
        QStringLiteral("truncate"),
        QStringLiteral("Fault: send only the first N bytes of an image or of the console block."),
        QStringLiteral("N"));
    const QCommandLineOption notReady(QStringLiteral("panel-not-ready"),
                                      QStringLiteral("Fault: the panel never answers the write command."));
    const QCommandLineOption readyByte(
        QStringLiteral("ready-byte"),
        QStringLiteral("Fault: the panel answers the write command with this byte instead of 31."),
        QStringLiteral("HEX"));
    const QCommandLineOption noConsole(QStringLiteral("no-console"),
                                       QStringLiteral("Fault: no console on the module (it answers 02)."));
    const QCommandLineOption silent(QStringLiteral("silent-after"),
                                    QStringLiteral("Fault: stop sending after N bytes of a connection."),
                                    QStringLiteral("N"));
    const QCommandLineOption hangUp(
        QStringLiteral("hang-up-after"),
        QStringLiteral(
            "Fault: cut the line after N bytes of a connection, as an adapter pulled out, and end."),
        QStringLiteral("N"));
    const QCommandLineOption stall(
        QStringLiteral("stall-after"),
        QStringLiteral("Fault: the line stops taking the program's bytes after N of them, as a hanging "
                       "adapter, until the simulator ends."),
        QStringLiteral("N"));
    const QCommandLineOption corrupt(
        QStringLiteral("corrupt-write"),
        QStringLiteral(
            "Fault: the chip or the panel keeps the byte at ADDR of every write inverted (decimal, or "
            "hexadecimal with 0x)."),
        QStringLiteral("ADDR"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
    parser.addOptions({help,      chip,      panel,  console,  key,       delay,    baud,
                       unpaced,   quiet,     noWake, wakeByte, badStatus, truncate, notReady,
                       readyByte, noConsole, silent, hangUp,   stall,     corrupt,  version});
    if (!parser.parse(arguments)) return fail(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) return true;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));

    v5::sim::ModuleSetup& s = parsed.setup;
    if (parser.isSet(chip) && !readImage(parser.value(chip), v5::up5::kImageBytes, s.chip)) return false;
    if (parser.isSet(panel) && !readImage(parser.value(panel), v5::up5::kImageBytes, s.panel)) return false;
    if (parser.isSet(console) && !readImage(parser.value(console), v5::up5::kConsoleBlockSize, s.console))
        return false;
    for (const QString& code : parser.values(key)) {
        const QByteArray bytes = QByteArray::fromHex(code.toLatin1());
        if (bytes.size() != static_cast<qsizetype>(v5::up5::kKeyCodeSize) ||
            bytes.toHex() != code.toLower().toLatin1())
            return fail(QStringLiteral("a key code is 16 hex digits: %1").arg(code));
        s.keys.push_back(bytes);
    }
    std::optional<qint64> number;
    if (parser.isSet(delay)) {
        if (!parseCount(parser.value(delay), number)) return false;
        s.userDelayMs = static_cast<int>(*number);
    }
    if (parser.isSet(baud)) {
        if (!parseCount(parser.value(baud), number) || *number < 50)
            return fail(QStringLiteral("not a line speed"));
        parsed.baudRate = static_cast<int>(*number);
    }
    parsed.paced = !parser.isSet(unpaced);
    parsed.quiet = parser.isSet(quiet);
    s.noWakeUp = parser.isSet(noWake);
    if (parser.isSet(wakeByte) && !parseByte(parser.value(wakeByte), s.wakeByte)) return false;
    s.badStatus = parser.isSet(badStatus);
    if (parser.isSet(truncate) && !parseCount(parser.value(truncate), s.truncateAfter)) return false;
    s.panelNotReady = parser.isSet(notReady);
    if (parser.isSet(readyByte) && !parseByte(parser.value(readyByte), s.readyByte)) return false;
    s.noConsole = parser.isSet(noConsole);
    if (parser.isSet(silent) && !parseCount(parser.value(silent), s.silentAfter)) return false;
    if (parser.isSet(hangUp) && !parseCount(parser.value(hangUp), s.hangUpAfter)) return false;
    if (parser.isSet(stall) && !parseCount(parser.value(stall), parsed.stallAfter)) return false;
    if (parser.isSet(corrupt)) {
        bool ok = false;
        const qint64 at = parser.value(corrupt).toLongLong(&ok, 0);
        if (!ok || at < 0 || at >= static_cast<qint64>(v5::up5::kImageBytes))
            return fail(QStringLiteral("not an address of the memory: %1").arg(parser.value(corrupt)));
        s.corruptWriteAt = at;
    }
    return true;
}

// Serves the program until it is told to stop or the line is cut.
int serve(v5::sim::PtyLine& line, v5::sim::ModuleSimulator& module, const Parsed& parsed) {
    QTextStream log(stderr);
    const auto flushLog = [&] {
        for (const QString& entry : module.takeLog())
            if (!parsed.quiet) log << "v5ivez-sim: " << entry << Qt::endl;
    };
    v5::sim::LinePacer pacer(parsed.baudRate);
    const qint64 startNs = monotonicNs();
    const auto nowMs = [&] { return (monotonicNs() - startNs) / 1'000'000; };
    QByteArray outbox;  // taken from the module, not yet taken by the terminal
    bool lineBusy = false;
    qint64 received = 0;
    bool stalled = false;

    while (!stopRequested) {
        if (parsed.stallAfter && received >= *parsed.stallAfter) {
            // Nothing is read any more: the program's bytes pile up until its writes find no room.
            if (!stalled && !parsed.quiet)
                log << "v5ivez-sim: the line stalls after " << received << " bytes" << Qt::endl;
            stalled = true;
            const timespec pause{0, 100'000'000};
            ::nanosleep(&pause, nullptr);
            continue;
        }
        const v5::sim::PtyLine::Input input = line.read();
        received += input.bytes.size();
        if (input.failed) {
            log << "v5ivez-sim: the terminal failed" << Qt::endl;
            return 1;
        }
        if (input.flushedInput) {
            // A new connection: whatever the old one left unsent is void. So are the bytes that went out
            // between the program's purge and this pass: on a real line they would have been sent into a
            // port that was not listening yet, and the module is reset by the wake-up pulse anyway.
            line.discardUnread();
            outbox.clear();
            module.purged(nowMs());
        }
        if (!input.bytes.isEmpty()) module.received(input.bytes, nowMs());

        const qint64 now = monotonicNs();
        if (parsed.paced) {
            const qint64 allowance = pacer.allowance(now, !lineBusy);
            if (allowance > 0 && outbox.size() < allowance)
                outbox += module.take(nowMs(), allowance - outbox.size());
        } else {
            outbox += module.take(nowMs(), 1 << 16);
        }
        if (!outbox.isEmpty()) {
            const qint64 written = line.write(outbox);
            if (written < 0) {
                log << "v5ivez-sim: writing to the terminal failed" << Qt::endl;
                return 1;
            }
            if (parsed.paced) pacer.sent(written);
            outbox.remove(0, written);
        }
        // A line with nothing left to send starts its next byte afresh, not in a burst that catches up.
        lineBusy = !outbox.isEmpty() || (module.nextDue() && *module.nextDue() <= nowMs());
        flushLog();
        if (module.hungUp() && outbox.isEmpty()) {
            line.hangUp();
            return 0;
        }

        // Sleep until the program does something, the next byte is through the line, or a key is due.
        qint64 waitNs = 1'000'000'000;
        if (!outbox.isEmpty()) waitNs = parsed.paced ? 1'000'000 : 10'000'000;
        if (const auto next = module.nextDue()) {
            const qint64 dueNs = startNs + *next * 1'000'000;
            const qint64 lineNs = parsed.paced ? std::max(dueNs, pacer.nextByteNs()) : dueNs;
            // A millisecond at least: the bytes of a paced line go in small bursts, as from a UART's FIFO.
            waitNs = std::min(waitNs, std::max<qint64>(lineNs - monotonicNs(), parsed.paced ? 1'000'000 : 0));
        }
        pollfd fd{line.fd(), POLLIN, 0};
        if (!outbox.isEmpty() && !parsed.paced) fd.events |= POLLOUT;
        const timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000),
                               static_cast<long>(waitNs % 1'000'000'000)};
        ::ppoll(&fd, 1, &timeout, nullptr);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v5ivez-sim"));
    QCommandLineParser parser;
    Parsed parsed;
    if (!parse(QCoreApplication::arguments(), parser, parsed)) return 2;
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        QTextStream(stdout) << "v5ivez-sim " << v5::kVersion << '\n';
        return 0;
    }

    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    v5::sim::PtyLine line;
    if (const auto error = line.open()) {
        QTextStream(stderr) << "v5ivez-sim: cannot create a pseudo-terminal: " << *error << '\n';
        return 1;
    }
    std::printf("%s\n", line.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);

    v5::sim::ModuleSimulator module(parsed.setup);
    return serve(line, module, parsed);
}
