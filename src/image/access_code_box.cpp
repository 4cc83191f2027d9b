#include "access_code_box.h"

#include "desktop.h"
#include "settings_file.h"

namespace v5 {

void AccessCodeBox::onReset(bool) {
    if (!open_) return;
    const std::uint16_t value = untouched_ ? *untouched_ : FGetData();
    desktop().image().setWordLE(kAccessCodeOffset, value);
    open_ = false;
    untouched_.reset();
}

void AccessCodeBox::open(std::uint16_t value) {
    open_ = true;
    FSetData(value);
}

void AccessCodeBox::setText(const QString& text) {
    text_ = text.leftJustified(4, QLatin1Char(' '), true);
    untouched_.reset();
}

void AccessCodeBox::FSetData(std::uint16_t value) {
    text_ = QString::asprintf("%.4x", value);
    untouched_ = value;
}

std::uint16_t AccessCodeBox::FGetData() const {
    std::uint16_t value = 0;
    for (const QChar c : text_) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
        value = static_cast<std::uint16_t>(value * 16 + (c.unicode() - u'0'));
    }
    return value;
}

}  // namespace v5
