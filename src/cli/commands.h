#pragma once

#include <span>

#include "cli/cli.h"

namespace v5::cli {

// Every subcommand, in the order the overview lists them. Each group of commands lives in a file of
// its own and adds its entries to the table in commands.cpp.
std::span<const Command> allCommands();

}  // namespace v5::cli
