#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "image/loop_mask.h"
#include "image/records.h"

// Helpers the comparison and the check share to put configuration values into words.
namespace v5::plain {

// One of the fixed texts of compare_texts.h as a QString; each is converted once.
const QString& text(const char* utf8);
// formatText(format, number) for a format of compare_texts.h with one number ("ключ %.3d"); the texts
// of numbers 0..1023 are made once and shared.
QString numbered(const char* format, int number);
// "шлейф 5" or "шлейфы 1-3,9".
QString loops(LoopMask mask);
// "0A 1F": bytes as two upper-case hex digits each, separated by blanks.
QString hexBytes(std::span<const std::uint8_t> bytes);
QString hexByte(std::uint8_t byte);

// Values as the panes name them, for the comparison and the site card.
QString yesNo(bool on);
// "МШС1", "пусто", or what an entry of an unknown kind holds.
QString moduleText(const config::SlotEntry& entry);
// "зона 3", "раздел 2", "монтер", "ГЗ", "не назначен".
QString assignmentText(config::KeyAssignment assignment);
// A sounder's duration as the pane's list names it ("30 сек."); a byte off the list in seconds.
QString durationText(std::uint8_t code);
// A relay's run time: "20 с" or "без ограничения".
QString runTimeText(std::uint8_t seconds);
// "охранный" … "контрольный", or "отключен" whatever the type bits say.
QString loopTypeText(const config::LoopRecord& loop);
// The relay mode of a mode code as the report names it, without its brackets: "пцн лумо".
QString relayModeText(int code);

}  // namespace v5::plain
