#include "cli/settings_argument.h"

#include "files/settings_file.h"

namespace v5::cli {

std::optional<Image> readSettingsArgument(const QString& path, Io& io) {
    Image image;
    if (const auto error = readSettingsInto(image, path, AccessCodeCheck::None)) {
        io.err << "v5ivez-cli: cannot read the settings file " << path << ": " << error->detail << '\n';
        return std::nullopt;
    }
    return image;
}

}  // namespace v5::cli
