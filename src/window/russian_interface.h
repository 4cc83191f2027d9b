#pragma once

class QCoreApplication;

namespace v5 {

// Makes what Qt itself shows Russian: its own dialogs and messages (the file dialogs, the question
// before a file is replaced, button captions), from the translations Qt ships (on Debian the package
// qt6-translations-l10n), and numbers and dates in the Russian way. False when the translations are
// not installed; the program's own texts are Russian either way.
bool useRussianInterface(QCoreApplication& application);

}  // namespace v5
