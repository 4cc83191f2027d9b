#include "window/window_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace v5 {

namespace {

std::unique_ptr<QFileDialog> fileDialog(QWidget* parent, const QString& title, const QString& filter,
                                        QFileDialog::AcceptMode mode) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, QString(), WindowPrompts::toQtFilter(filter));
    // The desktop's own dialog would speak the desktop's language; Qt's speaks Russian.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // Names only: the detail columns format sizes and dates by the system's locale, which may be English.
    dialog->setViewMode(QFileDialog::List);
    dialog->setAcceptMode(mode);
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    dialog->setLabelText(QFileDialog::Accept, mode == QFileDialog::AcceptOpen ? QStringLiteral("Открыть")
                                                                              : QStringLiteral("Сохранить"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    return dialog;
}

std::optional<QString> chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

const char* const kAnswerProperty = "v5answer";

}  // namespace

QString WindowPrompts::toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        out << (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                    ? description
                    : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return out.isEmpty() ? filter : out.join(QStringLiteral(";;"));
}

std::unique_ptr<QFileDialog> WindowPrompts::openDialog(QWidget* parent, const QString& filter) {
    auto dialog = fileDialog(parent, QStringLiteral("Открыть"), filter, QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

std::unique_ptr<QFileDialog> WindowPrompts::saveDialog(QWidget* parent, const QString& proposed,
                                                       const QString& filter, const QString& suffix) {
    auto dialog = fileDialog(parent, QStringLiteral("Сохранить как"), filter, QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(suffix);
    dialog->selectFile(proposed);
    return dialog;
}

std::unique_ptr<QMessageBox> WindowPrompts::messageBox(QWidget* parent, QMessageBox::Icon icon,
                                                       const QString& text) {
    auto box = std::make_unique<QMessageBox>(icon, QApplication::applicationName(), text,
                                             QMessageBox::NoButton, parent);
    box->setEscapeButton(box->addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole));
    return box;
}

std::unique_ptr<QMessageBox> WindowPrompts::saveQuestion(QWidget* parent, const QString& question) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QApplication::applicationName(), question,
                                             QMessageBox::NoButton, parent);
    const struct {
        const char16_t* caption;
        QMessageBox::ButtonRole role;
        SaveAnswer answer;
    } buttons[] = {{u"Сохранить", QMessageBox::AcceptRole, SaveAnswer::Save},
                   {u"Не сохранять", QMessageBox::DestructiveRole, SaveAnswer::DontSave},
                   {u"Отмена", QMessageBox::RejectRole, SaveAnswer::Cancel}};
    for (const auto& b : buttons) {
        QPushButton* button = box->addButton(QString::fromUtf16(b.caption), b.role);
        button->setProperty(kAnswerProperty, static_cast<int>(b.answer));
        if (b.answer == SaveAnswer::Save) box->setDefaultButton(button);
        if (b.answer == SaveAnswer::Cancel) box->setEscapeButton(button);
    }
    return box;
}

std::unique_ptr<QMessageBox> WindowPrompts::replaceQuestion(QWidget* parent, const QString& question,
                                                            const QString& replace, const QString& keep) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QApplication::applicationName(), question,
                                             QMessageBox::NoButton, parent);
    box->addButton(replace, QMessageBox::DestructiveRole)->setObjectName(QStringLiteral("replace"));
    QPushButton* keeping = box->addButton(keep, QMessageBox::RejectRole);
    box->setDefaultButton(keeping);
    box->setEscapeButton(keeping);
    return box;
}

SaveAnswer WindowPrompts::answerOf(const QMessageBox& box) {
    // Closing the box any other way keeps the program open.
    const QAbstractButton* clicked = box.clickedButton();
    if (!clicked || !clicked->property(kAnswerProperty).isValid()) return SaveAnswer::Cancel;
    return static_cast<SaveAnswer>(clicked->property(kAnswerProperty).toInt());
}

std::optional<QString> WindowPrompts::openFileName(const QString& filter) {
    return chosenFile(*openDialog(parent_, filter));
}

std::optional<QString> WindowPrompts::saveFileName(const QString& proposed, const QString& filter,
                                                   const QString& suffix) {
    return chosenFile(*saveDialog(parent_, proposed, filter, suffix));
}

void WindowPrompts::message(const QString& text) {
    messageBox(parent_, QMessageBox::Warning, text)->exec();
}

void WindowPrompts::notice(const QString& text) {
    messageBox(parent_, QMessageBox::Information, text)->exec();
}

SaveAnswer WindowPrompts::askToSave(const QString& question) {
    const auto box = saveQuestion(parent_, question);
    box->exec();
    return answerOf(*box);
}

bool WindowPrompts::confirmReplace(const QString& question, const QString& replace, const QString& keep) {
    const auto box = replaceQuestion(parent_, question, replace, keep);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    return clicked && clicked->objectName() == QStringLiteral("replace");
}

}  // namespace v5
