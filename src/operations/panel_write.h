#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

#include "image/image.h"
#include "files/settings_file.h"
#include "link/transfer_ui.h"
#include "link/up5.h"

namespace v5 {

// "Записать в прибор" as one command of up to three transfers: read the panel's memory and keep it as a
// backup, write the configuration area, read the panel again and compare what it holds with what was
// sent. The progress window shows every step; the user acknowledges one final message that tells all
// of it. A failed backup read or save means no byte is written.
struct PanelWriteSteps {
    bool backup = true;
    bool verify = true;
};

// Keeps the backup: the file written, or the reason nothing was.
struct BackupSaveResult {
    QString path;
    std::optional<QString> error;
};
using SaveBackup = std::function<BackupSaveResult(const Image::Bytes& panel)>;

// Keeps the backup in `folder` (siteBackupFolder, backupFolder), stamped with the time it is taken. A
// failure is told by `reason` of the file error: the window's Russian message or the command line's
// detail.
SaveBackup backupsIn(const QString& folder, QString FileError::*reason);

struct PanelWriteResult {
    enum class Verify { NotRun, Passed, Failed, NotRead };

    bool written = false;
    QString backupPath;  // empty when no backup was saved
    Verify verify = Verify::NotRun;
    QStringList differences;  // what the panel holds otherwise, when the check failed
    // The write broke off (failed or cancelled) after some blocks had gone: the panel may hold part of
    // the new configuration and part of the old.
    bool partial = false;
    bool cancelled = false;
    // The final message. After a cancel the progress window shows nothing; a partial write's message is
    // then for the caller to show.
    QString message;
};

// How many differences the final message lists before it only counts the rest.
inline constexpr qsizetype kShownDifferences = 5;

PanelWriteResult writePanelChecked(TUP5& up5, TransferUi& ui, const Image::Bytes& image,
                                   PanelWriteSteps steps, const SaveBackup& saveBackup);

}  // namespace v5
