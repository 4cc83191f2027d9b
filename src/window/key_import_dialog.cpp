#include "window/key_import_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/desktop.h"
#include "desktop/user_prompts.h"
#include "files/system_file.h"
#include "keys/key_import.h"

namespace v5 {

namespace {

QString tableFilter() {
    return QStringLiteral("Таблица ключей (*.csv)|*.csv");
}

}  // namespace

KeyImportDialog::KeyImportDialog(const KeyImportPlan& plan, const QString& fileName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgKeyImport"));
    setWindowTitle(QStringLiteral("Загрузка ключей из таблицы"));
    auto* layout = new QVBoxLayout(this);

    auto* summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("lblKeyImportSummary"));
    summary->setWordWrap(true);
    summary->setText(fileName + QLatin1Char('\n') + keyImportSummary(plan));
    layout->addWidget(summary);

    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("lbKeyImport"));
    list->setAccessibleName(plan.ok() ? QStringLiteral("Что изменится") : QStringLiteral("Ошибки"));
    QStringList lines = keyImportLines(plan);
    if (lines.isEmpty())
        lines << QStringLiteral("Все строки совпадают с ключами в памяти: загружать нечего.");
    list->addItems(lines);
    list->setMinimumWidth(list->fontMetrics().averageCharWidth() * 90);
    layout->addWidget(list, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* load = buttons->addButton(QStringLiteral("Загрузить"), QDialogButtonBox::AcceptRole);
    load->setObjectName(QStringLiteral("btnKeyImportLoad"));
    load->setEnabled(plan.changesAnything());
    QPushButton* cancel = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnKeyImportCancel"));
    (load->isEnabled() ? load : cancel)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void openKeyImport(QWidget* window, Desktop& desktop, UserPrompts& prompts,
                   const std::function<void(const std::function<void()>&)>& act) {
    desktop.ClearDesktop();
    const std::optional<QString> path = prompts.openFileName(tableFilter());
    if (!path) return;
    const FileRead read = readFileStart(*path, kMaxKeyTableBytes + 1);
    if (read.failure) {
        prompts.message(
            QStringLiteral("Таблица %1 не прочитана: %2").arg(*path, russianReason(*read.failure)));
        return;
    }
    if (read.size > kMaxKeyTableBytes) {
        prompts.message(QStringLiteral("Файл %1 слишком велик для таблицы ключей").arg(*path));
        return;
    }
    const QString fileName = QFileInfo(*path).fileName();
    auto* dialog =
        new KeyImportDialog(planKeyImport(desktop.image(), desktop.names(), read.bytes), fileName, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, window,
                     [&desktop, &prompts, act, csv = read.bytes, fileName] {
                         act([&] {
                             // Checked again: the image is what it was when the preview was made, unless
                             // something slipped in between, and then the user hears why nothing was loaded.
                             const KeyImportPlan plan = loadKeyTable(desktop, csv, fileName);
                             if (!plan.ok())
                                 prompts.message(keyImportSummary(plan) + QStringLiteral(":\n") +
                                                 keyImportLines(plan).join(u'\n'));
                         });
                     });
    dialog->open();
}

}  // namespace v5
