#pragma once

#include <optional>

#include <QString>

#include "cli/cli.h"
#include "image/image.h"

namespace v5::cli {

// Reads the settings file a command was given: its 32768 bytes, or nothing after telling on standard
// error why not.
std::optional<Image::Bytes> readSettingsArgument(const QString& path, Io& io);

}  // namespace v5::cli
