#pragma once

#include <QPointer>
#include <QWidget>

#include "user_prompts.h"

namespace v5 {

// The desktop's questions as file dialogs and message boxes over the main window.
class WindowPrompts : public UserPrompts {
public:
    explicit WindowPrompts(QWidget* parent) : parent_(parent) {}
    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& proposed, const QString& filter,
                                        const QString& suffix) override;
    void message(const QString& text) override;

    // "Description|*.ext" as the Qt file dialogs take it.
    static QString toQtFilter(const QString& filter);

private:
    QPointer<QWidget> parent_;
};

}  // namespace v5
