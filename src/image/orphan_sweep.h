#pragma once

#include "image/image.h"
#include "image/slots.h"

namespace v5 {

// Blank values of the parts of the image that belong to modules the panel does not hold, and
// unassignment of keys whose zone or partition no longer has any loop.
void ClearSheet(Image& image, const SlotCaptions& captions);

inline constexpr std::uint8_t kBlankLoopRecord[3] = {0x00, 0x00, 0x20};
inline constexpr std::uint8_t kUnassignedKey = 0xFF;
inline constexpr std::uint8_t kNoLineAddress = 0xFF;
inline constexpr std::uint8_t kFirstNonGroupAssignment = 200;

}  // namespace v5
