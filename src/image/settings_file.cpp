#include "settings_file.h"

#include <algorithm>

#include <QFile>
#include <QSaveFile>

#include "messages.h"

namespace v5 {

SettingsRead readSettingsFile(const QString& path) {
    SettingsRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = {msg::ReadError(), file.errorString()};
        return result;
    }
    const QByteArray data = file.read(static_cast<qint64>(Image::kSize));
    if (data.size() != static_cast<qsizetype>(Image::kSize)) {
        result.error = {msg::ReadError(),
                        file.error() != QFileDevice::NoError ? file.errorString() : QString()};
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileError{msg::WriteError(path, reason), reason};
    }
    return std::nullopt;
}

std::optional<FileError> writeSettingsFile(const QString& path, const Image& image) {
    return writeFileAtomically(path, image.toByteArray());
}

}  // namespace v5
