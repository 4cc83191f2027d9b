#pragma once

#include <array>
#include <cstdint>

#include "image/configuration.h"

// Every text of "report.txt", blanks included. Formats take printf-style arguments (UTF-8).
namespace v5::report_text {

inline constexpr char kSeparatorChar = '-';
inline constexpr int kSeparatorWidth = 89;

// Keys: record index, code bytes 5..0, then the zone or partition and the monitoring number.
inline constexpr char kNoKeys[] = " Ключей   нет";
inline constexpr char kKeyCount[] = " Ключи - %d ";
inline constexpr char kKeyZona[] = " %.3d Код:%.2X%.2X%.2X%.2X%.2X%.2X Зона   %.3d Номер:%.3d ";
inline constexpr char kKeyRazdel[] = " %.3d Код:%.2X%.2X%.2X%.2X%.2X%.2X Раздел %.3d Номер:%.3d ";
inline constexpr char kKeyMonter[] = " %.3d Код:%.2X%.2X%.2X%.2X%.2X%.2X Монтер     Номер:%.3d ";
inline constexpr char kKeyGZ[] = " %.3d Код:%.2X%.2X%.2X%.2X%.2X%.2X ГЗ         Номер:%.3d ";
inline constexpr char kKeyUnassigned[] = " %.3d Код:%.2X%.2X%.2X%.2X%.2X%.2X неисп.     Номер:%.3d ";

inline constexpr char kNoZones[] = " Зон      нет";
inline constexpr char kZonaCount[] = " Зоны - %d ";
inline constexpr char kZonaLine[] = "зона %.3d Шлейфы:";

inline constexpr char kNoRazdels[] = " Разделов нет";
inline constexpr char kRazdelCount[] = " Разделы - %d ";
inline constexpr char kRazdelLine[] = " %.3d Шлейфы:";

inline constexpr char kNoPassThrough[] = " Связанных зон нет";
inline constexpr char kPassThroughCount[] = " Проходные зоны - %d ";
inline constexpr char kPassThroughZona[] = " %d проходная зона %.2d ";
inline constexpr char kLinkedZones[] = "связанные зоны: ";
inline constexpr char kLinkedZona[] = "%.2d, ";

inline constexpr char kNoModules[] = " Внутренних модулей нет";
inline constexpr char kModuleCount[] = " Внутренние модули - %d ";
inline constexpr char kModuleMD[] = " %.2d  модуль доступа  МД%d";
inline constexpr char kModuleMR[] = " %.2d  модуль реле     МР%d";
inline constexpr char kModuleMShS[] = " %.2d  модуль шлейфов МШС%d";
inline constexpr char kModuleMS[] = " %.2d  модуль связи    МС%d";

// Loop parameters: "%.2d " and the description, in the order the parts are appended.
inline constexpr char kLoopHeading[] = " параметры шлейфов ";
inline constexpr char kLoopNumber[] = "%.2d ";
inline constexpr std::array<const char*, 4> kLoopType{" охранный, ", " пожарный, ", " тревожный, ",
                                                      " контрольный, "};
inline constexpr char kLoop24h[] = "круглосуточный, ";
inline constexpr char kLoopTamper[] = "тампер, ";
inline constexpr std::array<const char*, 4> kLoopReaction{"60мс, ", "250мс, ", "500мс, ", "1000мс, "};
inline constexpr std::array<const char*, 4> kLoopDelay{"", "задержка 30с, ", "задержка 60с, ",
                                                       "задержка 90с, "};
inline constexpr std::array<const char*, 4> kLoopConfirm{"", "подтверждение 1мин, ", "подтверждение 2мин, ",
                                                         "подтверждение 3мин, "};
inline constexpr char kLoopLimit[] = "лимит сработок, ";
inline constexpr char kLoopSound[] = "звук, ";
inline constexpr char kLoopVerification[] = "верификация, ";
inline constexpr char kLoopTwoDetectors[] = "выделение 2х, ";
inline constexpr char kLoopOneDetector[] = "выделение сработки, ";
inline constexpr char kLoopPaired[] = "в паре, ";
inline constexpr char kLoopRelays[] = " Реле: ";
inline constexpr char kLoopRelay[] = " %d";  // followed by the mode name
inline constexpr char kLoopIndicators[] = " Индикаторы: ";
inline constexpr char kLoopIndicator[] = "%d ";
inline constexpr char kLoopDisabled[] = "отключен";

inline constexpr char kIndicatorLine[] = " Индикатор %d -  шлейфы: ";

inline constexpr char kRelayLine[] = " Реле %d";
inline constexpr char kRelayNoTimeLimit[] = "без ограничения";
inline constexpr char kRelayRunTime[] = "%dсек";
inline constexpr char kRelayTamperGB[] = "тампер ГБ ";
inline constexpr char kRelayTamperModules[] = "тамперы модулей ";
inline constexpr char kRelayLoops[] = " - шлейфы: ";

// Relay mode names by mode code (bits 3-0 of the mode byte).
inline constexpr std::array<const char*, 16> kReleMode{"(отключено)",
                                                       "(пцн лумо)",
                                                       "(пцн лумо без тревоги)",
                                                       "(зо постоянно)",
                                                       "(зо прерывисто)",
                                                       "(зо постоянно+прерывисто)",
                                                       "(вентиляция)",
                                                       "(стартовый импульс)",
                                                       "(опускание роллет)",
                                                       "(поднятие роллет)",
                                                       "(замок)",
                                                       "(сброс-верификация)",
                                                       "(свет)",
                                                       "(неисправность)",
                                                       "(внимание)",
                                                       "(неисправность+внимание)"};

inline constexpr char kLineModule[] = " Связь %d";
inline constexpr char kLineAddress[] = " Адрес: %d";
inline constexpr char kLineLoopModules[] = " - МШС: ";

// Sounders, in the order the report lists their records.
struct SounderBlock {
    int record;
    const char* heading;
};
inline constexpr std::array<SounderBlock, 4> kSounderBlocks{
    {{3, "СЗО"}, {0, "beeper на ГБ-5"}, {1, "beeper на ВТ-5(1)"}, {2, "beeper на ВТ-5(2)"}}};
// The durations in the order they are listed: field of the record, timed line, no-limit line.
struct SounderDuration {
    std::uint8_t config::Sounder::*field;
    const char* timed;
    const char* noLimit;
};
inline constexpr std::array<SounderDuration, 3> kSounderDurations{{
    {&config::Sounder::alarmDuration, "При тревоге       : %d сек.", "При тревоге - без ограничения"},
    {&config::Sounder::fireDuration, "При пожаре        : %d сек.", "При пожаре  - без ограничения"},
    {&config::Sounder::faultDuration, "При неисправности : %d сек.", "При неисправности - без ограничения"},
}};
inline constexpr char kSounderLoops[] = "Шлейфы:";
inline constexpr char kSounderNoLoops[] = " - нет";
// Option bits 0..2, reported for the three sounders other than the СЗО relay.
inline constexpr std::array<const char*, 3> kSounderRepeats{"дублирует СЗО(тревога)", "дублирует СЗО(пожар)",
                                                            "дублирует СЗО(неисправность)"};
inline constexpr char kSounderPanelTamper[] = "контроль тампера прибора";             // bit 3
inline constexpr char kSounderModuleTamper[] = "контроль тамперов выносных модулей";  // bit 4

}  // namespace v5::report_text
