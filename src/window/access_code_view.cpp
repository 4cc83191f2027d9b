#include "window/access_code_view.h"

#include <algorithm>

#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>

#include "desktop/access_code_box.h"

namespace v5 {

namespace {
constexpr int kDigits = 4;

// The room a line edit leaves for its text: its frame and the edit's own margin of 2 pixels a side.
int textRoom(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins margins = edit.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2;
}
}  // namespace

Ttemp_meKD::Ttemp_meKD(QWidget* parent) : TypedField(kDigits, parent) {
    setObjectName(QStringLiteral("Ttemp_meKD"));
    setAccessibleName(QStringLiteral("Код доступа"));
    setGeometry(8, 16, 81, 45);
    setValidator(new RuleValidator(
        [](QString& text, int) {
            if (!AccessCodeBox::couldBeCode(text)) return QValidator::Invalid;
            return AccessCodeBox::isCode(text) ? QValidator::Acceptable : QValidator::Intermediate;
        },
        this));
    // Large digits, as the panel's installers know the box, but all four of them in sight (and the
    // cursor after them) whatever the system's font: the widest digits decide, the hexadecimal ones of a
    // stored code that cannot be typed too.
    QFont big = font();
    for (int pixels = 32; pixels > 8; --pixels) {
        big.setPixelSize(pixels);
        const QFontMetrics metrics(big);
        int widest = 0;
        for (const char digit :
             {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'})
            widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
        setFont(big);
        if (4 * widest + 1 <= textRoom(*this)) break;
    }
    setBackgroundRole(QPalette::Button);
}

Ttemp_gbKD::Ttemp_gbKD(AccessCodeBox& model, QWidget* parent)
    : PaneView(model.objectName(), QStringLiteral("Код доступа"), parent),
      model_(model),
      edit_(new Ttemp_meKD(this)) {
    setGeometry(0, 12, 97, 69);
    connect(edit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { forward([this, text] { model_.setText(text); }); });
    render();
    edit_->selectAll();
}

void Ttemp_gbKD::render() {
    setToolTip(model_.note());
    if (edit_->text() == model_.text()) return;
    const QSignalBlocker block(edit_);
    edit_->setText(model_.text());
}

}  // namespace v5
