#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "image/loop_mask.h"

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

}  // namespace v5::plain
