#include "files/settings_file.h"

#include <algorithm>

#include "image/records.h"
#include "files/messages.h"

namespace v5 {

SettingsRead readSettingsFile(const QString& path) {
    SettingsRead result;
    constexpr auto kSize = static_cast<qint64>(Image::kSize);
    // One byte more than an image: a file that grew past its length since it was measured shows too.
    const FileRead read = readFileStart(path, kSize + 1);
    std::optional<FileFailure> failure = read.failure;
    const qint64 length = std::max<qint64>(read.size, read.bytes.size());
    if (!failure && length != kSize)
        failure =
            FileFailure{length < kSize ? FileProblem::ShortFile : FileProblem::LongFile, 0, length, kSize};
    if (failure) {
        result.error = {msg::ReadFailure(path, russianReason(*failure)), englishReason(*failure),
                        failure->problem};
        return result;
    }
    const QByteArray data = read.bytes.first(kSize);
    Image::Bytes bytes;
    std::copy(data.begin(), data.end(), reinterpret_cast<char*>(bytes.data()));
    result.bytes = bytes;
    return result;
}

std::uint16_t accessCodeOf(const Image::Bytes& bytes) {
    Image image;
    image.assign(bytes);
    return config::AccessCode::decode(image).word;
}

std::optional<FileError> readSettingsInto(Image& image, const QString& path, AccessCodeCheck check) {
    const SettingsRead read = readSettingsFile(path);
    if (!read.bytes) return read.error;
    if (check == AccessCodeCheck::SameAsImage &&
        accessCodeOf(*read.bytes) != config::AccessCode::decode(image).word)
        return FileError{msg::WrongAccessCode(), QStringLiteral("the file holds another access code"),
                         FileProblem::Other};
    image.assign(*read.bytes);
    return std::nullopt;
}

std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& content,
                                             SpecialFiles special) {
    if (const auto failure = writeFileWhole(path, content, special))
        return FileError{msg::WriteError(path, russianReason(*failure)), englishReason(*failure),
                         failure->problem};
    return std::nullopt;
}

std::optional<FileError> writeSettingsFile(const QString& path, const Image& image) {
    return writeFileAtomically(path, image.toByteArray());
}

}  // namespace v5
