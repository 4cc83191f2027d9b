#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "image/image.h"
#include "files/system_file.h"

namespace v5 {


struct FileError {
    QString message;  // what the window tells the user, in Russian
    QString detail;   // the reason as the command line gives it
    FileProblem problem = FileProblem::Other;
};

// Reads a settings file: a regular file of exactly 32768 bytes (a shorter or longer one is refused with
// its length, a pipe or a device at once, without waiting on it).
// Returns the bytes, or an error whose message is "Ошибка чтения" and a line naming the file and why.
struct SettingsRead {
    std::optional<Image::Bytes> bytes;
    FileError error;
};
SettingsRead readSettingsFile(const QString& path);

// The access-code word stored in a settings file's bytes.
std::uint16_t accessCodeOf(const Image::Bytes& bytes);

// Whether a settings file may replace an image only when it holds the image's own access code.
enum class AccessCodeCheck { None, SameAsImage };
// Reads a settings file as readSettingsFile does, checks it and assigns it to `image`. With
// SameAsImage a file holding another access code than `image` is refused ("Не тот код доступа").
// On failure `image` stays as it was and the error says why.
std::optional<FileError> readSettingsInto(Image& image, const QString& path, AccessCodeCheck check);

// Writes exactly the 32768 image bytes, all or nothing: on failure the old file stays as it was.
std::optional<FileError> writeSettingsFile(const QString& path, const Image& image);

// Writes a whole file all or nothing (writeFileWhole: a device or a pipe is refused, or takes the bytes
// directly). On failure the message names the file and the reason.
std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& content,
                                             SpecialFiles special = SpecialFiles::Refuse);

}  // namespace v5
