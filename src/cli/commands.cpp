#include "cli/commands.h"

#include "cli/card_command.h"
#include "cli/compare_commands.h"
#include "cli/device_commands.h"
#include "cli/key_commands.h"
#include "cli/report_commands.h"
#include "start/version.h"

namespace v5::cli {

namespace {
constexpr Command kCommands[] = {
    // File commands (report_commands.cpp) and device commands (device_commands.cpp) go here.
    {"report", "write the configuration report (report.txt) of a settings file", reportCommand},
    {"archive", "write the event archive (arj.txt, or a table with --csv) held in a settings file",
     archiveCommand},
    {"info", "summarise a settings file", infoCommand},
    {"diff", "list what differs between two settings files, field by field", diffCommand},
    {"check", "list the mistakes of a settings file with their severity", checkCommand},
    {"keys", "list the keys of a settings file as the program's key list shows them", keysCommand},
    {"keys-import", "load keys from a table (CSV) into a settings file, checked first", keysImportCommand},
    {"card", "write the site card of a settings file with its names, as PDF or HTML", cardCommand,
     Needs::Fonts},
    {"read-chip", "read the 24C256 chip through the input module into a settings file", readChipCommand},
    {"write-chip", "write a settings file to the 24C256 chip through the input module", writeChipCommand},
    {"read-panel", "read the panel's memory through the input module into a settings file", readPanelCommand},
    {"write-panel", "write a settings file's configuration to the panel through the input module",
     writePanelCommand},
    {"version", "print the program's version",
     [](const QStringList&, Io& io) {
         io.out << "v5ivez-cli " << kVersion << '\n';
         return kOk;
     }},
};
}  // namespace

std::span<const Command> allCommands() {
    return kCommands;
}

}  // namespace v5::cli
