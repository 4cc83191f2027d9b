#include "files/backup_file.h"

#include <QDir>
#include <QFileInfo>

#include "files/messages.h"

namespace v5 {

QString backupFolder(const QString& workFolder) {
    return QDir(workFolder).filePath(QString::fromLatin1(kBackupFolderName));
}

BackupWrite writePanelBackup(const QString& workFolder, const Image::Bytes& bytes, const QDateTime& when) {
    BackupWrite result;
    const QDir folder(backupFolder(workFolder));
    if (!folder.mkpath(QStringLiteral("."))) {
        result.error = FileError{msg::WriteError(folder.path(), QStringLiteral("не удалось создать папку")),
                                 QStringLiteral("cannot create the folder %1").arg(folder.path())};
        return result;
    }
    const QString stem = when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QStringLiteral("_panel");
    result.path = folder.filePath(stem + QStringLiteral(".v5"));
    for (int n = 2; QFileInfo::exists(result.path); ++n)
        result.path = folder.filePath(stem + QStringLiteral("_%1.v5").arg(n));
    result.error = writeFileAtomically(result.path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                               static_cast<qsizetype>(bytes.size())));
    return result;
}

}  // namespace v5
