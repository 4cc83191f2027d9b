#include "reports/report_actions.h"

#include <QDir>

#include "reports/configuration_report.h"
#include "reports/event_archive.h"
#include "files/messages.h"
#include "files/settings_file.h"

namespace v5 {

namespace {
void writeAndShow(Desktop& desktop, TextViewer& viewer, const QString& path, const QStringList& lines) {
    QByteArray bytes;
    try {
        bytes = encodeLines(lines, TextFormat::Windows1251CrLf);
    } catch (const TextEncodingError& e) {
        desktop.prompts().message(msg::WriteError(path, QString::fromUtf8(e.what())));
        return;
    }
    if (const auto error = writeFileAtomically(path, bytes)) {
        desktop.prompts().message(error->message);
        return;
    }
    // The installer must still find the file without an editor at hand.
    if (!viewer.open(path)) desktop.prompts().notice(msg::NoTextEditor(path));
}
}  // namespace

QStringList resetAndReport(Desktop& desktop) {
    desktop.ClearDesktop();
    desktop.ClearSheet();
    return configurationReport(desktop.image());
}

void mRClick(Desktop& desktop, TextViewer& viewer, const QString& folder) {
    const QStringList lines = resetAndReport(desktop);
    writeAndShow(desktop, viewer, QDir(folder).filePath(reportFileName()), lines);
}

void mArjClick(Desktop& desktop, TextViewer& viewer, const QString& folder) {
    writeAndShow(desktop, viewer, QDir(folder).filePath(archiveFileName()), eventArchive(desktop.image()));
}

}  // namespace v5
