#include "image/orphan_sweep.h"

#include "image/tables.h"

namespace v5 {

namespace {

void clearLoopModule(Image& image, std::size_t k) {
    for (std::size_t j = 0; j < 8; ++j) {
        const auto loop = image.record(map::LoopParams, 8 * k + j);
        std::copy(std::begin(kBlankLoopRecord), std::end(kBlankLoopRecord), loop.begin());
    }
    for (std::size_t e = 0; e < map::Indicators.count; ++e)
        image.setByte(map::Indicators.at(e) + k, 0);
    for (std::size_t r = 0; r < map::Relays.count; ++r)
        image.setByte(map::Relays.at(r) + 1 + k, 0);
    for (std::size_t s = 0; s < map::Sounders.count; ++s)
        image.setByte(map::Sounders.at(s) + k, 0);
    const auto keep = static_cast<std::uint8_t>(~(1U << k));
    for (std::size_t n = 0; n < map::LineModules.count; ++n) {
        const std::size_t at = map::LineModules.at(n);
        image.setByte(at, image.byte(at) & keep);
    }
    for (std::size_t e = 0; e < map::kFirstPassThroughEntry; ++e)
        image.setByte(map::GroupTable.at(e) + k, 0);
}

}  // namespace

void ClearSheet(Image& image, const SlotCaptions& captions) {
    // One slot text for the whole pass, as the panel's tool builds it.
    const SlotText placed(captions);
    for (int m = 1; m <= 8; ++m)
        if (!placed.isPlaced(ModuleId{ModuleKind::MShS, m}))
            clearLoopModule(image, static_cast<std::size_t>(m - 1));

    for (int n = 1; n <= 8; ++n) {
        if (placed.isPlaced(ModuleId{ModuleKind::MS, n})) continue;
        const auto entry = image.record(map::LineModules, static_cast<std::size_t>(n - 1));
        entry[0] = 0x00;
        entry[1] = kNoLineAddress;
    }

    for (int n = 1; n <= 8; ++n)
        if (!placed.isPlaced(ModuleId{ModuleKind::MD, n}))
            image.fill(map::Indicators.at(static_cast<std::size_t>(8 * (n - 1))), 8 * map::Indicators.stride,
                       0);

    for (int n = 1; n <= 16; ++n)
        if (!placed.isPlaced(ModuleId{ModuleKind::MR, n}))
            image.fill(map::Relays.at(static_cast<std::size_t>(4 * (n - 1))), 4 * map::Relays.stride, 0);

    // After the loop modules, so that a key whose zone has just lost its last loops is unassigned too.
    for (std::size_t i = 0; i < map::KeyRecords.count; ++i) {
        const auto key = image.record(map::KeyRecords, i);
        if (key[6] < kFirstNonGroupAssignment && ZonaEmpty(image, key[6])) key[6] = kUnassignedKey;
    }
}

}  // namespace v5
