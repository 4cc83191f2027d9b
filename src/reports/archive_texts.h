#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Every text of "arj.txt", blanks included. Formats take printf-style arguments (UTF-8).
namespace v5::archive_text {

inline constexpr char kLastRecord[] = "Последняя запись - %d";
inline constexpr char kPowerOnRuleChar = '=';
inline constexpr int kPowerOnRuleWidth = 96;

// Head of a key event: " 0042 Ключ: 000513  Время: 012:034:056" (record, key number, time); of any
// other event: " 0042 Дата: 031/012 Время: 012:034:056" (record, date bytes 1 and 0, time). The record
// has at least four digits, the key six, every byte three.
inline constexpr std::u16string_view kKeyWord = u" Ключ: ";
inline constexpr std::u16string_view kKeyTime = u"  Время: ";
inline constexpr std::u16string_view kDateWord = u" Дата: ";
inline constexpr std::u16string_view kDateTime = u" Время: ";

struct EventText {
    std::uint8_t code;
    std::u16string_view text;
};
// Each text is 30 characters wide, so the columns after it line up.
inline constexpr std::array<EventText, 30> kEventTexts{{
    {0x00, u" разряд АКБ                   "}, {0x02, u" неисправность-тампер         "},
    {0x03, u" неисправность-тест не прошел "}, {0x04, u" неисправность-обрыв          "},
    {0x05, u" неисправность-КЗ             "}, {0x06, u" неисправность-невзятие       "},
    {0x08, u" неисправность-норма          "}, {0x0A, u" авария СЗУ                   "},
    {0x0D, u" внимание-пожар               "}, {0x60, u" тревога-КЗ                   "},
    {0x61, u" тревога-обрыв                "}, {0x62, u" тревога-сработка             "},
    {0x64, u" тревога-чужой                "}, {0x66, u" тревога-тампер               "},
    {0x68, u" тревога-норма                "}, {0x70, u" ЭВ - тревожная кнопка        "},
    {0x71, u" ЭВ - пожар                   "}, {0x73, u" ЭВ - принуждение             "},
    {0x80, u" прибор будет отключаться     "}, {0x83, u" включение                    "},
    {0xB0, u" восстановление АКБ           "}, {0xB1, u" закрытие корпуса             "},
    {0xB2, u" вскрытие корпуса             "}, {0xB3, u" нет сети 220в                "},
    {0xB4, u" восстановление 220в          "}, {0xB5, u" изменено время               "},
    {0xB6, u" изменены настройки           "}, {0xB7, u" нет подтверждения ГЗ         "},
    {0xB8, u" чтение   настроек            "}, {0xB9, u" изменение даты               "},
}};
inline constexpr int kEventTextWidth = 30;
constexpr bool allEventTextsHaveTheirWidth() {
    for (const EventText& e : kEventTexts)
        if (e.text.size() != kEventTextWidth) return false;
    return true;
}
static_assert(allEventTextsHaveTheirWidth());

inline constexpr std::uint8_t kPowerOnCode = 0x83;  // a rule of "=" goes before its line
inline constexpr std::uint8_t kNeverWrittenCode = 0xFF;
inline constexpr char kUnknownCode[] = " %2X";
// Code 0x03 names the slot whose module failed its test instead of listing loops.
inline constexpr std::u16string_view kFailedTestMark = u"не прошел";
inline constexpr char kFailedTestSlot[] = "слот %d,";
inline constexpr char kLoops[] = "Шлейфы:";

// Codes whose low bits are a number: the suffix for each group of sixteen or eight codes.
inline constexpr char kKeySuffix[] = "%s %.2d                    ";
inline constexpr char kArming[] = " взятие";                                  // 0x10..0x1F
inline constexpr char kDisarming[] = " снятие";                               // 0x30..0x3F
inline constexpr char kMonter[] = " монтер";                                  // 0x50..0x5F
inline constexpr char kGZ[] = "   ГЗ  ";                                      // 0xA0..0xAF
inline constexpr char kLinkLost[] = " Обрыв связи по %.1d группе      ";      // 0xC0..0xC7
inline constexpr char kLinkRestored[] = " Вост. связи по %.1d группе      ";  // 0xC8..0xCF

}  // namespace v5::archive_text
