#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

#include "image/image.h"
#include "files/settings_file.h"

namespace v5 {

// Copies of the panel's memory taken before a write, as settings files: 2026-12-08_14-03-22_panel.v5.
// A second copy within the same second gets "_2", "_3" ... rather than replacing the first. Each site
// keeps its own beside its settings file ("D:/obj/site.v5" → "D:/obj/site.backups/"); a configuration
// that never touched a file keeps them in "backups" of the work folder.
inline constexpr char kBackupFolderName[] = "backups";
QString backupFolder(const QString& workFolder);
QString siteBackupFolder(const QString& settingsPath);

struct BackupWrite {
    QString path;                    // the file written
    std::optional<FileError> error;  // set when nothing was written
};
// Creates `folder` when needed and writes the 32768 bytes all or nothing.
BackupWrite writePanelBackup(const QString& folder, const Image::Bytes& bytes, const QDateTime& when);

}  // namespace v5
