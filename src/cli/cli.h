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

// One subcommand: its name, a line for the overview, and the function that runs it on the arguments
// after its name.
struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args, Io& io);
};

// v5ivez-cli: `args` without the program name.
int run(const QStringList& args, Io& io);

}  // namespace v5::cli
