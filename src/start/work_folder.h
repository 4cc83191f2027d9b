#pragma once

#include <optional>

#include <QString>

#include "files/system_file.h"

namespace v5 {

// The folder of the program's own files (V5ivez.ini, report.txt, arj.txt, and the backups of a
// configuration that never touched a settings file) in the home folder, when the menu starts it.
inline constexpr char kMenuWorkFolderName[] = "V5ivez";

// Where the program was started: absolute, canonical folder names.
struct StartPlace {
    QString currentFolder;
    QString homeFolder;
    // The settings file the program was started with; empty without one.
    QString settingsFile;
    // The desktop entry's option: started from the menu or by opening a file in the file manager.
    bool fromMenu = false;
};

// Started from a terminal, the program works in the current folder, as it always has. Started from the
// menu, the current folder is one the launcher chose, not the user: the home folder, the folder of the
// file opened, or the root; the program's files then go to ~/V5ivez instead of lying about there.
QString workFolderFor(const StartPlace& place);

// Creates the work folder when it is missing.
std::optional<FileFailure> makeWorkFolder(const QString& path);

}  // namespace v5
