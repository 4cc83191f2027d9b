#pragma once

#include <QString>

// The texts of undo, redo and the status bar.
namespace v5::history_text {

inline QString EditMenu() { return QStringLiteral("Правка"); }
inline QString LastOperation() { return QStringLiteral("Последняя операция"); }
inline QString Undo() { return QStringLiteral("Отменить"); }
inline QString Redo() { return QStringLiteral("Повторить"); }
// "Отменить: шлейф 17: тип охранный → пожарный"
inline QString UndoStep(const QString& step) { return Undo() + QStringLiteral(": ") + step; }
inline QString RedoStep(const QString& step) { return Redo() + QStringLiteral(": ") + step; }
inline QString Undone(const QString& step) { return QStringLiteral("Отменено: ") + step; }
inline QString Redone(const QString& step) { return QStringLiteral("Повторено: ") + step; }
inline QString NothingToUndo() { return QStringLiteral("Отменять нечего"); }
inline QString NothingToRedo() { return QStringLiteral("Повторять нечего"); }

// The names of the steps that replace the whole image.
inline QString FileReadStep(const QString& fileName) { return QStringLiteral("чтение файла ") + fileName; }
inline QString BackupStep(const QString& fileName) {
    return QStringLiteral("восстановление из резервной копии ") + fileName;
}
inline QString PanelReadStep() { return QStringLiteral("чтение из прибора"); }
inline QString ChipReadStep() { return QStringLiteral("чтение с микросхемы"); }

// The status bar after an operation.
inline QString FileRead(const QString& path) { return QStringLiteral("Прочитано: ") + path; }
inline QString BackupRestored(const QString& path) { return QStringLiteral("Восстановлено из резервной копии: ") + path; }
inline QString FileWritten(const QString& path) { return QStringLiteral("Записано: ") + path; }
inline QString PanelRead() { return QStringLiteral("Прочитано из прибора"); }
inline QString ChipRead() { return QStringLiteral("Прочитано с микросхемы"); }
inline QString ChipWritten() { return QStringLiteral("Записано в микросхему"); }
inline QString ChipNotWritten() { return QStringLiteral("Запись в микросхему не выполнена"); }
inline QString NamesDamaged(const QString& path, const QString& problem) {
    return QStringLiteral("Файл названий %1 не прочитан: %2.\nНастройки прочитаны без названий; файл не будет "
                          "перезаписан без вопроса.")
        .arg(path, problem);
}
inline QString ReplaceDamagedNames(const QString& path) {
    return QStringLiteral("Файл названий %1 не был прочитан. Заменить его названиями из программы?").arg(path);
}
inline QString ReplaceNames() { return QStringLiteral("Заменить"); }
inline QString KeepNames() { return QStringLiteral("Оставить файл"); }
inline QString NamesKept() { return QStringLiteral("; файл названий оставлен как был"); }
inline QString NamesNotWritten(const QString& reason) { return QStringLiteral("; названия не записаны: ") + reason; }
inline QString NotWritten(const QString& reason) { return QStringLiteral("Не записано: ") + reason; }

}  // namespace v5::history_text
