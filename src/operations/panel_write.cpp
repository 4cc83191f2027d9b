#include "operations/panel_write.h"

#include <algorithm>

#include <QDateTime>

#include "files/backup_file.h"
#include "compare/configuration_diff.h"
#include "link/up5_texts.h"

namespace v5 {

namespace {

// One transfer of the command: its final message is kept for the command's own, its labels name the step.
template <class Transfer>
bool asStep(TUP5& up5, const QString& prefix, Transfer transfer) {
    up5.SetMessagesDeferred(true);
    up5.SetStepPrefix(prefix);
    const bool ok = transfer();
    up5.SetMessagesDeferred(false);
    up5.SetStepPrefix(QString());
    return ok;
}

QStringList differencesOf(const Image::Bytes& sent, const Image::Bytes& readBack) {
    Image a, b;
    a.assign(sent);
    b.assign(readBack);
    QStringList lines;
    for (const FieldChange& change : compareConfigurations(a, b, CompareScope::ConfigurationArea))
        lines << change.text();
    return lines;
}

}  // namespace

PanelWriteResult writePanelChecked(TUP5& up5, TransferUi& ui, const Image::Bytes& image,
                                   PanelWriteSteps steps, const SaveBackup& saveBackup) {
    PanelWriteResult result;
    QStringList message;
    const auto finish = [&] {
        result.message = message.join(QLatin1Char('\n'));
        // After a cancel the window is gone already and no message follows.
        if (!ui.Cancelled()) ui.ShowMessage(result.message);
        return result;
    };
    // The bytes to send, taken now: the window stays usable during the transfers.
    const Image::Bytes sent = image;

    if (steps.backup) {
        Image::Bytes panel{};
        if (!asStep(up5, up5::BackupStep(), [&] { return up5.ReadPanel(panel); })) {
            if (ui.Cancelled()) return result;
            message << up5.LastMessage() << up5::BackupNotRead();
            return finish();
        }
        const BackupSaveResult saved = saveBackup(panel);
        if (saved.error) {
            message << up5::BackupNotSaved(*saved.error);
            return finish();
        }
        result.backupPath = saved.path;
    }

    result.written = asStep(up5, QString(), [&] { return up5.WritePanel(sent); });
    result.cancelled = !result.written && ui.Cancelled();
    result.partial = !result.written && up5.BlocksSent() > 0;
    if (result.cancelled && !result.partial) return result;
    message << (result.cancelled ? up5::WritePanelCancelled() : up5.LastMessage());
    if (result.partial) message << up5::PartialWrite(up5.BlocksSent(), static_cast<int>(up5::kPanelBlocks));
    if (!result.backupPath.isEmpty()) message << up5::BackupSaved(result.backupPath);
    if (result.partial)
        message << (result.backupPath.isEmpty() ? up5::NoBackupToRestore() : up5::RestoreHint());
    if (!result.written || !steps.verify) return finish();

    Image::Bytes readBack{};
    if (!asStep(up5, up5::VerifyStep(), [&] { return up5.ReadPanel(readBack); })) {
        if (ui.Cancelled()) return result;
        result.verify = PanelWriteResult::Verify::NotRead;
        message << up5::VerifyNotRead();
        return finish();
    }
    if (std::equal(sent.begin(), sent.begin() + kConfigAreaSize, readBack.begin())) {
        result.verify = PanelWriteResult::Verify::Passed;
        message << up5::VerifyDone();
        return finish();
    }
    result.verify = PanelWriteResult::Verify::Failed;
    result.differences = differencesOf(sent, readBack);
    message << up5::VerifyFailed() << result.differences.mid(0, kShownDifferences);
    if (result.differences.size() > kShownDifferences)
        message << up5::MoreDifferences(result.differences.size() - kShownDifferences);
    return finish();
}

SaveBackup backupsIn(const QString& folder, QString FileError::*reason) {
    return [folder, reason](const Image::Bytes& panel) {
        const BackupWrite backup = writePanelBackup(folder, panel, QDateTime::currentDateTime());
        if (!backup.error) return BackupSaveResult{backup.path, std::nullopt};
        // One line inside the write's message: "(Ошибка записи: <file>: <reason>)".
        return BackupSaveResult{
            backup.path, QString((*backup.error).*reason).replace(QLatin1Char('\n'), QStringLiteral(": "))};
    };
}

}  // namespace v5
