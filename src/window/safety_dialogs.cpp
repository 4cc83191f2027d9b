#include "safety_dialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "differences_dialog.h"
#include "messages.h"
#include "safety_texts.h"
#include "window_prompts.h"

namespace v5 {

namespace st = safety_text;

namespace {
// How many problems the question itself lists; all of them are under "Show Details".
constexpr qsizetype kListedProblems = 12;
}  // namespace

void WindowSafetyDialogs::showList(const QString& title, const QString& summary, const QStringList& lines) {
    DifferencesDialog dialog(title, summary, lines, parent_);
    dialog.exec();
}

bool WindowSafetyDialogs::writeDespite(const QStringList& problems) {
    QStringList text{st::CheckFoundErrors()};
    text << problems.mid(0, kListedProblems);
    if (problems.size() > kListedProblems) text << st::MoreProblems(problems.size() - kListedProblems);
    QMessageBox box(QMessageBox::Warning, st::CheckTitle(), text.join(QLatin1Char('\n')),
                    QMessageBox::NoButton, parent_);
    box.setObjectName(QStringLiteral("dlgCheckBeforeWrite"));
    box.setInformativeText(st::WriteAnyway());
    box.setDetailedText(problems.join(QLatin1Char('\n')));
    QPushButton* write = box.addButton(st::Write(), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(st::DoNotWrite(), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == write;
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
