#pragma once

#include <cstddef>

#include "image.h"

namespace v5 {

// What the exports treat as present in an image. The report's count lines and `info` share them.
int keyCount(const Image& image);
int zonaCount(const Image& image);         // zones with at least one loop
int razdelCount(const Image& image);       // partitions with at least one loop
int passThroughCount(const Image& image);  // pass-through records that are not zero
int relaysInUse(const Image& image);       // relays driven by at least one loop
int indicatorsInUse(const Image& image);   // indicators of the slot modules lit by at least one loop

}  // namespace v5
