#include "window/differences_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "window/safety_texts.h"
#include "files/settings_file.h"
#include "window/window_prompts.h"

namespace v5 {

namespace st = safety_text;

DifferencesDialog::DifferencesDialog(const QString& title, const QString& summary, const QStringList& lines,
                                     QWidget* parent)
    : QDialog(parent),
      lines_(lines),
      summary_(new QLabel(summary, this)),
      list_(new QPlainTextEdit(this)),
      save_(new QPushButton(st::SaveList(), this)),
      close_(new QPushButton(st::Close(), this)) {
    setObjectName(QStringLiteral("dlgDifferences"));
    setWindowTitle(title);
    summary_->setObjectName(QStringLiteral("lblSummary"));
    summary_->setWordWrap(true);
    list_->setObjectName(QStringLiteral("meDifferences"));
    list_->setAccessibleName(summary);
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->setPlainText(lines.isEmpty() ? st::NoDifferences() : lines.join(QLatin1Char('\n')));
    save_->setObjectName(QStringLiteral("btnSaveList"));
    save_->setEnabled(!lines.isEmpty());
    close_->setObjectName(QStringLiteral("btnClose"));
    close_->setDefault(true);
    connect(save_, &QPushButton::clicked, this, [this] { saveClicked(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(640, 420);

    askFileName = [this]() -> std::optional<QString> {
        const auto dialog = WindowPrompts::saveDialog(this, QStringLiteral("сравнение.txt"), st::TextFilter(),
                                                      QStringLiteral("txt"));
        dialog->setWindowTitle(st::SaveList());
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
        return dialog->selectedFiles().constFirst();
    };
}

std::optional<QString> DifferencesDialog::saveTo(const QString& path) const {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines_)
        bytes += line.toUtf8() + "\r\n";
    if (const auto error = writeFileAtomically(path, bytes)) return error->message;
    return std::nullopt;
}

void DifferencesDialog::saveClicked() {
    const std::optional<QString> path = askFileName();
    if (!path) return;
    if (const auto error = saveTo(*path))
        WindowPrompts::messageBox(this, QMessageBox::Warning, *error)->exec();
}

}  // namespace v5
