#include "tests/support/random_image.h"

#include "image/tables.h"

namespace v5::test {

LoopMask RandomBytes::sparseMask(int density) {
    LoopMask mask;
    for (int loop = 1; loop <= 64; ++loop)
        if (below(64) < static_cast<std::uint32_t>(density)) mask.set(loop);
    return mask;
}

namespace {

void randomFill(RandomBytes& r, Image& image, const Region& region) {
    for (std::size_t i = 0; i < region.size(); ++i)
        image.setByte(region.offset + i, r.byte());
}

std::uint8_t keyAssignment(RandomBytes& r) {
    switch (r.below(7)) {
        case 0:
        case 1:
            return static_cast<std::uint8_t>(r.below(64));
        case 2:
            return static_cast<std::uint8_t>(0x40 + r.below(64));
        case 3:
            return 0xFA;
        case 4:
            return 0xFB;
        case 5:
            return 0xFF;
        default:
            return r.byte();
    }
}

std::uint8_t duration(RandomBytes& r) {
    static constexpr std::uint8_t kCommon[] = {0, 0, 1, 5, 10, 30, 60, 120, 180, 240, 255, 255};
    return r.chance(4) ? r.byte() : kCommon[r.below(sizeof kCommon)];
}

}  // namespace

Image randomImage(std::uint32_t seed) {
    RandomBytes r(seed);
    Image image;
    randomFill(r, image, map::KeyCheck);
    const std::uint32_t keyDensity = 1 + r.below(4);  // some images with many keys, some with few
    for (std::size_t i = 0; i < map::KeyRecords.count; ++i) {
        const auto key = image.record(map::KeyRecords, i);
        if (r.below(4) < keyDensity) {
            for (std::size_t b = 0; b < 6; ++b)
                key[b] = r.chance(3) ? 0 : r.byte();
            // Now and then the same code as an earlier key, as a console copy makes it.
            if (i > 0 && r.chance(40)) {
                const auto earlier = image.record(map::KeyRecords, r.below(static_cast<std::uint32_t>(i)));
                std::copy_n(earlier.begin(), 6, key.begin());
            }
        }
        key[6] = keyAssignment(r);
        key[7] = r.chance(5) ? r.byte() : static_cast<std::uint8_t>(r.below(15));
    }
    for (std::size_t s = 0; s < map::SlotTable.count; ++s) {
        const auto entry = image.record(map::SlotTable, s);
        entry[0] = static_cast<std::uint8_t>(r.chance(8) ? r.below(8) : r.below(5));
        entry[1] = static_cast<std::uint8_t>(r.chance(8) ? r.byte() : r.below(16));
    }
    for (std::size_t l = 0; l < map::LoopParams.count; ++l) {
        const auto loop = image.record(map::LoopParams, l);
        for (auto& b : loop)
            b = r.byte();
        if (r.chance(4)) loop[2] = 0x20;
    }
    for (std::size_t k = 0; k < map::Relays.count; ++k) {
        const auto relay = image.record(map::Relays, k);
        relay[0] = r.byte();
        image.setLoopMask(map::Relays.at(k) + 1, r.chance(3) ? LoopMask() : r.sparseMask(3));
        relay[9] = duration(r);
    }
    for (std::size_t x = 0; x < map::Indicators.count; ++x)
        image.setLoopMask(map::Indicators.at(x), r.chance(2) ? LoopMask() : r.sparseMask(2));
    for (std::size_t n = 0; n < map::LineModules.count; ++n) {
        const auto entry = image.record(map::LineModules, n);
        entry[0] = r.chance(3) ? 0 : r.byte();
        static constexpr std::uint8_t kAddresses[] = {0, 1, 7, 200, 201, 241, 254, 255};
        entry[1] = r.chance(3) ? r.byte() : kAddresses[r.below(sizeof kAddresses)];
    }
    for (int z = 1; z <= 64; ++z)
        setZonaMask(image, z, r.chance(3) ? LoopMask() : r.sparseMask(1));
    for (int p = 1; p <= 32; ++p) {
        LoopMask mask;
        if (r.chance(2))
            for (int i = 0; i < 3; ++i)
                mask = mask | zonaMask(image, static_cast<int>(1 + r.below(64)));
        else if (r.chance(2))
            mask = r.sparseMask(2);
        setRazdelMask(image, p, mask);
    }
    for (int place = 1; place <= 8; ++place) {
        LoopMask record;
        if (r.chance(3))
            record = zonaMask(image, static_cast<int>(1 + r.below(64)));
        else if (r.chance(2))
            record = r.sparseMask(1);
        setPassThroughRecord(image, place, record);
        setLinkedMask(image, place, r.chance(3) ? LoopMask() : r.sparseMask(4));
    }
    image.setByte(map::OptionByte.offset, r.byte());
    for (std::size_t s = 0; s < map::Sounders.count; ++s) {
        const auto sounder = image.record(map::Sounders, s);
        image.setLoopMask(map::Sounders.at(s), r.chance(3) ? LoopMask() : r.sparseMask(4));
        for (std::size_t b = 8; b <= 10; ++b)
            sounder[b] = duration(r);
        sounder[11] = r.byte();
    }
    randomFill(r, image, map::ExtModules);
    for (std::size_t x = 0; x < map::ExtIndicators.count; ++x)
        image.setLoopMask(map::ExtIndicators.at(x), r.chance(2) ? LoopMask() : r.sparseMask(2));
    randomFill(r, image, map::AccessCode);
    if (r.chance(2)) randomFill(r, image, map::Reserved);
    randomFill(r, image, map::ArchivePointer);
    randomFill(r, image, map::Archive);
    return image;
}

}  // namespace v5::test
