#pragma once

#include <cstdint>
#include <optional>

#include <QString>

namespace v5 {

// What an archive event is about, as the journal's filters group the panel's event codes.
enum class EventKind : std::uint8_t {
    Alarm,      // тревога
    Fault,      // неисправность
    Fire,       // пожар
    Arming,     // взятие
    Disarming,  // снятие
    Monter,     // монтер
    GZ,         // ГЗ
    Power,      // питание
    Housing,    // корпус
    Link,       // связь
    Settings,   // настройки
    Other,      // прочее
};
inline constexpr int kEventKindCount = 12;

// A set of kinds, bit k for kind k.
using EventKinds = std::uint16_t;
constexpr EventKinds kindBit(EventKind kind) {
    return static_cast<EventKinds>(1U << static_cast<unsigned>(kind));
}
inline constexpr EventKinds kAllEventKinds = static_cast<EventKinds>((1U << kEventKindCount) - 1);

EventKind eventKind(std::uint8_t code);
// "тревога", "неисправность", ... as the window's boxes and the CSV name them.
QString kindName(EventKind kind);
// A word that names a kind on the command line: the Russian name or its English one ("alarm",
// "fault", "fire", "arming", "disarming", "installer", "response", "power", "housing", "link",
// "settings", "other"), in any case.
std::optional<EventKind> kindFromWord(const QString& word);
// The English words in kind order, for the command line's help.
QString englishKindWords();

}  // namespace v5
