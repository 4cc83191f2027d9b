#pragma once

#include <QString>
#include <QStringList>

namespace v5 {

// The window's command line, after Qt has taken its own options (-platform, -style, …).
struct WindowArguments {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    // The settings file to open once the window shows, as "Прочитать с  диска" opens one.
    QString settingsFile;
    // --from-menu: the desktop entry started the program (see workFolderFor).
    bool fromMenu = false;
    // Why the command line is wrong (Action::Wrong).
    QString problem;
};

// `arguments` without the program's name.
WindowArguments parseWindowArguments(const QStringList& arguments);

// What --help and --version print: the manual page is made from them.
QString windowHelpText();
QString windowVersionText();

}  // namespace v5
