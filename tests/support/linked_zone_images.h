#pragma once

#include "image/configuration.h"
#include "tests/support/image_builder.h"
#include "image/tables.h"

namespace v5::test {

// A configuration the linked-zone pane cannot make but a file or a panel can hold: МШС1 in slot 1,
// zone 1 = loop 1, pass-through place 1 holding zone 1 and linked to loop 1 (its own zone), and key 1
// (code 11 22 33 44 55 66) assigned to pass-through record 1 (byte 0x60). With `extraPlaces`, places
// 2, 3, ... hold zone 1 as well: place 2 linked to itself, place 3 to zone 2 (loop 2), keys 2, 3 ...
// assigned to their records.
inline Image selfLinkedImage(int extraPlaces = 0) {
    Image image;
    placeModule(image, 1, QStringLiteral("МШС1"));
    setZonaMask(image, 1, loops({1}));
    if (extraPlaces >= 2) setZonaMask(image, 2, loops({2}));
    for (int i = 1; i <= 1 + extraPlaces; ++i) {
        setPassThroughRecord(image, i, loops({1}));
        setLinkedMask(image, i, loops({i == 3 ? 2 : 1}));
        const config::KeyCode code{0x11, 0x22, 0x33, 0x44, 0x55, static_cast<std::uint8_t>(0x65 + i)};
        const auto record = image.record(map::KeyRecords, static_cast<std::size_t>(i - 1));
        std::copy(code.begin(), code.end(), record.begin());
        record[6] = static_cast<std::uint8_t>(0x5F + i);
        image.setByte(map::KeyCheck.at(static_cast<std::size_t>(i - 1)), config::keyCheckByte(code));
    }
    return image;
}

}  // namespace v5::test
