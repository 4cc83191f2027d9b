#include "cli/cli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

#include <QtGlobal>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#endif

#include <QCoreApplication>
#include <QGuiApplication>

#include "cli/commands.h"
#include "files/settings_file.h"
#include "files/system_file.h"
#include "cli/system_stream.h"

namespace v5::cli {

namespace {

void printOverview(QTextStream& to) {
    to << "Usage: v5ivez-cli COMMAND [OPTIONS] [ARGS]\n\n"
          "Works with the settings files (*.v5) and the input module of the panel from a terminal.\n\n"
          "Commands:\n";
    for (const Command& c : allCommands())
        to << "  " << QString::fromLatin1(c.name).leftJustified(14) << QString::fromUtf8(c.summary) << '\n';
    to << "\n'v5ivez-cli COMMAND --help' describes a command.\n"
          "Exit status: 0 success, 1 the file or device operation failed, 2 wrong usage.\n";
}

// The application object the command named by `argv[1]` needs. Only a command that lays text out in
// fonts gets a QGuiApplication, on the offscreen platform whatever the session says: it never shows a
// window, works without a display, and the other commands keep starting without the GUI libraries.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    bool fonts = false;
    for (const Command& c : allCommands())
        fonts = fonts || (argc > 1 && c.needs == Needs::Fonts && std::strcmp(argv[1], c.name) == 0);
    if (!fonts) return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int run(const QStringList& args, Io& io) {
    if (args.isEmpty()) {
        printOverview(io.err);
        return kUsage;
    }
    const QString& name = args.first();
    if (name == QStringLiteral("--help") || name == QStringLiteral("-h") || name == QStringLiteral("help")) {
        printOverview(io.out);
        return kOk;
    }
    // The option every program answers (help2man asks it), as the command.
    const QString command = name == QStringLiteral("--version") ? QStringLiteral("version") : name;
    for (const Command& c : allCommands())
        if (command == QString::fromLatin1(c.name)) return c.run(args.mid(1), io);
    io.err << "v5ivez-cli: unknown command '" << name << "'\n\n";
    printOverview(io.err);
    return kUsage;
}

bool isStandardOutput(const QString& output) {
    static const QStringList kNames{QStringLiteral("-"), QStringLiteral("/dev/stdout"),
                                    QStringLiteral("/dev/fd/1"), QStringLiteral("/proc/self/fd/1")};
    return kNames.contains(output);
}

int writeResult(const QString& output, const QByteArray& bytes, Io& io, const char* command) {
    if (isStandardOutput(output)) {
        io.out.flush();
        QIODevice* device = io.out.device();
        if (device == nullptr) {  // a stream on a string
            io.out << QString::fromUtf8(bytes);
            return kOk;
        }
        // Raw bytes: the stream would re-encode them as text.
        if (device->write(bytes) != bytes.size()) {
            io.err << "v5ivez-cli " << command
                   << ": cannot write to standard output: " << device->errorString() << '\n';
            return kFailed;
        }
        return kOk;
    }
    if (const auto error = writeFileAtomically(output, bytes, SpecialFiles::WriteDirectly)) {
        io.err << "v5ivez-cli " << command << ": cannot write " << output << ": " << error->detail << '\n';
        return kFailed;
    }
    return kOk;
}

int runProcess(int argc, char** argv) {
#ifdef Q_OS_UNIX
    // A closed standard stream's number would go to the next file the program opens; the writes meant
    // for the stream would land there. Hold the number with /dev/null and remember the stream as closed.
    bool closed[3] = {};
    for (int fd = 0; fd < 3; ++fd) {
        closed[fd] = ::fcntl(fd, F_GETFD) == -1 && errno == EBADF;
        if (closed[fd]) ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
#else
    const bool closed[3] = {};
#endif
    const auto app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v5ivez-cli"));
    QStringList args;
#ifdef Q_OS_UNIX
    // The arguments as the bytes the system gave: a file name that is not UTF-8 still opens its file.
    for (int i = 1; i < argc; ++i)
        args << fileNameFromSystem(QByteArray(argv[i]));
#else
    args = QCoreApplication::arguments().mid(1);
#endif
    SystemStream stdoutStream(closed[1] ? -1 : fileno(stdout));
    SystemStream stderrStream(closed[2] ? -1 : fileno(stderr));
    QTextStream out(&stdoutStream);
    QTextStream err(&stderrStream);
    Io io{out, err};
    int status = run(args, io);
    out.flush();
    // Text that never reached its reader is a failure, however small it was.
    if (stdoutStream.failure()) {
        if (status == kOk)
            err << "v5ivez-cli: cannot write to standard output: " << stdoutStream.reason() << '\n';
        status = kFailed;
    }
    err.flush();
    return status;
}

}  // namespace v5::cli
