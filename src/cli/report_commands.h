#pragma once

#include "cli/cli.h"

namespace v5::cli {

// File commands on a settings file: `report`, `archive` and `info`.
int reportCommand(const QStringList& args, Io& io);
int archiveCommand(const QStringList& args, Io& io);
int infoCommand(const QStringList& args, Io& io);

}  // namespace v5::cli
