#pragma once

#include <memory>

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "desktop/user_prompts.h"

namespace v5 {

// The desktop's questions as file dialogs and message boxes over the main window, in Russian: Qt's own
// dialogs (not the desktop's), whose texts the Russian translations of Qt and the labels set here make
// Russian whatever the system's language.
class WindowPrompts : public UserPrompts {
public:
    explicit WindowPrompts(QWidget* parent) : parent_(parent) {}
    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& proposed, const QString& filter,
                                        const QString& suffix) override;
    void message(const QString& text) override;
    void notice(const QString& text) override;
    SaveAnswer askToSave(const QString& question) override;
    bool confirmReplace(const QString& question, const QString& replace, const QString& keep) override;

    // The dialogs as they are shown, for a look at them without waiting for the user.
    static std::unique_ptr<QFileDialog> openDialog(QWidget* parent, const QString& filter);
    static std::unique_ptr<QFileDialog> saveDialog(QWidget* parent, const QString& proposed,
                                                   const QString& filter, const QString& suffix);
    // A failure with the warning icon, or a notice with the information icon.
    static std::unique_ptr<QMessageBox> messageBox(QWidget* parent, QMessageBox::Icon icon,
                                                   const QString& text);
    static std::unique_ptr<QMessageBox> saveQuestion(QWidget* parent, const QString& question);
    // A question whose default and escape answer is `keep`; the "replace" button is named so.
    static std::unique_ptr<QMessageBox> replaceQuestion(QWidget* parent, const QString& question,
                                                        const QString& replace, const QString& keep);
    // What the user chose in a saveQuestion box.
    static SaveAnswer answerOf(const QMessageBox& box);

    // "Description|*.ext" as the Qt file dialogs take it.
    static QString toQtFilter(const QString& filter);

private:
    QPointer<QWidget> parent_;
};

}  // namespace v5
