#pragma once

#include <array>

// What the site card says beside the values it shares with the comparison (compare_texts.h), UTF-8.
namespace v5::card_text {

inline constexpr char kTitle[] = "Карточка объекта";
inline constexpr char kDate[] = "Дата";
inline constexpr char kSettingsFile[] = "Файл настроек";
inline constexpr char kNoSettingsFile[] = "не записан на диск";
inline constexpr char kNone[] = "нет";

inline constexpr char kSite[] = "Объект";
inline constexpr std::array<const char*, 5> kSiteFields{"Название", "Адрес", "Заказчик", "Телефон",
                                                        "Примечания"};

inline constexpr char kModules[] = "Модули в слотах";
inline constexpr std::array<const char*, 2> kModuleColumns{"Слот", "Модуль"};

inline constexpr char kLoops[] = "Шлейфы";
inline constexpr std::array<const char*, 7> kLoopColumns{
    "Шлейф", "Название", "Тип", "Задержка", "Время реакции", "Подтверждение снятия", "Параметры"};
inline constexpr char kOneOf[] = "%1: %2";  // "выделение сработки: 1 извещатель"

inline constexpr char kZones[] = "Зоны";
inline constexpr std::array<const char*, 3> kZoneColumns{"Зона", "Название", "Шлейфы"};
inline constexpr char kPartitions[] = "Разделы";
inline constexpr std::array<const char*, 4> kPartitionColumns{"Раздел", "Название", "Зоны", "Шлейфы"};

inline constexpr char kKeys[] = "Ключи";
inline constexpr std::array<const char*, 6> kKeyColumns{"Ключ",       "Код",           "Владелец",
                                                        "Назначение", "Номер для СПИ", "Примечание"};
inline constexpr char kKeyNumber[] = "%.3d";
inline constexpr char kNamedGroup[] = "%1 (%2)";  // "зона 3 (склад)"

inline constexpr char kRelays[] = "Реле";
inline constexpr std::array<const char*, 6> kRelayColumns{"Реле",         "Название",  "Режим",
                                                          "Время работы", "Параметры", "Шлейфы"};
inline constexpr char kIndicators[] = "Индикаторы";
inline constexpr std::array<const char*, 2> kIndicatorColumns{"Индикатор", "Шлейфы"};
inline constexpr char kLineModules[] = "Модули связи";
inline constexpr std::array<const char*, 3> kLineColumns{"Модуль", "Адрес", "Обслуживает"};
inline constexpr char kSounders[] = "Звуковые оповещатели";
inline constexpr std::array<const char*, 6> kSounderColumns{"Оповещатель",       "При тревоге", "При пожаре",
                                                            "При неисправности", "Опции",       "Шлейфы"};
inline constexpr char kPanel[] = "Прибор";

}  // namespace v5::card_text
