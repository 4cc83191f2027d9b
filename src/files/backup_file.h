#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

#include "image/image.h"
#include "files/settings_file.h"

namespace v5 {

// Copies of the panel's memory taken before a write, as settings files in the folder "backups" of the
// work folder: backups/2026-12-08_14-03-22_panel.v5. A second copy within the same second gets
// "_2", "_3" ... rather than replacing the first.
inline constexpr char kBackupFolderName[] = "backups";
QString backupFolder(const QString& workFolder);

struct BackupWrite {
    QString path;                    // the file written
    std::optional<FileError> error;  // set when nothing was written
};
// Creates the folder when needed and writes the 32768 bytes all or nothing.
BackupWrite writePanelBackup(const QString& workFolder, const Image::Bytes& bytes, const QDateTime& when);

}  // namespace v5
