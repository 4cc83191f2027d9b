#include "window/write_question.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "window/safety_texts.h"

namespace v5 {

namespace st = safety_text;

namespace {
// How many errors the question itself lists.
constexpr qsizetype kListedErrors = 12;
}  // namespace

WriteQuestion writeQuestion(const std::vector<Problem>& problems) {
    QStringList errors;
    QStringList warnings;
    for (const Problem& p : problems)
        (p.severity == Problem::Severity::Error ? errors : warnings) << p.line();
    QStringList text{st::CheckFoundErrors()};
    text << errors.mid(0, kListedErrors);
    if (errors.size() > kListedErrors) text << st::MoreProblems(errors.size() - kListedErrors);
    if (!warnings.isEmpty()) text << st::WarningCount(warnings.size());
    return {text.join(QLatin1Char('\n')), errors.mid(kListedErrors) + warnings};
}

WriteQuestionDialog::WriteQuestionDialog(const WriteQuestion& question, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgCheckBeforeWrite"));
    setWindowTitle(st::CheckTitle());
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(question.text + QStringLiteral("\n\n") + st::WriteAnyway(), this);
    text_->setObjectName(QStringLiteral("lblCheckProblems"));
    text_->setTextFormat(Qt::PlainText);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text_);
    details_ = new QPlainTextEdit(question.details.join(QLatin1Char('\n')), this);
    details_->setObjectName(QStringLiteral("txtCheckDetails"));
    details_->setAccessibleName(st::Details());
    details_->setReadOnly(true);
    details_->setVisible(false);
    layout->addWidget(details_);

    auto* buttons = new QDialogButtonBox(this);
    detailsButton_ = buttons->addButton(st::Details(), QDialogButtonBox::ActionRole);
    detailsButton_->setObjectName(QStringLiteral("btnCheckDetails"));
    detailsButton_->setCheckable(true);
    detailsButton_->setEnabled(!question.details.isEmpty());
    write_ = buttons->addButton(st::Write(), QDialogButtonBox::AcceptRole);
    write_->setObjectName(QStringLiteral("btnWriteAnyway"));
    QPushButton* cancel = buttons->addButton(st::DoNotWrite(), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnDoNotWrite"));
    cancel->setDefault(true);
    cancel->setFocus();
    for (QPushButton* b : {detailsButton_, write_, cancel})
        b->setAccessibleName(b->text());
    layout->addWidget(buttons);
    connect(detailsButton_, &QPushButton::toggled, details_, &QWidget::setVisible);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace v5
