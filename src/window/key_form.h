#pragma once

#include <QDialog>

#include "key_code_prompt.h"

class QLineEdit;
class QPushButton;

namespace v5 {

// The key-code dialog: twelve hexadecimal digits as the key list prints a code, code byte 5 first.
// Modal; created once at start-up and reused.
class TKeyForm : public QDialog, public KeyCodePrompt {
    Q_OBJECT
public:
    explicit TKeyForm(QWidget* parent = nullptr);

    std::optional<QString> keyCode(const QString& text) override;

    // The text as typed: a position left blank shows as "_".
    QString typed() const;
    // Puts `text` into the edit, ready for typing over it.
    void prepare(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* EditBox;
    QPushButton* bOk;
};

}  // namespace v5
