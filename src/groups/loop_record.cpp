#include "groups/loop_record.h"

#include "image/configuration.h"
#include "groups/group_texts.h"

namespace v5 {

namespace {

// Type codes in bits 5-4 of byte 1, by rgTS1 item; a disabled loop stores 00 and sets byte 2 bit 5.
constexpr std::array<config::LoopTypeCode, 5> kTypeCodes{
    config::LoopTypeCode::Pozharnyi, config::LoopTypeCode::Okhrannyi, config::LoopTypeCode::Trevozhnyi,
    config::LoopTypeCode::Kontrolnyi, config::LoopTypeCode::Okhrannyi};
constexpr std::array<LoopTypeItem, 4> kTypeOfCode{LoopTypeItem::Guard, LoopTypeItem::Fire, LoopTypeItem::Alarm,
                                              LoopTypeItem::Control};

}  // namespace

// The fields as the configuration model reads them, in the pane's terms.
LoopValues decodeLoop(const LoopRecord& loop) {
    LoopValues v;
    v.type = loop.disabled() ? LoopTypeItem::Off : kTypeOfCode.at(static_cast<std::size_t>(loop.type()));
    v[LoopControl::Reaction] = loop.reactionCode();
    v[LoopControl::Delay] = loop.delayCode();
    v[LoopControl::Confirmation] = loop.confirmationCode();
    v[LoopControl::Limit] = loop.triggerLimit();
    v[LoopControl::Sound] = loop.soundConfirmation();
    v[LoopControl::Round] = loop.roundTheClock();
    v[LoopControl::Verification] = loop.verification();
    v[LoopControl::Tamper] = loop.tamperControl();
    v[LoopControl::Paired] = loop.paired();
    v[LoopControl::Selection] = static_cast<int>(loop.triggerSelection());
    return v;
}

LoopRecord encodeLoop(const LoopValues& v) {
    LoopRecord r{};
    r.setReactionCode(v[LoopControl::Reaction]);
    r.setDelayCode(v[LoopControl::Delay]);
    r.setConfirmationCode(v[LoopControl::Confirmation]);
    r.setTriggerLimit(v[LoopControl::Limit]);
    r.setSoundConfirmation(v[LoopControl::Sound]);
    r.setType(kTypeCodes.at(static_cast<std::size_t>(v.type)));
    r.setRoundTheClock(v[LoopControl::Round]);
    r.setOneDetector(v[LoopControl::Selection] == 1);
    r.setVerification(v[LoopControl::Verification]);
    r.setTamperControl(v[LoopControl::Tamper]);
    r.setTwoDetectors(v[LoopControl::Selection] == 2);
    r.setPaired(v[LoopControl::Paired]);
    r.setDisabled(v.type == LoopTypeItem::Off);
    return r;
}

namespace {

using Rules = std::array<LoopControlRule, kLoopControlCount>;
constexpr LoopControlRule on(int value) {
    return {true, value};
}
constexpr LoopControlRule off(int value) {
    return {false, value};
}
constexpr int K = kKept;

// Rows in the order of LoopControl: Delay, Reaction, Confirmation, Selection, Limit, Round,
// Verification, Paired, Tamper, Sound, Szu. Columns: fire, guard and alarm, control, disabled.
constexpr std::array<Rules, 4> kChoice{{
    {on(0), on(1), off(0), on(0), on(0), off(1), on(0), on(0), off(0), off(0), off(0)},
    {on(0), on(0), on(0), off(0), on(0), on(0), off(0), off(0), on(0), on(0), off(0)},
    {off(0), on(0), off(0), off(0), on(0), off(1), off(0), off(0), off(0), off(0), off(1)},
    {off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0)},
}};
constexpr std::array<Rules, 4> kShow{{
    {on(K), on(K), off(0), on(K), on(K), off(1), on(K), on(K), off(0), off(0), off(0)},
    {on(K), on(K), on(K), off(0), on(K), on(K), off(0), off(0), on(K), on(K), off(0)},
    {off(0), on(K), off(0), off(0), on(K), off(1), off(0), off(0), off(0), off(0), off(0)},
    {off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0), off(0)},
}};

std::size_t column(LoopTypeItem type) {
    switch (type) {
        case LoopTypeItem::Fire:
            return 0;
        case LoopTypeItem::Guard:
        case LoopTypeItem::Alarm:
            return 1;
        case LoopTypeItem::Control:
            return 2;
        case LoopTypeItem::Off:
            break;
    }
    return 3;
}

}  // namespace

const Rules& typeRule(TypeRuleMode mode, LoopTypeItem type) {
    return (mode == TypeRuleMode::Choice ? kChoice : kShow).at(column(type));
}

namespace {
struct ControlText {
    const char* name;
    const char16_t* caption;
    std::initializer_list<const char16_t*> items;
};
const ControlText& text(LoopControl c) {
    static const ControlText kTexts[kLoopControlCount] = {
        {"rgDS1", u"Задержка на вход/выход", {u" нет", u"30 с", u"60 с ", u"90 с"}},
        {"rgVR1", u"Время реакции", {u"  60  мс", u"250  мс", u"500  мс", u"     1 с"}},
        {"rgPS1", u"Подтверждение снятия", {u"нет", u"1 мин", u"2 мин", u"3 мин"}},
        {"rgVS1", u"Выделение сработки", {u"нет", u"1 извещатель", u"2 извещателя"}},
        {"cbLS1", u"Лимит сработок", {}},
        {"cbK1", u"Круглосуточный", {}},
        {"cbV1", u"Верификация", {}},
        {"cbP1", u"Шлейф работает в паре", {}},
        {"cbT1", u"Контроль тампера", {}},
        {"cbPZ1", u"Подтверждение звуком взятия\\снятия", {}},
        {"cbSZU", u"Контроль СЗУ", {}},
    };
    return kTexts[static_cast<int>(c)];
}
}  // namespace

QString loopControlName(LoopControl control) {
    return QString::fromLatin1(text(control).name);
}
QString loopControlCaption(LoopControl control) {
    return QString::fromUtf16(text(control).caption);
}
QStringList loopControlItems(LoopControl control) {
    QStringList items;
    for (const char16_t* item : text(control).items)
        items << QString::fromUtf16(item);
    return items;
}
QStringList loopTypeItems() {
    return {QStringLiteral("пожарный"), QStringLiteral("охранный"), QStringLiteral("тревожный"),
            QStringLiteral("контрольный"), QStringLiteral("отключен")};
}
QString loopTypeCaption() {
    return QStringLiteral("Тип шлейфа");
}
QString delayCaption(LoopTypeItem type) {
    return type == LoopTypeItem::Fire ? groups_text::FireDelayTitle() : loopControlCaption(LoopControl::Delay);
}

}  // namespace v5
