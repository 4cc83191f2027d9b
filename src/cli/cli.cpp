#include "cli.h"

#include <span>

#include "commands.h"

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
    for (const Command& c : allCommands())
        if (name == QString::fromLatin1(c.name)) return c.run(args.mid(1), io);
    io.err << "v5ivez-cli: unknown command '" << name << "'\n\n";
    printOverview(io.err);
    return kUsage;
}

}  // namespace v5::cli
