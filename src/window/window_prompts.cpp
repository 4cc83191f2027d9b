#include "window_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace v5 {

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

std::optional<QString> WindowPrompts::openFileName(const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), QString(), toQtFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> WindowPrompts::saveFileName(const QString& proposed, const QString& filter,
                                                   const QString& suffix) {
    QFileDialog dialog(parent_, QString(), QString(), toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void WindowPrompts::message(const QString& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), text);
}

}  // namespace v5
