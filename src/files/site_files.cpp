#include "files/site_files.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "files/messages.h"
#include "files/system_file.h"

namespace v5 {

namespace {

// The file a name stands for: a link's target, so that the rename replaces the file, not the link.
QString realTarget(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

QString stagingPathFor(const QString& target) {
    const QFileInfo info(target);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".new"));
}

FileError errorOf(const QString& path, const FileFailure& failure) {
    return {msg::WriteError(path, russianReason(failure)), englishReason(failure), failure.problem};
}

}  // namespace

SiteWrite writeSettingsAndNames(const QString& settingsPath, const Image& image, const QString& namesPath,
                                const std::optional<SiteNames>& names) {
    SiteWrite result;
    if (!names) {
        result.error = writeSettingsFile(settingsPath, image);
        result.imageWritten = !result.error;
        return result;
    }
    const QString target = realTarget(namesPath);
    const QString staging = stagingPathFor(target);
    if (const auto failure = writeFileWhole(staging, namesJson(*names))) {
        result.error = errorOf(namesPath, *failure);
        return result;
    }
    if (QFile::exists(target)) QFile::setPermissions(staging, QFile::permissions(target));
    if ((result.error = writeSettingsFile(settingsPath, image))) {
        QFile::remove(staging);
        return result;
    }
    result.imageWritten = true;
    std::error_code code;
    std::filesystem::rename(std::filesystem::path(fileNameToSystem(staging).toStdString()),
                            std::filesystem::path(fileNameToSystem(target).toStdString()), code);
    if (code) {
        QFile::remove(staging);
        result.error = errorOf(namesPath, failureOf(code.value()));
    }
    return result;
}

}  // namespace v5
