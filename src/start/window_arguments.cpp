#include "start/window_arguments.h"

#include "start/version.h"

namespace v5 {

WindowArguments parseWindowArguments(const QStringList& arguments) {
    WindowArguments parsed;
    const auto wrong = [&parsed](const QString& problem) {
        parsed.action = WindowArguments::Action::Wrong;
        parsed.problem = problem;
        return parsed;
    };
    bool optionsEnd = false;
    for (const QString& argument : arguments) {
        const bool option = !optionsEnd && argument.startsWith(QLatin1Char('-')) && argument != QStringLiteral("-");
        if (!option) {
            if (!parsed.settingsFile.isEmpty()) return wrong(QStringLiteral("only one settings file can be opened"));
            parsed.settingsFile = argument;
        } else if (argument == QStringLiteral("--")) {
            optionsEnd = true;
        } else if (argument == QStringLiteral("-h") || argument == QStringLiteral("--help")) {
            parsed.action = WindowArguments::Action::Help;
        } else if (argument == QStringLiteral("--version")) {
            if (parsed.action != WindowArguments::Action::Help) parsed.action = WindowArguments::Action::Version;
        } else if (argument == QStringLiteral("--from-menu")) {
            parsed.fromMenu = true;
        } else {
            return wrong(QStringLiteral("unknown option '%1'").arg(argument));
        }
    }
    return parsed;
}

QString windowHelpText() {
    return QStringLiteral(
        "Usage: v5ivez [OPTIONS] [FILE]\n"
        "\n"
        "The configuration tool of the alarm control panel \"Вистан-5\": its slots, loops, zones, partitions,\n"
        "keys, relays, indicators, communication modules, sounders and options, kept as a settings file\n"
        "(*.v5, the panel's 32768-byte memory image) and moved to and from the panel or its memory chip\n"
        "through the input module \"УП-5\" on a serial port. The window is in Russian.\n"
        "\n"
        "FILE, a settings file, is read once the window shows, as \"Файл настроек\" → \"Прочитать с  диска\"\n"
        "reads one: with the names file beside it and the same access-code check.\n"
        "\n"
        "Options:\n"
        "  --from-menu   started from the desktop menu or a file manager: when the current folder is the\n"
        "                home folder, the root or the folder of FILE, the program keeps its own files in\n"
        "                ~/V5ivez (created at the first start) instead of the current folder\n"
        "  -h, --help    show this help and exit\n"
        "  --version     show the version and exit\n"
        "\n"
        "Qt's own options (-platform, -style, …) are accepted too.\n");
}

QString windowVersionText() {
    return QStringLiteral("v5ivez %1\n").arg(QString::fromLatin1(kVersion));
}

}  // namespace v5
