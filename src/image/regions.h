#pragma once

#include <array>
#include <cstddef>

namespace v5 {

// A run of equal records in the EEPROM image: `count` records of `stride` bytes from `offset`.
struct Region {
    std::size_t offset;
    std::size_t stride;
    std::size_t count;

    constexpr std::size_t size() const { return stride * count; }
    constexpr std::size_t end() const { return offset + size(); }
    // Offset of record `index` (0-based).
    constexpr std::size_t at(std::size_t index) const { return offset + stride * index; }
};

inline constexpr std::size_t kImageSize = 32768;
inline constexpr std::size_t kConfigAreaSize = 0x3000;  // what the panel itself accepts
inline constexpr std::size_t kLoopCount = 64;
inline constexpr std::size_t kMaskSize = 8;

// The panel's 24C256 memory, region by region, in address order.
namespace map {
inline constexpr Region KeyCheck{0x0000, 1, 990};      // CRC-8 of each key code
inline constexpr Region KeyRecords{0x03DE, 8, 990};    // code[6], assignment, number - 1
inline constexpr Region SlotTable{0x22CE, 2, 20};      // kind, number - 1
inline constexpr Region LoopParams{0x22F6, 3, 64};     // three bytes per loop
inline constexpr Region Relays{0x23B6, 10, 64};        // mode, loop mask, run time
inline constexpr Region Indicators{0x2636, 8, 64};     // loop masks, eight per МД module
inline constexpr Region LineModules{0x2836, 2, 8};     // loop-module bits, address
inline constexpr Region Zones{0x2846, 8, 64};          // group entries 0..63
inline constexpr Region Razdels{0x2A46, 8, 32};        // group entries 64..95
inline constexpr Region PassThrough{0x2B46, 8, 8};     // group entries 96..103
inline constexpr Region LinkedMasks{0x2B86, 8, 8};     // group entries 104..111
inline constexpr Region OptionByte{0x2BC6, 1, 1};      // panel options
inline constexpr Region Sounders{0x2BC7, 12, 4};       // loop mask, durations, options
inline constexpr Region ExtModules{0x2BF7, 2, 1};      // little-endian presence word
inline constexpr Region ExtIndicators{0x2BF9, 8, 32};  // loop masks of МДВ1..МДВ4
inline constexpr Region AccessCode{0x2CF9, 2, 1};      // little-endian, four BCD digits
inline constexpr Region Reserved{0x2CFB, 771, 1};      // the panel's own; carried unchanged
inline constexpr Region ArchivePointer{0x2FFE, 2, 1};  // big-endian address of the newest event
inline constexpr Region Archive{0x3000, 16, 1280};     // event records

// Zones, partitions, pass-through records and linked masks read as one table of 112 loop masks;
// a key's assignment byte below 200 indexes it.
inline constexpr Region GroupTable{0x2846, 8, 112};
inline constexpr std::size_t kFirstZoneEntry = 0;
inline constexpr std::size_t kFirstRazdelEntry = 64;
inline constexpr std::size_t kFirstPassThroughEntry = 96;
inline constexpr std::size_t kFirstLinkedEntry = 104;

inline constexpr std::array kAll{KeyCheck,    KeyRecords,  SlotTable,      LoopParams, Relays,
                                 Indicators,  LineModules, Zones,          Razdels,    PassThrough,
                                 LinkedMasks, OptionByte,  Sounders,       ExtModules, ExtIndicators,
                                 AccessCode,  Reserved,    ArchivePointer, Archive};

constexpr bool tilesImageExactly() {
    std::size_t next = 0;
    for (const Region& r : kAll) {
        if (r.offset != next) return false;
        next = r.end();
    }
    return next == kImageSize;
}
static_assert(tilesImageExactly(), "the regions must cover the image without gap or overlap");
static_assert(GroupTable.offset == Zones.offset && GroupTable.end() == LinkedMasks.end());
static_assert(Razdels.offset == GroupTable.at(kFirstRazdelEntry));
static_assert(PassThrough.offset == GroupTable.at(kFirstPassThroughEntry));
static_assert(LinkedMasks.offset == GroupTable.at(kFirstLinkedEntry));
static_assert(Archive.offset == kConfigAreaSize);
}  // namespace map

}  // namespace v5
