#pragma once

#include "cli/cli.h"

namespace v5::cli {

// `keys IMAGE.v5 [--by number|zone|unused] [--csv] [--cp1251]`: the key list of a settings file.
int keysCommand(const QStringList& args, Io& io);
// `keys-import IMAGE.v5 KEYS.csv [--dry-run]`: keys from a table, checked whole before anything is written.
int keysImportCommand(const QStringList& args, Io& io);

}  // namespace v5::cli
