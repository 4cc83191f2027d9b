#include "desktop/access_code_box.h"

#include <algorithm>

#include "image/records.h"
#include "desktop/desktop.h"
#include "files/settings_file.h"

namespace v5 {

namespace {
constexpr qsizetype kDigits = 4;

QString shown(std::uint16_t value) {
    return QString::asprintf("%.4x", value);
}
}  // namespace

bool AccessCodeBox::couldBeCode(const QString& text) {
    return text.size() <= kDigits && std::all_of(text.begin(), text.end(), [](QChar c) {
               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
           });
}

bool AccessCodeBox::isCode(const QString& text) {
    return text.size() == kDigits && couldBeCode(text);
}

void AccessCodeBox::onReset(bool) {
    if (!open_) return;
    open_ = false;
    const bool typed = !untouched_;
    untouched_.reset();
    if (!typed) return;  // the stored code stays as it is, typable or not
    if (isCode(text_)) {
        config::AccessCode{FGetData()}.encode(desktop().image());
        return;
    }
    const QString typedPart = text_.trimmed().isEmpty() ? QStringLiteral("не набрано ни одной")
                                                        : QStringLiteral("набрано «%1»").arg(text_.trimmed());
    desktop().prompts().message(QStringLiteral("Код доступа не изменён: в нём четыре цифры, а %1. Остался "
                                               "прежний код %2.")
                                    .arg(typedPart, shown(config::AccessCode::decode(desktop().image()).word)));
}

void AccessCodeBox::open(std::uint16_t value) {
    open_ = true;
    FSetData(value);
}

void AccessCodeBox::setText(const QString& text) {
    text_ = text;
    untouched_.reset();
}

QString AccessCodeBox::note() const {
    if (!untouched_ || isCode(text_)) return {};
    return QStringLiteral("Код %1 не набрать цифрами; он останется, пока не набран другой.").arg(text_);
}

void AccessCodeBox::FSetData(std::uint16_t value) {
    text_ = shown(value);
    untouched_ = value;
}

std::uint16_t AccessCodeBox::FGetData() const {
    if (!isCode(text_)) return 0;
    std::uint16_t value = 0;
    for (const QChar c : text_)
        value = static_cast<std::uint16_t>(value * 16 + (c.unicode() - u'0'));
    return value;
}

}  // namespace v5
