#pragma once

#include <QString>

// What the window says around comparing, checking, backing up and restoring, in one place.
namespace v5::safety_text {

inline QString CompareFileItem() {
    return QStringLiteral("Сравнить с файлом…");
}
inline QString CompareDeviceItem() {
    return QStringLiteral("Сравнить с прибором");
}
inline QString RestoreItem() {
    return QStringLiteral("Восстановить из резервной копии…");
}
inline QString CompareFileTitle() {
    return QStringLiteral("Сравнение с файлом");
}
inline QString CompareDeviceTitle() {
    return QStringLiteral("Сравнение с прибором");
}
// Which side is which: the values in the program come first.
inline QString CompareFileSummary(const QString& path) {
    return QStringLiteral("Настройка в программе → файл %1").arg(path);
}
inline QString CompareDeviceSummary() {
    return QStringLiteral("Настройка в программе → прибор (область настройки 0x0000-0x2FFF)");
}
inline QString NoDifferences() {
    return QStringLiteral("Отличий нет");
}
inline QString SaveList() {
    return QStringLiteral("Сохранить как текст…");
}
inline QString Close() {
    return QStringLiteral("Закрыть");
}
inline QString TextFilter() {
    return QStringLiteral("Текст (*.txt)|*.txt");
}
inline QString CheckTitle() {
    return QStringLiteral("Проверка настройки");
}
inline QString CheckFoundErrors() {
    return QStringLiteral("Проверка настройки нашла ошибки:");
}
inline QString MoreProblems(qsizetype count) {
    return QStringLiteral("... и ещё %1").arg(count);
}
// The warnings of the check before a write, counted in one line of the question.
inline QString WarningCount(qsizetype count) {
    return QStringLiteral("Предупреждений: %1 (см. «Подробнее»)").arg(count);
}
inline QString Details() {
    return QStringLiteral("Подробнее");
}
inline QString WriteAnyway() {
    return QStringLiteral("Записать всё равно?");
}
inline QString Write() {
    return QStringLiteral("Записать");
}
inline QString DoNotWrite() {
    return QStringLiteral("Не записывать");
}
}  // namespace v5::safety_text
