#include "image/tables.h"

#include <stdexcept>

namespace v5 {

namespace {
constexpr std::size_t kLastGroupIndex = 199;

std::size_t zonaEntry(int zona) {
    if (zona < 1 || zona > 64) throw std::out_of_range("zone number outside 1..64");
    return map::kFirstZoneEntry + static_cast<std::size_t>(zona - 1);
}
std::size_t razdelEntry(int razdel) {
    if (razdel < 1 || razdel > 32) throw std::out_of_range("partition number outside 1..32");
    return map::kFirstRazdelEntry + static_cast<std::size_t>(razdel - 1);
}
std::size_t placeEntry(std::size_t first, int place) {
    if (place < 1 || place > 8) throw std::out_of_range("pass-through place outside 1..8");
    return first + static_cast<std::size_t>(place - 1);
}
}  // namespace

bool ZonaEmpty(const Image& image, std::size_t index) {
    if (index > kLastGroupIndex) throw std::out_of_range("group index above 199");
    return image.isZero(map::GroupTable.offset + kMaskSize * index, kMaskSize);
}

bool zonaExists(const Image& image, int zona) {
    return !zonaMask(image, zona).isEmpty();
}
LoopMask zonaMask(const Image& image, int zona) {
    return image.groupEntry(zonaEntry(zona));
}
void setZonaMask(Image& image, int zona, LoopMask mask) {
    image.setGroupEntry(zonaEntry(zona), mask);
}

bool razdelExists(const Image& image, int razdel) {
    return !razdelMask(image, razdel).isEmpty();
}
bool EmptyRazdel(const Image& image, int index) {
    return !razdelExists(image, index + 1);
}
LoopMask razdelMask(const Image& image, int razdel) {
    return image.groupEntry(razdelEntry(razdel));
}
void setRazdelMask(Image& image, int razdel, LoopMask mask) {
    image.setGroupEntry(razdelEntry(razdel), mask);
}

bool SZonaEmpty(const Image& image, int index) {
    return passThroughRecord(image, index + 1).isEmpty();
}
LoopMask passThroughRecord(const Image& image, int place) {
    return image.groupEntry(placeEntry(map::kFirstPassThroughEntry, place));
}
void setPassThroughRecord(Image& image, int place, LoopMask mask) {
    image.setGroupEntry(placeEntry(map::kFirstPassThroughEntry, place), mask);
}
LoopMask linkedMask(const Image& image, int place) {
    return image.groupEntry(placeEntry(map::kFirstLinkedEntry, place));
}
void setLinkedMask(Image& image, int place, LoopMask mask) {
    image.setGroupEntry(placeEntry(map::kFirstLinkedEntry, place), mask);
}

bool KeyEmpty(const Image& image, std::size_t record) {
    return image.isZero(map::KeyRecords.at(record), 6);
}

}  // namespace v5
