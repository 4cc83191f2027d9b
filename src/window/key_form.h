#pragma once

#include <QDialog>

#include "keys/key_code_prompt.h"

class QLineEdit;
class QPushButton;

namespace v5 {

// The key-code dialog: twelve hexadecimal digits as the key list prints a code, code byte 5 first, with
// a line that says so, "Ok" and "Отмена". Modal; created once at start-up and reused.
class TKeyForm : public QDialog, public KeyCodePrompt {
    Q_OBJECT
public:
    explicit TKeyForm(QWidget* parent = nullptr);

    std::optional<QString> keyCode(const QString& text) override;

    // The text as typed.
    QString typed() const;
    // Puts `text` into the edit, ready for typing over it.
    void prepare(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kTypedCodeDigits = 12;

    QLineEdit* EditBox;
    QPushButton* bOk;
    QPushButton* bCancel;
};

}  // namespace v5
