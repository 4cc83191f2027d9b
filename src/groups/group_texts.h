#pragma once

#include <QString>

// The captions and messages of the loop, zone, partition and linked-zone panes, in one place.
namespace v5::groups_text {

inline QString LoopPaneTitle() {
    return QStringLiteral("Параметры шлейфа");
}
inline QString DuplicateTitle() {
    return QStringLiteral("Дублировать для шлейфов");
}
inline QString DuplicateOk() {
    return QStringLiteral("OK");
}
// rgDS1 of a fire loop; every other type shows the entry/exit delay.
inline QString FireDelayTitle() {
    return QStringLiteral("Задержка сигнала");
}

// The field beside the loop, zone, partition and relay panes for the installer's own name of the object.
inline QString NameCaption() {
    return QStringLiteral("Название");
}

inline QString ZonaTitle() {
    return QStringLiteral("Зоны");
}
inline QString CreateZona() {
    return QStringLiteral("Создать зону");
}
inline QString DeleteZona() {
    return QStringLiteral("Удалить зону");
}
// Followed directly by the number of the zone shown.
inline QString ZonaLoopsTitle() {
    return QStringLiteral("Шлейфы, входящие в зону ");
}

inline QString RazdelTitle() {
    return QStringLiteral("Раздел");
}
inline QString CreateRazdel() {
    return QStringLiteral("Создать раздел");
}
inline QString DeleteRazdel() {
    return QStringLiteral("Удалить раздел");
}
inline QString RazdelZonesTitle() {
    return QStringLiteral("Зоны, входящие в раздел");
}

inline QString LinkedPaneTitle() {
    return QStringLiteral("Зоны");
}
inline QString LinkedZonesTitle() {
    return QStringLiteral("Связанные зоны");
}
// List suffixes, ten characters each with the leading blank.
inline QString PassThroughSuffix() {
    return QStringLiteral(" проходная");
}
inline QString LinkedSuffix() {
    return QStringLiteral(" связанная");
}
inline QString PassThroughLimit() {
    return QStringLiteral("проходных зон не более восьми");
}

}  // namespace v5::groups_text
