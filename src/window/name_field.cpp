#include "window/name_field.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>

#include "desktop/pane.h"

namespace v5 {

namespace {
// A name is for people: long enough for "Окна кухни, 2 этаж, со стороны двора", short enough for a list.
constexpr int kMaxNameLength = 200;
}  // namespace

NameFieldView::NameFieldView(const QString& objectName, const QString& caption, Pane& pane, bool note,
                             QWidget* parent, bool stacked)
    : QWidget(parent), pane_(pane), note_(note) {
    QBoxLayout* row = stacked ? static_cast<QBoxLayout*>(new QVBoxLayout(this)) : new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(objectName);
    edit_->setAccessibleName(caption);
    edit_->setMaxLength(kMaxNameLength);
    edit_->setClearButtonEnabled(true);
    edit_->setToolTip(QStringLiteral("Хранится в файле названий рядом с файлом настроек; в прибор не пишется"));
    label->setBuddy(edit_);
    row->addWidget(label);
    row->addWidget(edit_, 1);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) { pane_.setShownName(text, note_); });
    connect(edit_, &QLineEdit::editingFinished, this, &NameFieldView::edited);
}

void NameFieldView::render() {
    setEnabled(pane_.shownObject().has_value());
    const QString text = pane_.shownName(note_);
    // While the user types, the field and the names agree: nothing is put back under the cursor.
    if (edit_->text() != text) edit_->setText(text);
}

}  // namespace v5
