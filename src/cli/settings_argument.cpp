#include "cli/settings_argument.h"

#include "files/settings_file.h"

namespace v5::cli {

std::optional<Image::Bytes> readSettingsArgument(const QString& path, Io& io) {
    const SettingsRead read = readSettingsFile(path);
    if (!read.bytes)
        io.err << "v5ivez-cli: cannot read the settings file " << path << ": " << read.error.detail << '\n';
    return read.bytes;
}

}  // namespace v5::cli
