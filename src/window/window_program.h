#pragma once

#include <functional>
#include <memory>

#include <QIcon>
#include <QString>

#include "start/window_arguments.h"
#include "window/main_window.h"

namespace v5 {

// What the window starts with once its command line is read.
struct WindowStart {
    QString workFolder;
    QString settingsFile;   // absolute; empty without one
    QString folderProblem;  // the chosen work folder could not be made: why, and where instead
};

// The work folder by workFolderFor from the current and the home folder, made when missing; when it
// cannot be made, the current folder with the reason told.
WindowStart windowStartFor(const WindowArguments& arguments);

// Builds the main window on `setup` in `start`'s work folder and shows it; once it is on the screen, a
// folder problem is told and the settings file is opened, so that their messages appear over it.
std::unique_ptr<TV5ivezMainForm> showWindow(const WindowStart& start, MainFormSetup setup = {});

// The window program from its command line to its end: --help and --version answer without a display;
// otherwise the application's names, icon and Russian dialogs, then showWindow. `shown` sees the window
// right after it is shown, before the event loop runs (the start-up benchmark watches it there).
int runWindowProgram(int argc, char** argv, const std::function<void(TV5ivezMainForm&)>& shown = {});

// The program's icon at the sizes a window manager asks for, drawn from data/icons at build time.
QIcon programIcon();

}  // namespace v5
