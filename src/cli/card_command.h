#pragma once

#include "cli/cli.h"

namespace v5::cli {

// `card`: the site card of a settings file, with the names beside it, as PDF or HTML.
int cardCommand(const QStringList& args, Io& io);

}  // namespace v5::cli
