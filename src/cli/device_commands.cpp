#include "cli/device_commands.h"

#include "files/backup_file.h"

#include <optional>

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include <QDir>
#include <QElapsedTimer>

#include "link/com_port.h"
#include "compare/configuration_check.h"
#include "link/event_loop_clock.h"
#include "image/image.h"
#include "operations/panel_write.h"
#include "files/settings_file.h"
#include "cli/terminal_progress.h"
#include "link/up5.h"

namespace v5::cli {

namespace {

enum class Target { Chip, Panel };
enum class Direction { Read, Write };

struct DeviceCommand {
    const char* name;
    Target target;
    Direction direction;
    const char* what;
};

struct Arguments {
    QString port;
    QString file;
    bool stats = false;
    bool force = false;     // writes only: write despite errors of the check
    PanelWriteSteps steps;  // write-panel only
};

bool isPanelWrite(const DeviceCommand& c) {
    return c.target == Target::Panel && c.direction == Direction::Write;
}

void printHelp(const DeviceCommand& c, QTextStream& to) {
    const QString name = QString::fromLatin1(c.name);
    if (c.direction == Direction::Read)
        to << "Usage: v5ivez-cli " << name << " --port DEV -o OUT.v5 [--stats]\n\n";
    else if (isPanelWrite(c))
        to << "Usage: v5ivez-cli " << name
           << " --port DEV IMAGE.v5 [--force] [--no-backup] [--no-verify] [--stats]\n\n";
    else
        to << "Usage: v5ivez-cli " << name << " --port DEV IMAGE.v5 [--force] [--stats]\n\n";
    to << QString::fromUtf8(c.what) << "\n\n"
       << "  --port DEV      the serial port of the input module: COM1..COM9 (/dev/ttyS0..8), or a device\n"
          "                  such as ttyUSB0 or /dev/pts/7 (the path v5ivez-sim prints)\n";
    if (c.direction == Direction::Read)
        to << "  -o, --output OUT.v5\n"
              "                  the settings file to write, whole or not at all, only after a successful\n"
              "                  read; its folder is checked first. - or /dev/stdout: standard output\n";
    else
        to << "  IMAGE.v5        the settings file to send; it is checked first, as 'check' does: with\n"
              "                  errors nothing is written, the problems go to standard error and the exit\n"
              "                  status is 1; warnings are listed and the write goes on\n"
              "  --force         write despite errors of the check\n";
    if (isPanelWrite(c))
        to << "  --no-backup     do not read the panel first; by default its memory is saved as\n"
              "                  backups/YYYY-MM-DD_hh-mm-ss_panel.v5 in the current folder, and nothing is\n"
              "                  written when that fails\n"
              "  --no-verify     do not read the panel back; by default the configuration area it holds\n"
              "                  after the write is compared with what was sent\n";
    to << "  --stats         report the transfer's duration and the longest stretch without event\n"
          "                  processing\n"
          "  --              ends the options\n\n"
          "Progress and the module's messages go to standard error. Ctrl-C cancels: the port is closed\n"
          "and no file is written.\n"
          "Exit status: 0 success, 1 the device or a file failed (or the transfer was cancelled, or the\n"
          "check found errors), 2 wrong "
          "usage.\n";
}

int usage(const DeviceCommand& c, Io& io, const QString& problem) {
    io.err << "v5ivez-cli " << c.name << ": " << problem << "\n\n";
    printHelp(c, io.err);
    return kUsage;
}

// Returns the arguments, or the exit status when the command ends here (help or a usage error). "--"
// ends the options; each option is given once.
std::optional<Arguments> parse(const DeviceCommand& c, const QStringList& args, Io& io, int& status) {
    Arguments parsed;
    QStringList positional;
    QStringList given;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(QLatin1Char('-')) || a == QStringLiteral("-")) {
            positional << a;
            continue;
        }
        if (a == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        const auto value = [&](const QString& option) -> std::optional<QString> {
            if (a.startsWith(option + QLatin1Char('='))) return a.mid(option.size() + 1);
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            printHelp(c, io.out);
            status = kOk;
            return std::nullopt;
        }
        const bool isPort = a == QStringLiteral("--port") || a.startsWith(QStringLiteral("--port="));
        const bool isOutput =
            c.direction == Direction::Read && (a == QStringLiteral("-o") || a == QStringLiteral("--output") ||
                                               a.startsWith(QStringLiteral("--output=")));
        const QString name = isPort ? QStringLiteral("--port") : isOutput ? QStringLiteral("-o") : a;
        if (given.contains(name))
            return status = usage(c, io, QStringLiteral("%1 is given twice").arg(name)), std::nullopt;
        given << name;
        if (a == QStringLiteral("--stats")) {
            parsed.stats = true;
        } else if (c.direction == Direction::Write && a == QStringLiteral("--force")) {
            parsed.force = true;
        } else if (isPanelWrite(c) && a == QStringLiteral("--no-backup")) {
            parsed.steps.backup = false;
        } else if (isPanelWrite(c) && a == QStringLiteral("--no-verify")) {
            parsed.steps.verify = false;
        } else if (isPort) {
            const auto v = value(QStringLiteral("--port"));
            if (!v || v->isEmpty())
                return status = usage(c, io, QStringLiteral("--port needs a device")), std::nullopt;
            parsed.port = *v;
        } else if (isOutput) {
            const auto v =
                value(a == QStringLiteral("-o") ? QStringLiteral("-o") : QStringLiteral("--output"));
            if (!v || v->isEmpty())
                return status = usage(c, io, QStringLiteral("-o needs a file name")), std::nullopt;
            parsed.file = *v;
        } else {
            return status = usage(c, io, QStringLiteral("unknown option '%1'").arg(a)), std::nullopt;
        }
    }
    if (parsed.port.isEmpty())
        return status = usage(c, io, QStringLiteral("--port is required")), std::nullopt;
    if (c.direction == Direction::Read) {
        if (!positional.isEmpty())
            return status = usage(c, io, QStringLiteral("unexpected argument '%1'").arg(positional.first())),
                   std::nullopt;
        if (parsed.file.isEmpty())
            return status = usage(c, io, QStringLiteral("-o OUT.v5 is required")), std::nullopt;
    } else {
        if (positional.size() != 1)
            return status = usage(c, io, QStringLiteral("one settings file is required")), std::nullopt;
        parsed.file = positional.first();
    }
    return parsed;
}

// The check before a write, as the window makes it: its problems go to standard error; with errors and
// without --force the write does not start.
bool passesCheck(const DeviceCommand& c, const Arguments& a, const Image::Bytes& bytes, Io& io) {
    Image image;
    image.assign(bytes);
    const std::vector<Problem> problems = checkConfiguration(image);
    const bool errors = hasErrors(problems);
    if (errors && !a.force)
        io.err << "v5ivez-cli " << c.name << ": the check found errors in " << a.file
               << "; nothing was written (--force writes anyway):\n";
    else if (!problems.empty())
        io.err << "v5ivez-cli " << c.name << ": the check of " << a.file << " found:\n";
    for (const QString& line : problemLines(problems))
        io.err << "  " << line << '\n';
    return !errors || a.force;
}

// The panel write with its backup and check; a check that finds the panel holding something else fails
// the command.
bool writePanel(TUP5& up5, TransferUi& progress, const Image::Bytes& image, const QString& settingsFile,
                PanelWriteSteps steps, Io& io) {
    // The site's backups beside its settings file.
    const PanelWriteResult result = writePanelChecked(up5, progress, image, steps,
                                                      backupsIn(siteBackupFolder(settingsFile), &FileError::detail));
    // After a cancel no message tells what the panel holds now or where the copy went.
    if (result.partial && TerminalProgress::interrupted())
        io.err << "v5ivez-cli write-panel: the write broke off part-way; the panel may hold a partial "
                  "configuration\n";
    if (!result.backupPath.isEmpty() && TerminalProgress::interrupted())
        io.err << "v5ivez-cli write-panel: the panel's memory before the write is in " << result.backupPath
               << '\n';
    return result.written && result.verify != PanelWriteResult::Verify::Failed &&
           result.verify != PanelWriteResult::Verify::NotRead;
}

int run(const DeviceCommand& c, const QStringList& args, Io& io) {
    int status = kOk;
    const std::optional<Arguments> a = parse(c, args, io, status);
    if (!a) return status;

    Image::Bytes image{};
    if (c.direction == Direction::Write) {
        Image file;
        if (const auto error = readSettingsInto(file, a->file, AccessCodeCheck::None)) {
            // The message names the file already.
            io.err << error->message << " (" << error->detail << ")\n";
            return kFailed;
        }
        image = file.bytes();
        if (!passesCheck(c, *a, image, io)) return kFailed;
    }

    // A read that cannot be stored is not started: the transfer may take minutes.
    if (c.direction == Direction::Read && !isStandardOutput(a->file)) {
        if (const auto failure = checkWritable(a->file, static_cast<qint64>(Image::kSize))) {
            io.err << "v5ivez-cli " << c.name << ": cannot write " << a->file << ": "
                   << englishReason(*failure) << "; nothing was read\n";
            return kFailed;
        }
    }

    TComPort port;
    EventLoopClock eventLoopClock;
    EventPassMeter meter;
    MeteredClock clock(eventLoopClock, meter);
#ifdef Q_OS_WIN
    const bool interactive = ::_isatty(::_fileno(stderr)) != 0;
#else
    const bool interactive = ::isatty(STDERR_FILENO) == 1;
#endif
    TerminalProgress progress(io.err, interactive, meter);
    TUP5 up5(port, progress, clock);
    up5.SetPortName(a->port);

    QElapsedTimer elapsed;
    elapsed.start();
    bool ok = false;
    switch (c.target) {
        case Target::Chip:
            ok = c.direction == Direction::Read ? up5.ReadChip(image) : up5.WriteChip(image);
            break;
        case Target::Panel:
            if (c.direction == Direction::Read) {
                ok = up5.ReadPanel(image);
                break;
            }
            ok = writePanel(up5, progress, image, a->file, a->steps, io);
            break;
    }
    const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
    if (a->stats)
        io.err << QStringLiteral("transfer: %1 s; longest stretch without event processing: %2 ms\n")
                      .arg(seconds, 0, 'f', 3)
                      .arg(meter.longestGapMs(), 0, 'f', 2);
    if (!ok) {
        if (TerminalProgress::interrupted())
            io.err << "v5ivez-cli " << c.name << ": cancelled; the port is closed, nothing was written\n";
        else if (!port.LastError().isEmpty())
            io.err << "  " << a->port << ": " << port.LastError() << '\n';
        return kFailed;
    }
    if (c.direction == Direction::Read)
        return writeResult(
            a->file,
            QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())), io,
            c.name);
    return kOk;
}

constexpr DeviceCommand kReadChip{"read-chip", Target::Chip, Direction::Read,
                                  "Reads the 24C256 chip in the input module's socket into a settings file."};
constexpr DeviceCommand kWriteChip{
    "write-chip", Target::Chip, Direction::Write,
    "Writes a settings file, all 32768 bytes, to the 24C256 chip in the input module's "
    "socket."};
constexpr DeviceCommand kReadPanel{
    "read-panel", Target::Panel, Direction::Read,
    "Reads the panel's configuration and event archive through the input module into a "
    "settings file."};
constexpr DeviceCommand kWritePanel{
    "write-panel", Target::Panel, Direction::Write,
    "Writes the configuration area of a settings file (its first 12288 bytes) to the "
    "panel through the input module; the panel keeps its event archive."};

}  // namespace

int readChipCommand(const QStringList& args, Io& io) {
    return run(kReadChip, args, io);
}
int writeChipCommand(const QStringList& args, Io& io) {
    return run(kWriteChip, args, io);
}
int readPanelCommand(const QStringList& args, Io& io) {
    return run(kReadPanel, args, io);
}
int writePanelCommand(const QStringList& args, Io& io) {
    return run(kWritePanel, args, io);
}

}  // namespace v5::cli
