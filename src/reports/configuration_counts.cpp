#include "configuration_counts.h"

#include "tables.h"

namespace v5 {

namespace {
int nonEmptyMasks(const Image& image, const Region& region, std::size_t maskOffset = 0) {
    int count = 0;
    for (std::size_t i = 0; i < region.count; ++i)
        if (!image.isZero(region.at(i) + maskOffset, kMaskSize)) ++count;
    return count;
}
}  // namespace

int keyCount(const Image& image) {
    int count = 0;
    for (std::size_t i = 0; i < map::KeyRecords.count; ++i)
        if (!KeyEmpty(image, i)) ++count;
    return count;
}

int zonaCount(const Image& image) {
    return nonEmptyMasks(image, map::Zones);
}
int razdelCount(const Image& image) {
    return nonEmptyMasks(image, map::Razdels);
}
int passThroughCount(const Image& image) {
    return nonEmptyMasks(image, map::PassThrough);
}
int relaysInUse(const Image& image) {
    return nonEmptyMasks(image, map::Relays, 1);
}
int indicatorsInUse(const Image& image) {
    return nonEmptyMasks(image, map::Indicators);
}

}  // namespace v5
