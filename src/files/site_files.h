#pragma once

#include <optional>

#include <QString>

#include "files/names_file.h"
#include "files/settings_file.h"
#include "image/image.h"

namespace v5 {

// A settings file and the names beside it, written as one change as far as the file system allows.
// The names go to a staging file beside their own first; then the image is written all or nothing;
// only then is the staging file renamed over the old names file.
// - A failure while the names are staged or the image is written leaves both old files as they were
//   (the staging file is removed).
// - A failure of the last rename leaves the new image with the old names file; `imageWritten` is true
//   and the error says that the names were not written. A rename in the folder just written to fails
//   only when the folder changed meanwhile.
// Without names (nullopt) only the image is written.
struct SiteWrite {
    std::optional<FileError> error;
    bool imageWritten = false;
};
SiteWrite writeSettingsAndNames(const QString& settingsPath, const Image& image, const QString& namesPath,
                                const std::optional<SiteNames>& names);

}  // namespace v5
