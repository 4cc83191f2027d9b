#pragma once

#include <array>

// What the comparison and the check of configurations say, in one place (UTF-8).
namespace v5::compare_text {

// Subsystem headings, in the order the lists follow.
inline constexpr std::array<const char*, 5> kSubsystem{"Модули в слотах", "Шлейфы и группы", "Ключи",
                                                       "Выходы и опции", "Прочее"};
// The same for scripts (JSON).
inline constexpr std::array<const char*, 5> kSubsystemId{"slots", "loops", "keys", "outputs", "other"};

inline constexpr char kArrow[] = " → ";
inline constexpr char kYes[] = "да";
inline constexpr char kNo[] = "нет";

// Slots.
inline constexpr char kSlot[] = "слот %d";
inline constexpr char kEmptySlot[] = "пусто";
inline constexpr char kUnknownModule[] = "неизвестный модуль (вид %d, номер %d)";

// Loops, with the captions and items of the loop pane.
inline constexpr char kLoop[] = "шлейф %d";
inline constexpr char kLoopSingular[] = "шлейф";
inline constexpr char kLoopPlural[] = "шлейфы";
inline constexpr char kLoopType[] = "тип";
inline constexpr std::array<const char*, 4> kLoopTypes{"охранный", "пожарный", "тревожный", "контрольный"};
inline constexpr char kLoopDisabled[] = "отключен";
inline constexpr char kReaction[] = "время реакции";
inline constexpr std::array<const char*, 4> kReactions{"60 мс", "250 мс", "500 мс", "1 с"};
inline constexpr char kDelay[] = "задержка";
inline constexpr std::array<const char*, 4> kDelays{"нет", "30 с", "60 с", "90 с"};
inline constexpr char kConfirmation[] = "подтверждение снятия";
inline constexpr std::array<const char*, 4> kConfirmations{"нет", "1 мин", "2 мин", "3 мин"};
inline constexpr char kSelection[] = "выделение сработки";
inline constexpr std::array<const char*, 3> kSelections{"нет", "1 извещатель", "2 извещателя"};
inline constexpr char kTriggerLimit[] = "лимит сработок";
inline constexpr char kSoundConfirmation[] = "подтверждение звуком взятия/снятия";
inline constexpr char kRoundTheClock[] = "круглосуточный";
inline constexpr char kVerification[] = "верификация";
inline constexpr char kPaired[] = "работа в паре";
inline constexpr char kTamperControl[] = "контроль тампера";
inline constexpr char kUnusedBits[] = "неиспользуемые биты";
inline constexpr char kBytes[] = "байты";

// Groups.
inline constexpr char kZona[] = "зона %d";
inline constexpr char kRazdel[] = "раздел %d";
inline constexpr char kPlace[] = "место проходной зоны %d";
inline constexpr char kPlaceLoops[] = "шлейфы проходной зоны";
inline constexpr char kPlaceFree[] = "свободно";
inline constexpr char kLinkedZones[] = "связанные зоны";
inline constexpr char kLinkedLoops[] = "связанные шлейфы";
inline constexpr char kNone[] = "нет";

// Keys.
inline constexpr char kKey[] = "ключ %.3d";
inline constexpr char kKeyAdded[] = "код %1, %2, номер для СПИ %3";
inline constexpr char kKeyRemoved[] = "код %1";
inline constexpr char kKeyCode[] = "код";
inline constexpr char kKeyAssignment[] = "назначение";
inline constexpr char kKeySpi[] = "номер для СПИ";
inline constexpr char kKeyCheckByte[] = "контрольный байт";
inline constexpr char kAssignZona[] = "зона %d";
inline constexpr char kAssignRazdel[] = "раздел %d";
inline constexpr char kAssignMonter[] = "монтер";
inline constexpr char kAssignGZ[] = "ГЗ";
inline constexpr char kAssignNone[] = "не назначен";
inline constexpr char kAssignUnknown[] = "неизвестно (0x%02X)";
inline constexpr char kFreeKeys[] = "свободные записи ключей";
inline constexpr char kFreeKeysChanged[] =
    "изменены остатки прежних ключей (назначение, номер для СПИ, контрольный байт): %d";

// Relays, indicators, communication modules.
inline constexpr char kRelay[] = "реле %d";
inline constexpr char kRelayMode[] = "режим";
inline constexpr char kRunTime[] = "время работы";
inline constexpr char kSeconds[] = "%d с";
inline constexpr char kNoLimit[] = "без ограничения";
inline constexpr char kRelayTamperGB5[] = "контроль тампера ГБ-5";  // mode byte bit 6
inline constexpr char kRelayTamperVT5[] = "контроль тампера ВТ-5";  // mode byte bit 7
inline constexpr char kIndicator[] = "%1 индикатор %2";
inline constexpr char kAddress[] = "адрес";
inline constexpr char kAddressFormat[] = "%.3d";

// Sounders, by record, with the pane's tab captions.
inline constexpr std::array<const char*, 4> kSounder{"ВЗО на ГБ-5", "ЗО на ВТ-5 (шлейфы 1-32)",
                                                     "ЗО на ВТ-5 (шлейфы 33-64)", "Реле СЗО"};
inline constexpr char kAtAlarm[] = "при тревоге";
inline constexpr char kAtFire[] = "при пожаре";
inline constexpr char kAtFault[] = "при неисправности";
inline constexpr std::array<const char*, 10> kDurations{"отключено", "1 сек.",         "5 сек.", "10 сек.",
                                                        "30 сек.",   "1 мин.",         "2 мин.", "3 мин.",
                                                        "4 мин.",    "без ограничения"};
inline constexpr char kOtherDuration[] = "%d сек.";
inline constexpr std::array<const char*, 5> kSounderOptions{
    "дублировать реле СЗО при тревоге", "дублировать реле СЗУ при пожаре",
    "дублировать реле СЗУ при неисправности", "тампер ГБ-5 как неисправность",
    "тампер ВТ-5 как неисправность"};

// Panel options, modules outside the rack, the rest.
inline constexpr char kOptions[] = "опции прибора";
inline constexpr std::array<const char*, 3> kOptionNames{
    "автовзятие шлейфов", "запрет программирования по шине", "работа только от внешнего источника 12В"};
inline constexpr char kExternalModules[] = "внешние модули";
inline constexpr char kAccessCode[] = "код доступа";
inline constexpr char kChanged[] = "изменен";
inline constexpr char kReserved[] = "служебная область";
inline constexpr char kReservedChanged[] = "изменено байт: %d, первый по адресу 0x%04X";
inline constexpr char kArchive[] = "архив событий";
inline constexpr char kArchivePointer[] = "позиция записи";
inline constexpr char kArchiveChanged[] = "изменено записей: %d";

// The check.
inline constexpr char kError[] = "ошибка";
inline constexpr char kWarning[] = "предупреждение";
inline constexpr char kErrorId[] = "error";
inline constexpr char kWarningId[] = "warning";
inline constexpr char kUnknownKind[] = "неизвестный вид модуля %d";
inline constexpr char kNumberOutOfRange[] = "номер модуля %d вне 1..%d для %s";
inline constexpr char kPlacedTwice[] = "стоит в нескольких слотах: %1";
inline constexpr char kNotPlacedData[] =
    "не установлен, но его данные есть (%1); следующая очистка их сотрет";
inline constexpr char kDataLoops[] = "параметры шлейфов";
inline constexpr char kDataZones[] = "зоны";
inline constexpr char kDataRazdels[] = "разделы";
inline constexpr char kDataRelays[] = "реле";
inline constexpr char kDataIndicators[] = "индикаторы";
inline constexpr char kDataSounders[] = "звуковые оповещатели";
inline constexpr char kDataLineModules[] = "модули связи";
inline constexpr char kDataEntry[] = "своя запись";
inline constexpr char kLoopInZones[] = "входит в несколько зон: %1";
inline constexpr char kRazdelOutsideZones[] = "не входят ни в одну зону: %1";
inline constexpr char kPlaceMatchesNoZona[] = "не совпадает ни с одной зоной";
inline constexpr char kPlaceLinkedOnly[] = "связанные шлейфы без проходной зоны";
inline constexpr char kKeys[] = "ключи %1";
inline constexpr char kSameCode[] = "одинаковый код %1";
inline constexpr char kSameCodeOtherUse[] = "одинаковый код %1 при разном назначении или номере для СПИ";
inline constexpr char kCheckByteWrong[] = "контрольный байт %1 не соответствует коду (нужен %2)";
inline constexpr char kNoSuchZona[] = "назначен зоне %d, которой нет";
inline constexpr char kNoSuchRazdel[] = "назначен разделу %d, которого нет";
inline constexpr char kUnknownAssignment[] = "неизвестное назначение 0x%02X";
inline constexpr char kSpiOutOfRange[] =
    "номер для СПИ %d вне 1..15; окно его не покажет, прибор может не передать";
// Assignment bytes 0x60..0x7F: group indices past the partitions, which the key list shows as
// "раздел 33".."раздел 64".
inline constexpr char kAssignedPlace[] =
    "назначение 0x%02X указывает на место проходной зоны %d, а не на зону или раздел "
    "(список ключей покажет \"раздел %d\")";
inline constexpr char kAssignedLinked[] =
    "назначение 0x%02X указывает на связанные зоны места %d, а не на зону или раздел "
    "(список ключей покажет \"раздел %d\")";
inline constexpr char kAssignedPastGroups[] =
    "назначение 0x%02X указывает за конец таблицы групп (список ключей покажет \"раздел %d\")";
inline constexpr char kAssignedEmptyPlace[] = "; это место свободно, следующая очистка снимет назначение";
inline constexpr char kFreeKeyWithData[] =
    "запись свободна (код 0), но назначение или номер для СПИ записаны";
inline constexpr char kPlaceSelfLinked[] = "проходная зона связана сама с собой (%1)";
inline constexpr char kPlaceLinkedToPlace[] =
    "связана с проходной зоной места %1 (%2); проходная зона не может быть связанной";
inline constexpr char kPlaces[] = "места проходной зоны %1";
inline constexpr char kPlaceRepeated[] = "хранят одну и ту же проходную зону (%1)";
inline constexpr char kAccessCodeNotDecimal[] =
    "%1 содержит не десятичную цифру: такой код нельзя ввести, и файл с ним потом не откроется";
inline constexpr char kLoopUnusedBits[] = "биты, которых не показывает ни одно поле: %1";
inline constexpr char kRelayModeBits[] = "биты 4-5 режима установлены (байт режима 0x%02X)";
inline constexpr char kRunTimeOffList[] = "время работы %d с не из списка; окно покажет ближайшее большее";
inline constexpr char kDurationOffList[] =
    "%s: длительность %d сек. не из списка; окно покажет ближайшую большую";
inline constexpr char kPlacedWithoutAddress[] =
    "установлен, но его адрес 255 (так отмечен модуль, которого нет)";
inline constexpr char kSharedLoopModule[] = "обслуживают %1 (ни у одного нет адреса 254)";
inline constexpr char kAddressRejected[] = "адрес %.3d вне допустимых значений (000-201, 241, 254, 255)";

}  // namespace v5::compare_text
