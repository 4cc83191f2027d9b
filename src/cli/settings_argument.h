#pragma once

#include <optional>

#include <QString>

#include "cli/cli.h"
#include "image/image.h"

namespace v5::cli {

// Reads the settings file a command was given: its image, or nothing after telling on standard error
// why not. The access code is not compared: the command line has no current configuration to protect.
std::optional<Image> readSettingsArgument(const QString& path, Io& io);

}  // namespace v5::cli
