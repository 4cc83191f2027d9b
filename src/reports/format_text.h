#pragma once

#include <cstdint>

#include <QString>

#include "image/loop_mask.h"

namespace v5 {

// printf into a QString; the format and every %s argument are UTF-8. Much faster than
// QString::asprintf, which matters for the thousands of lines of a full report and archive.
[[gnu::format(printf, 1, 2)]] QString formatText(const char* format, ...);

// Appends `value` in decimal without a temporary string.
void appendNumber(QString& text, std::uint64_t value);

// Appends the loop list of a mask, each loop number followed by ",": "1,2,3,7," for loops 1, 2, 3
// and 7. Both exports pass such lists through correct_string.
void appendLoopList(QString& text, LoopMask mask);

}  // namespace v5
