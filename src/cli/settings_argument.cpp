#include "settings_argument.h"

#include <QFileInfo>

#include "settings_file.h"

namespace v5::cli {

std::optional<Image::Bytes> readSettingsArgument(const QString& path, Io& io) {
    const SettingsRead read = readSettingsFile(path);
    if (read.bytes) return read.bytes;
    const QFileInfo info(path);
    QString reason = read.error.detail;
    if (!info.exists())
        reason = QStringLiteral("no such file");
    else if (info.isDir())
        reason = QStringLiteral("it is a folder");
    else if (reason.isEmpty())
        reason = QStringLiteral("%1 bytes long, a settings file holds %2").arg(info.size()).arg(Image::kSize);
    io.err << "v5ivez-cli: cannot read the settings file " << path << ": " << reason << '\n';
    return std::nullopt;
}

}  // namespace v5::cli
