#pragma once

#include <array>
#include <cstdint>

#include "files/names_file.h"
#include "image/image.h"
#include "image/records.h"
#include "image/tables.h"
#include "tests/support/image_builder.h"

namespace v5::test {

// Archive record r: bytes 0-1 (date or key), time, code and loop mask (or slot).
inline void putEvent(Image& image, int r, std::uint8_t code, std::array<std::uint8_t, 2> dateOrKey,
                     std::array<std::uint8_t, 3> time = {}, LoopMask loops = {}) {
    config::ArchiveRecord record;
    record.bytes = {dateOrKey[0], dateOrKey[1], time[0], time[1], time[2], code};
    loops.toBytes(record.bytes.data() + config::ArchiveRecord::kLoopMaskByte);
    record.encode(image, static_cast<std::size_t>(r));
}

inline void pointArchiveTo(Image& image, int newestRecord) {
    config::ArchivePointer{static_cast<std::uint16_t>(map::Archive.at(static_cast<std::size_t>(newestRecord)))}
        .encode(image);
}

// A small site for the journal, the modules of loops 1-16 placed: zone 1 holds loops 1-3, zone 2 loops 3 and 9; names with commas,
// quotes and semicolons; two power-on runs of nine records.
struct JournalSite {
    Image image;
    SiteNames names;
    JournalSite() {
        // Their loop modules are placed, so that loading the site keeps the zones.
        placeModule(image, 1, QStringLiteral("МШС1"));
        placeModule(image, 2, QStringLiteral("МШС2"));
        setZonaMask(image, 1, loops({1, 2, 3}));
        setZonaMask(image, 2, loops({3, 9}));
        names.loops[2] = QStringLiteral("Окно, кухня");
        names.zones[2] = QStringLiteral("Склад \"Север\"");
        names.keys[5] = KeyName{QStringLiteral("Иванов; И."), QString()};
        putEvent(image, 0, 0x83, {1, 12}, {8, 0, 0});
        putEvent(image, 1, 0x12, {0, 4}, {8, 5, 9}, loops({1, 2, 3, 4}));  // key 5 arms loops 1-4
        putEvent(image, 2, 0x62, {1, 12}, {9, 30, 0}, loops({9}));
        putEvent(image, 3, 0x03, {1, 12}, {9, 31, 0}, LoopMask(7));  // slot 7 failed its test
        putEvent(image, 4, 0x83, {2, 12}, {7, 0, 0});
        putEvent(image, 5, 0x30, {0, 6}, {7, 1, 0}, loops({5}));  // key 7 disarms loop 5
        putEvent(image, 6, 0x0D, {2, 12}, {7, 2, 0}, loops({2, 3}));
        putEvent(image, 7, 0x01, {2, 12}, {7, 3, 0});
        putEvent(image, 8, 0xB2, {2, 12}, {7, 4, 0});
        pointArchiveTo(image, 8);
    }
};

}  // namespace v5::test
