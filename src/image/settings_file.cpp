#include "settings_file.h"

#include <algorithm>

#include "messages.h"

namespace v5 {

SettingsRead readSettingsFile(const QString& path) {
    SettingsRead result;
    const FileRead read = readFileStart(path, static_cast<qint64>(Image::kSize));
    if (read.failure) {
        result.error = {msg::ReadError(), englishReason(*read.failure), read.failure->problem};
        return result;
    }
    const QByteArray& data = read.bytes;
    if (data.size() != static_cast<qsizetype>(Image::kSize)) {
        result.error = {
            msg::ReadError(),
            QStringLiteral("%1 bytes long, a settings file holds %2").arg(data.size()).arg(Image::kSize),
            FileProblem::ShortFile};
        return result;
    }
    Image::Bytes bytes;
    std::copy(data.begin(), data.end(), reinterpret_cast<char*>(bytes.data()));
    result.bytes = bytes;
    return result;
}

std::uint16_t accessCodeOf(const Image::Bytes& bytes) {
    return static_cast<std::uint16_t>(bytes[kAccessCodeOffset] | (bytes[kAccessCodeOffset + 1] << 8));
}

std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& content) {
    if (const auto failure = writeFileWhole(path, content))
        return FileError{msg::WriteError(path, russianReason(*failure)), englishReason(*failure),
                         failure->problem};
    return std::nullopt;
}

std::optional<FileError> writeSettingsFile(const QString& path, const Image& image) {
    return writeFileAtomically(path, image.toByteArray());
}

}  // namespace v5
