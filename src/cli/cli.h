#pragma once

#include <QStringList>
#include <QTextStream>

namespace v5::cli {

// Exit statuses of v5ivez-cli.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;  // the file or the device operation failed
inline constexpr int kUsage = 2;   // the command line is wrong

// Where a subcommand writes: the caller's streams, so that tests can read them.
struct Io {
    QTextStream& out;
    QTextStream& err;
};

// What a command needs of Qt besides its core: fonts (a PDF laid out in them) come with a
// QGuiApplication, which runProcess makes on the offscreen platform, so that no display is needed.
enum class Needs { Core, Fonts };

// One subcommand: its name, a line for the overview, and the function that runs it on the arguments
// after its name.
struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args, Io& io);
    Needs needs = Needs::Core;
};

// v5ivez-cli: `args` without the program name.
int run(const QStringList& args, Io& io);

// v5ivez-cli as a process, application object included: the arguments as the system gives them (a file
// name need not be UTF-8), and standard output checked to the end: output that could not be written
// fails the command.
int runProcess(int argc, char** argv);

// "-" and /dev/stdout: the command's standard output, never a file to replace.
bool isStandardOutput(const QString& output);
// Writes the bytes to standard output, or to a file all or nothing. A failure is told on io.err.
int writeResult(const QString& output, const QByteArray& bytes, Io& io, const char* command);

}  // namespace v5::cli
