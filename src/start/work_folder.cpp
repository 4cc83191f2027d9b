#include "start/work_folder.h"

#include <cerrno>

#include <QDir>
#include <QFileInfo>

namespace v5 {

QString workFolderFor(const StartPlace& place) {
    if (!place.fromMenu) return place.currentFolder;
    const QString current = QDir::cleanPath(place.currentFolder);
    const QString home = QDir::cleanPath(place.homeFolder);
    const bool fileFolder = !place.settingsFile.isEmpty() &&
                            current == QDir::cleanPath(QFileInfo(place.settingsFile).absolutePath());
    if (current == home || current == QDir::rootPath() || fileFolder)
        return QDir(home).filePath(QString::fromLatin1(kMenuWorkFolderName));
    return place.currentFolder;
}

std::optional<FileFailure> makeWorkFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return std::nullopt;
    // A file of that name: there is no folder to work in.
    if (info.exists() || info.isSymLink()) return failureOf(ENOTDIR);
    errno = 0;
    if (QDir().mkpath(path)) return std::nullopt;
    return failureOf(errno != 0 ? errno : EACCES);
}

}  // namespace v5
