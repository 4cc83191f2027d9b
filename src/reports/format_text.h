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

// Appends `value` with at least `digits` digits, zeros in front: printf's "%.3d" of a non-negative value.
void appendPadded(QString& text, std::uint64_t value, int digits);

// Appends the loop list of a mask, each loop number followed by ",": "1,2,3,7," for loops 1, 2, 3
// and 7. Both exports pass such lists through correct_string.
void appendLoopList(QString& text, LoopMask mask);

// What correct_string makes of `text` followed by the loop list of `mask`, built from the mask's runs
// without the list: "Шлейфы:" and loops 1, 2, 3, 7 give "Шлейфы: 1-3,7". Blanks that end `text`
// belong to the list's tail and go, as correct_string drops them.
void appendCompressedLoopList(QString& text, LoopMask mask);

}  // namespace v5
