#pragma once

#include <functional>

#include <QLineEdit>
#include <QValidator>

namespace v5 {

// A line edit of a fixed number of positions that the user types over, as the panel's installers
// know its fields: with every position filled and nothing selected, a typed character replaces the
// one at the cursor instead of being refused for want of room.
class TypedField : public QLineEdit {
    Q_OBJECT
public:
    TypedField(int positions, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int positions_;
};

// A validator whose rule lives in a model: `rule` may rewrite the text (as a keyboard layout's letter
// is read as the digit it stands for) and judges it; the last text it refused is kept, for the field's
// inputRejected() to say why.
class RuleValidator : public QValidator {
    Q_OBJECT
public:
    using Rule = std::function<State(QString& text, int cursor)>;
    RuleValidator(Rule rule, QObject* parent) : QValidator(parent), rule_(std::move(rule)) {}
    State validate(QString& text, int& cursor) const override;
    const QString& lastRefused() const { return refused_; }

private:
    Rule rule_;
    mutable QString refused_;
};

}  // namespace v5
