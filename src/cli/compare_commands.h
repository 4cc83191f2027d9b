#pragma once

#include <QStringList>

#include "cli/cli.h"

namespace v5::cli {

// Comparing and checking settings files:
//   diff A.v5 B.v5 [--json]    0 equal, 1 different, 2 wrong usage or a file that cannot be read
//   check FILE.v5 [--json]     0 no errors (warnings may be listed), 1 errors, 2 as above
int diffCommand(const QStringList& args, Io& io);
int checkCommand(const QStringList& args, Io& io);

}  // namespace v5::cli
