#pragma once

#include <QString>

// What the key panes say, in one place. The blanks belong to the texts.
namespace v5::keytext {

// The key card gbSKey.
inline QString Card() {
    return QStringLiteral("Ключ");
}
inline QString Added() {
    return QStringLiteral("Ключ добавлен");
}
inline QString AlreadyStored() {
    return QStringLiteral("Ключ уже есть в памяти");
}
inline QString Wait() {
    return QStringLiteral("Введите ключ");
}
inline QString NoRoom() {
    return QStringLiteral("нет места");
}
inline QString ZoneLineInitial() {
    return QStringLiteral("Зона\\Раздел");
}
inline QString Unassigned() {
    return QStringLiteral("зона не назначена");
}
inline QString Zona() {
    return QStringLiteral("Зона: ");
}
inline QString RazdelShown() {
    return QStringLiteral("раздел: ");
}
inline QString RazdelPicked() {
    return QStringLiteral("Раздел: ");
}
inline QString Unknown() {
    return QStringLiteral("неизвестно");
}
inline QString TarniaShown() {
    return QStringLiteral("Номер для СПИ: ");
}
inline QString TarniaPicked() {
    return QStringLiteral("номер для СПИ: ");
}
inline QString Number() {
    return QStringLiteral("порядковый номер: ");
}
inline QString UserType() {
    return QStringLiteral("Пользователь");
}
inline QString UserTypeItem(int item) {
    static const char16_t* const kItems[] = {u"Хозяин", u"Монтер", u"ГЗ"};
    return QString::fromUtf16(kItems[item]);
}
inline QString Again() {
    return QStringLiteral("Добавить");
}
// The key's owner and a note, kept beside the settings file, not in the panel.
inline QString Owner() {
    return QStringLiteral("Владелец");
}
inline QString Note() {
    return QStringLiteral("Примечание");
}
inline QString Delete() {
    return QStringLiteral("Удалить");
}
inline QString Next() {
    return QStringLiteral("Следующий");
}
inline QString ZonePicker() {
    return QStringLiteral("Доступные зоны и разделы");
}
inline QString ZoneItem() {
    return QStringLiteral("Зона: %1");
}
inline QString RazdelItem() {
    return QStringLiteral("Раздел: %1");
}
inline QString TarniaPicker() {
    return QStringLiteral("Номер для СПИ");
}

// The key list gbKey.
inline QString List() {
    return QStringLiteral("Ключи");
}
inline QString ByNumber() {
    return QStringLiteral("Отсортировать по номеру");
}
inline QString ByZona() {
    return QStringLiteral("Отсортировать по зоне");
}
inline QString Unused() {
    return QStringLiteral("Неиспользованные");
}
inline QString NumberColumn() {
    return QStringLiteral("Порядковый\nномер ключа\nв приборе");
}
inline QString CodeColumn() {
    return QStringLiteral("Код ключа");
}
inline QString AssignmentColumn() {
    return QStringLiteral("Назначение");
}
inline QString TarniaColumn() {
    return QStringLiteral("Номер ключа \nдля СПИ ");
}

// "Переписать из пульта ввода" over keys it did not write.
inline QString ReplaceOwnKeys() {
    return QStringLiteral(
        "Копия из пульта ввода пишет ключи 961–972 и 976–987. Сейчас там есть ключи, "
        "которые не переписаны из пульта, — копия их заменит:\n\n%1\n\n"
        "Заменить их ключами пульта?");
}
inline QString Replace() {
    return QStringLiteral("Заменить");
}
inline QString Keep() {
    return QStringLiteral("Оставить");
}

// The key-code dialog TKeyForm.
inline QString CodeForm() {
    return QStringLiteral("Код доступа");
}
inline QString Ok() {
    return QStringLiteral("Ok");
}
inline QString Cancel() {
    return QStringLiteral("Отмена");
}
inline QString CodeHint() {
    return QStringLiteral(
        "Наберите код ключа, как его показывает список ключей: двенадцать "
        "шестнадцатеричных цифр, 0–9 и A–F.");
}
inline QString InitialCode() {
    return QStringLiteral("000000000000");
}
inline QString ZeroCode() {
    return QStringLiteral("Код 000000000000 не может быть кодом ключа");
}

}  // namespace v5::keytext
