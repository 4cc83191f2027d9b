#include "access_code_view.h"

#include <algorithm>

#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>

#include "access_code_box.h"

namespace v5 {

namespace {
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

Ttemp_meKD::Ttemp_meKD(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("Ttemp_meKD"));
    setGeometry(8, 16, 81, 45);
    setInputMask(QStringLiteral("9999;_"));
    setMaxLength(4);
    // Large digits, as the panel's installers know the box, but all four of them in sight (and the
    // cursor after them) whatever the system's font: the widest digits decide.
    QFont big = font();
    for (int pixels = 32; pixels > 8; --pixels) {
        big.setPixelSize(pixels);
        const QFontMetrics metrics(big);
        int widest = 0;
        for (char digit = '0'; digit <= '9'; ++digit)
            widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
        setFont(big);
        if (4 * widest + 1 <= textRoom(*this)) break;
    }
    setBackgroundRole(QPalette::Button);
}

QString Ttemp_meKD::digits() const {
    return displayText().replace(QLatin1Char('_'), QLatin1Char(' ')).leftJustified(4, QLatin1Char(' '), true);
}

Ttemp_gbKD::Ttemp_gbKD(AccessCodeBox& model, QWidget* parent)
    : QGroupBox(QStringLiteral("Код доступа"), parent), model_(model), edit_(new Ttemp_meKD(this)) {
    setObjectName(QStringLiteral("Ttemp_gbKD"));
    setGeometry(0, 12, 97, 69);
    connect(edit_, &QLineEdit::textEdited, this, [this] { model_.setText(edit_->digits()); });
    render();
    edit_->selectAll();
}

void Ttemp_gbKD::render() {
    if (edit_->digits() == model_.text()) return;
    const QSignalBlocker block(edit_);
    edit_->setText(model_.text());
}

}  // namespace v5
