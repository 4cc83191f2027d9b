#include "journal/event_kind.h"

#include <array>

#include <QStringList>

namespace v5 {

namespace {

// The event codes of each kind, as ranges; a code in no range is "прочее", and so is every code the
// archive has no text for.
struct CodeRange {
    std::uint8_t first;
    std::uint8_t last;
    EventKind kind;
};
constexpr CodeRange kCodeKinds[] = {
    {0x00, 0x00, EventKind::Power},      // разряд АКБ
    {0x02, 0x06, EventKind::Fault},      // неисправность: тампер, тест, обрыв, КЗ, невзятие
    {0x08, 0x08, EventKind::Fault},      // неисправность-норма
    {0x0A, 0x0A, EventKind::Fault},      // авария СЗУ
    {0x0D, 0x0D, EventKind::Fire},       // внимание-пожар
    {0x10, 0x1F, EventKind::Arming},     // взятие ключом
    {0x30, 0x3F, EventKind::Disarming},  // снятие ключом
    {0x50, 0x5F, EventKind::Monter},     // монтер
    {0x60, 0x62, EventKind::Alarm},      // тревога: КЗ, обрыв, сработка
    {0x64, 0x64, EventKind::Alarm},      // тревога-чужой
    {0x66, 0x66, EventKind::Alarm},      // тревога-тампер
    {0x68, 0x68, EventKind::Alarm},      // тревога-норма
    {0x70, 0x70, EventKind::Alarm},      // ЭВ - тревожная кнопка
    {0x71, 0x71, EventKind::Fire},       // ЭВ - пожар
    {0x73, 0x73, EventKind::Alarm},      // ЭВ - принуждение
    {0x80, 0x80, EventKind::Power},      // прибор будет отключаться
    {0x83, 0x83, EventKind::Power},      // включение
    {0xA0, 0xAF, EventKind::GZ},         // ГЗ
    {0xB0, 0xB0, EventKind::Power},      // восстановление АКБ
    {0xB1, 0xB2, EventKind::Housing},    // закрытие и вскрытие корпуса
    {0xB3, 0xB4, EventKind::Power},      // нет сети 220в, восстановление 220в
    {0xB5, 0xB6, EventKind::Settings},   // изменено время, изменены настройки
    {0xB7, 0xB7, EventKind::GZ},         // нет подтверждения ГЗ
    {0xB8, 0xB9, EventKind::Settings},   // чтение настроек, изменение даты
    {0xC0, 0xCF, EventKind::Link},       // обрыв и восстановление связи
};

struct KindWords {
    const char16_t* russian;
    const char* english;
};
constexpr std::array<KindWords, kEventKindCount> kWords{{
    {u"тревога", "alarm"},
    {u"неисправность", "fault"},
    {u"пожар", "fire"},
    {u"взятие", "arming"},
    {u"снятие", "disarming"},
    {u"монтер", "installer"},
    {u"ГЗ", "response"},
    {u"питание", "power"},
    {u"корпус", "housing"},
    {u"связь", "link"},
    {u"настройки", "settings"},
    {u"прочее", "other"},
}};

}  // namespace

EventKind eventKind(std::uint8_t code) {
    for (const CodeRange& range : kCodeKinds)
        if (code >= range.first && code <= range.last) return range.kind;
    return EventKind::Other;
}

QString kindName(EventKind kind) {
    return QString::fromUtf16(kWords.at(static_cast<std::size_t>(kind)).russian);
}

std::optional<EventKind> kindFromWord(const QString& word) {
    const QString wanted = word.trimmed();
    for (std::size_t k = 0; k < kWords.size(); ++k) {
        if (wanted.compare(QString::fromUtf16(kWords[k].russian), Qt::CaseInsensitive) == 0 ||
            wanted.compare(QLatin1StringView(kWords[k].english), Qt::CaseInsensitive) == 0)
            return static_cast<EventKind>(k);
    }
    return std::nullopt;
}

QString englishKindWords() {
    QStringList words;
    for (const KindWords& w : kWords)
        words << QString::fromLatin1(w.english);
    return words.join(QStringLiteral(", "));
}

}  // namespace v5
