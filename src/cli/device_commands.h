#pragma once

#include <QStringList>

#include "cli/cli.h"

namespace v5::cli {

// Whole-image transfers through the input module, for the command table:
//   read-chip --port DEV -o OUT.v5      write-chip --port DEV IMAGE.v5
//   read-panel --port DEV -o OUT.v5     write-panel --port DEV IMAGE.v5
int readChipCommand(const QStringList& args, Io& io);
int writeChipCommand(const QStringList& args, Io& io);
int readPanelCommand(const QStringList& args, Io& io);
int writePanelCommand(const QStringList& args, Io& io);

}  // namespace v5::cli
