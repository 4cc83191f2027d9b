#include "bench/support/populated_image.h"

#include "image/slots.h"

namespace v5::bench {

namespace {
LoopMask spread(int first, int count) {
    LoopMask mask;
    for (int i = 0; i < count; ++i)
        mask.set((first - 1 + 7 * i) % 64 + 1);
    return mask;
}

}  // namespace

// 990 keys, 64 zones, 32 partitions, 8 pass-through zones, 20 modules in the rack, every relay,
// indicator, communication entry and sounder in use, and 1280 archive records.
Image populatedImage() {
    Image image;
    for (std::size_t i = 0; i < map::KeyRecords.count; ++i) {
        const auto key = image.record(map::KeyRecords, i);
        for (std::size_t b = 0; b < 6; ++b)
            key[b] = static_cast<std::uint8_t>(i * 31 + b * 7 + 1);
        static constexpr std::uint8_t kAssignments[] = {0x05, 0x41, 0xFA, 0xFB, 0xFF};
        key[6] = i % 7 == 6 ? static_cast<std::uint8_t>(i % 64) : kAssignments[i % 5];
        key[7] = static_cast<std::uint8_t>(i % 15);
    }
    for (int z = 1; z <= 64; ++z)
        image.setGroupEntry(map::kFirstZoneEntry + z - 1, spread(z, 1 + z % 4));
    for (int p = 1; p <= 32; ++p)
        image.setGroupEntry(map::kFirstRazdelEntry + p - 1,
                            image.groupEntry(2 * p - 2) | image.groupEntry(2 * p - 1));
    for (int r = 1; r <= 8; ++r) {
        image.setGroupEntry(map::kFirstPassThroughEntry + r - 1, image.groupEntry(r - 1));
        image.setGroupEntry(map::kFirstLinkedEntry + r - 1, spread(r + 20, 12));
    }
    const char16_t* names[] = {u"МШС1", u"МШС2", u"МШС3", u"МШС4", u"МШС5", u"МШС6", u"МШС7",
                               u"МШС8", u"МД1",  u"МД2",  u"МД3",  u"МД4",  u"МД5",  u"МД6",
                               u"МД7",  u"МД8",  u"МР1",  u"МР2",  u"МС1",  u"МС2"};
    for (int s = 1; s <= kSlotCount; ++s)
        writeSlotEntry(image, s, QString::fromUtf16(names[s - 1]));
    for (std::size_t l = 0; l < map::LoopParams.count; ++l) {
        const auto loop = image.record(map::LoopParams, l);
        loop[0] = static_cast<std::uint8_t>(l * 37);
        loop[1] = static_cast<std::uint8_t>((l * 13) & 0x3F);
        loop[2] = static_cast<std::uint8_t>(l % 9 == 0 ? 0x20 : (l * 64) & 0xC0);
    }
    for (std::size_t k = 0; k < map::Relays.count; ++k) {
        const auto relay = image.record(map::Relays, k);
        relay[0] = static_cast<std::uint8_t>(k % 16 | (k % 3) << 6);
        image.setLoopMask(map::Relays.at(k) + 1, spread(static_cast<int>(k) + 1, 6));
        relay[9] = static_cast<std::uint8_t>(k % 2 ? 30 : 255);
    }
    for (std::size_t x = 0; x < map::Indicators.count; ++x)
        image.setLoopMask(map::Indicators.at(x), spread(static_cast<int>(x) + 3, 5));
    for (std::size_t n = 0; n < map::LineModules.count; ++n) {
        const auto entry = image.record(map::LineModules, n);
        entry[0] = static_cast<std::uint8_t>(1U << n | 0x81);
        entry[1] = static_cast<std::uint8_t>(n * 20);
    }
    for (std::size_t s = 0; s < map::Sounders.count; ++s) {
        const auto sounder = image.record(map::Sounders, s);
        image.setLoopMask(map::Sounders.at(s), spread(static_cast<int>(s) * 16 + 1, 16));
        sounder[8] = 30;
        sounder[9] = 255;
        sounder[10] = 120;
        sounder[11] = 0x1F;
    }
    for (std::size_t r = 0; r < map::Archive.count; ++r) {
        const auto record = image.record(map::Archive, r);
        for (std::size_t b = 0; b < 5; ++b)
            record[b] = static_cast<std::uint8_t>(r + b * 11 + 1);
        record[5] = static_cast<std::uint8_t>(r * 53);
        image.setLoopMask(map::Archive.at(r) + 6, spread(static_cast<int>(r % 64) + 1, 1 + r % 10));
    }
    const std::size_t newest = map::Archive.at(700);
    image.setByte(map::ArchivePointer.offset, static_cast<std::uint8_t>(newest >> 8));
    image.setByte(map::ArchivePointer.offset + 1, static_cast<std::uint8_t>(newest));
    return image;
}

}  // namespace v5::bench
