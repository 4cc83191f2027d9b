#include "window/safety_dialogs.h"

#include "window/differences_dialog.h"
#include "files/messages.h"
#include "window/safety_texts.h"
#include "window/window_prompts.h"
#include "window/write_question.h"

namespace v5 {

namespace st = safety_text;

void WindowSafetyDialogs::showList(const QString& title, const QString& summary, const QStringList& lines) {
    DifferencesDialog dialog(title, summary, lines, parent_);
    dialog.exec();
}

bool WindowSafetyDialogs::writeDespite(const std::vector<Problem>& problems) {
    WriteQuestionDialog dialog(writeQuestion(problems), parent_);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> WindowSafetyDialogs::backupToRestore(const QString& folder) {
    // The program's own open dialog, in Russian like the others, opened in the backups folder.
    const auto dialog = WindowPrompts::openDialog(parent_, msg::SettingsFilter());
    dialog->setWindowTitle(st::RestoreItem());
    dialog->setDirectory(folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

}  // namespace v5
