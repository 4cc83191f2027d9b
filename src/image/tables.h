#pragma once

#include <cstddef>

#include "image/image.h"

namespace v5 {

// Questions every layer asks of the group table and the key records. Panes, the sweep and the
// report share these definitions, so "a zone exists" means the same thing everywhere.

// Group-table entry `index` is all zero. The panel reads any index below 200 as 8 bytes from the start
// of the table, even past its 112 entries, so this does too (a key's assignment byte is such an index).
bool ZonaEmpty(const Image& image, std::size_t index);

// Zone z (1..64) exists when its mask holds a loop.
bool zonaExists(const Image& image, int zona);
LoopMask zonaMask(const Image& image, int zona);
void setZonaMask(Image& image, int zona, LoopMask mask);

// Partition p (1..32) exists when its mask holds a loop; EmptyRazdel takes the 0-based index.
bool razdelExists(const Image& image, int razdel);
bool EmptyRazdel(const Image& image, int index);
LoopMask razdelMask(const Image& image, int razdel);
void setRazdelMask(Image& image, int razdel, LoopMask mask);

// Pass-through place i (1..8): the copy of its zone's mask and the union of its linked zones.
// SZonaEmpty takes the 0-based index of the record.
bool SZonaEmpty(const Image& image, int index);
LoopMask passThroughRecord(const Image& image, int place);
void setPassThroughRecord(Image& image, int place, LoopMask mask);
LoopMask linkedMask(const Image& image, int place);
void setLinkedMask(Image& image, int place, LoopMask mask);

// A key record is free when its six code bytes are zero.
bool KeyEmpty(const Image& image, std::size_t record);

}  // namespace v5
