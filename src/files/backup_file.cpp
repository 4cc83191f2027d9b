#include "files/backup_file.h"

#include <QDir>
#include <QFileInfo>

#include "files/messages.h"

namespace v5 {

QString backupFolder(const QString& workFolder) {
    return QDir(workFolder).filePath(QString::fromLatin1(kBackupFolderName));
}

QString siteBackupFolder(const QString& settingsPath) {
    const QFileInfo file(settingsPath);
    QString name = file.fileName();
    if (name.endsWith(QStringLiteral(".v5"), Qt::CaseInsensitive)) name.chop(3);
    return file.absoluteDir().filePath(name + QStringLiteral(".backups"));
}

BackupWrite writePanelBackup(const QString& backupFolder, const Image::Bytes& bytes, const QDateTime& when) {
    BackupWrite result;
    const QDir folder(backupFolder);
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
