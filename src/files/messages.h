#pragma once

#include <QString>

// The texts the user reads about files and the configuration, in one place.
namespace v5::msg {

inline QString ReadError() {
    return QStringLiteral("Ошибка чтения");
}
// The first line is the message itself; the second names the file and says why.
inline QString ReadFailure(const QString& path, const QString& reason) {
    return QStringLiteral("%1\n%2: %3").arg(ReadError(), path, reason);
}
inline QString WrongAccessCode() {
    return QStringLiteral("Не тот код доступа");
}
inline QString NoFileChosen() {
    return QStringLiteral("Файл не выбран");
}
inline QString ParameterTitle() {
    return QStringLiteral("Параметры");
}
inline QString SettingsFilter() {
    return QStringLiteral("Файл настройки Вистан-5(*.v5)|*.v5");
}
inline QString SettingsSuffix() {
    return QStringLiteral("v5");
}
inline QString WriteError(const QString& path, const QString& reason) {
    return QStringLiteral("Ошибка записи\n%1: %2").arg(path, reason);
}
inline QString SaveChanges() {
    return QStringLiteral("Сохранить изменения?");
}
inline QString NoTextEditor(const QString& path) {
    return QStringLiteral("Не удалось открыть текстовый редактор. Файл записан: %1").arg(path);
}
inline QString PortFileError(const QString& reason) {
    return QStringLiteral("Ошибка файла V5ivez.ini: %1").arg(reason);
}

}  // namespace v5::msg
