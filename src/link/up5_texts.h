#pragma once

#include <QString>

// What the input module's progress window says, in one place.
namespace v5::up5 {

inline QString Caption() {
    return QStringLiteral("Модуль ввода УП-5");
}
inline QString CancelButton() {
    return QStringLiteral("Cancel");
}
inline QString OkButton() {
    return QStringLiteral("OK");
}

// The trailing blanks belong to the texts.
inline QString PortOpenError() {
    return QStringLiteral("Ошибка открытия порта ");
}
// The message above with a second line: which port, and why it did not open.
inline QString PortOpenFailure(const QString& port, const QString& reason) {
    if (port.isEmpty()) return PortOpenError() + QStringLiteral("\nпорт не выбран");
    return PortOpenError() + QStringLiteral("\nпорт %1: %2")
                                 .arg(port, reason.isEmpty() ? QStringLiteral("не открылся") : reason);
}
inline QString NotConnected() {
    return QStringLiteral("УП - 5 не подключен ");
}

inline QString ReadChip() {
    return QStringLiteral("чтение 24c256");
}
inline QString ReadChipDone() {
    return QStringLiteral("чтение 24c256 - успешно");
}
inline QString ReadChipError() {
    return QStringLiteral("чтение 24c256 - ошибка");
}

inline QString WriteChip() {
    return QStringLiteral("запись 24c256");
}
inline QString WriteChipWriting() {
    return QStringLiteral("запись 24c256 - запись");
}
inline QString WriteChipChecking() {
    return QStringLiteral("запись 24c256 - проверка");
}
inline QString WriteChipDone() {
    return QStringLiteral("запись 24c256 - успешно");
}
inline QString WriteChipError() {
    return QStringLiteral("запись 24c256 - ошибка");
}

inline QString ReadPanel() {
    return QStringLiteral("чтение прошивки Вистан-5");
}
inline QString ReadPanelDone() {
    return QStringLiteral("чтение прошивки Вистан-5 - успешно");
}
inline QString ReadPanelError() {
    return QStringLiteral("чтение прошивки Вистан-5 - ошибка");
}

inline QString WritePanelWaiting() {
    return QStringLiteral("запись прошивки Вистан-5 - ожидание готовности");
}
inline QString WritePanelWriting() {
    return QStringLiteral("запись прошивки Вистан-5 - запись");
}
inline QString WritePanelDone() {
    return QStringLiteral("запись прошивки Вистан-5 - успешно");
}
inline QString WritePanelError() {
    return QStringLiteral("запись прошивки Вистан-5 - ошибка");
}

// A panel write with its backup before and its check after: the step prefixes of the labels and
// the lines of the one final message.
inline QString BackupStep() {
    return QStringLiteral("резервная копия: ");
}
inline QString VerifyStep() {
    return QStringLiteral("проверка записи: ");
}
inline QString BackupSaved(const QString& path) {
    return QStringLiteral("резервная копия: %1").arg(path);
}
inline QString WritePanelCancelled() {
    return QStringLiteral("запись прошивки Вистан-5 - отменена");
}
inline QString PartialWrite(int sent, int blocks) {
    return QStringLiteral("запись прервана после %1 блоков из %2: в приборе может быть неполная конфигурация")
        .arg(sent)
        .arg(blocks);
}
inline QString RestoreHint() {
    return QStringLiteral(
        "прежнюю конфигурацию прибора можно вернуть: «Восстановить из резервной копии…», затем «Записать в "
        "прибор»");
}
inline QString NoBackupToRestore() {
    return QStringLiteral("резервная копия перед записью не делалась");
}
inline QString BackupNotRead() {
    return QStringLiteral("запись не начата: прибор не прочитан для резервной копии");
}
inline QString BackupNotSaved(const QString& reason) {
    return QStringLiteral("запись не начата: резервная копия не сохранена (%1)").arg(reason);
}
inline QString VerifyDone() {
    return QStringLiteral("проверка записи - успешно");
}
inline QString VerifyNotRead() {
    return QStringLiteral("проверка записи - ошибка: прибор не прочитан после записи");
}
inline QString VerifyFailed() {
    return QStringLiteral("проверка записи - ошибка, в приборе не то, что записано (записано → в приборе):");
}
inline QString MoreDifferences(qsizetype count) {
    return QStringLiteral("... и ещё %1").arg(count);
}

inline QString ConsolePrompt() {
    return QStringLiteral("На КН-4 нажмите RST, введите код пульта, F9 ВВОД");
}
inline QString ConsoleMissing() {
    return QStringLiteral("пульт не подключен");
}
inline QString ConsoleDone() {
    return QStringLiteral("чтение ключей из КН-4 - успешно");
}

}  // namespace v5::up5
