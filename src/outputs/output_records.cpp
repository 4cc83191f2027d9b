#include "outputs/output_records.h"

namespace v5 {

int durationItem(std::uint8_t value) {
    int item = 0;
    while (kDurationValues.at(static_cast<std::size_t>(item)) < value)
        ++item;
    return item;
}

LoopMask relayMask(const Image& image, int index) {
    return image.loopMask(map::Relays.at(static_cast<std::size_t>(index)) + relay::kMask);
}

void setRelayMask(Image& image, int index, LoopMask mask) {
    image.setLoopMask(map::Relays.at(static_cast<std::size_t>(index)) + relay::kMask, mask);
}

std::optional<std::size_t> indicatorOffset(int index) {
    const auto inTable = static_cast<int>(map::Indicators.count);
    if (index >= 0 && index < inTable) return map::Indicators.at(static_cast<std::size_t>(index));
    if (index >= inTable && index < kIndicatorIndexCount)
        return map::ExtIndicators.at(static_cast<std::size_t>(index - inTable));
    return std::nullopt;
}

LoopMask sounderMask(const Image& image, int record) {
    return image.loopMask(map::Sounders.at(static_cast<std::size_t>(record)) + sounder::kMask);
}

void setSounderMask(Image& image, int record, LoopMask mask) {
    image.setLoopMask(map::Sounders.at(static_cast<std::size_t>(record)) + sounder::kMask, mask);
}

}  // namespace v5
