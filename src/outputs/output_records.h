#pragma once

#include <cstdint>

#include "image/records.h"

namespace v5 {

// What the output panes share beside their records (image/records.h): the duration items.

// The ten values a relay run time or a sounder duration can take, in item order (as the configuration
// model reads them).
inline constexpr const auto& kDurationValues = config::kDurationCodes;
// The item that shows a stored value: the first whose value is not smaller. 255 ends the list, so
// every byte has one.
int durationItem(std::uint8_t value);

}  // namespace v5
