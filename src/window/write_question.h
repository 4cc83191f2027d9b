#pragma once

#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "compare/configuration_check.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace v5 {

// What the question before a write says: the errors one by one (the first dozen, then how many more),
// the warnings as one counted line; their lines are behind "Подробнее".
struct WriteQuestion {
    QString text;
    QStringList details;  // the errors past the first dozen, then every warning
};
WriteQuestion writeQuestion(const std::vector<Problem>& problems);

// The question itself: "Записать" or "Не записывать" (the default), and "Подробнее" showing the
// details below the text.
class WriteQuestionDialog : public QDialog {
public:
    WriteQuestionDialog(const WriteQuestion& question, QWidget* parent);

    QLabel* text() const { return text_; }
    QPushButton* detailsButton() const { return detailsButton_; }
    QPlainTextEdit* details() const { return details_; }
    QPushButton* writeButton() const { return write_; }

private:
    QLabel* text_;
    QPushButton* detailsButton_;
    QPlainTextEdit* details_;
    QPushButton* write_;
};

}  // namespace v5
