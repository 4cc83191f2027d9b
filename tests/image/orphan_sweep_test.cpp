#include <gtest/gtest.h>

#include <random>

#include "tests/support/image_builder.h"
#include "image/orphan_sweep.h"
#include "image/records.h"

namespace v5 {
namespace {

SlotCaptions captionsOf(const Image& image) {
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    return captions;
}

TEST(OrphanSweep, BlankImageGetsExactlyTheBlankValues) {
    Image image;
    ClearSheet(image, SlotCaptions());
    for (std::size_t at = 0; at < Image::kSize; ++at) {
        std::uint8_t expected = 0;
        // Every zero key record points at zone 1, which is empty: it becomes unassigned.
        if (at >= map::KeyRecords.offset && at < map::KeyRecords.end() &&
            (at - map::KeyRecords.offset) % 8 == 6)
            expected = 0xFF;
        if (at >= map::LoopParams.offset && at < map::LoopParams.end())
            expected = config::kBlankLoop.bytes[(at - map::LoopParams.offset) % 3];
        if (at >= 0x2837 && at <= 0x2845 && at % 2 == 1) expected = 0xFF;
        ASSERT_EQ(image.byte(at), expected) << "offset " << at;
    }
}

// Fills every region the sweep may touch, so that a test sees exactly what a removal clears.
Image busyImage() {
    Image image;
    for (std::size_t at = map::LoopParams.offset; at < map::ExtModules.end(); ++at)
        image.setByte(at, static_cast<std::uint8_t>(0x11 + at % 200));
    image.fill(map::ExtIndicators.offset, map::ExtIndicators.size(), 0xAB);
    const char16_t* names[] = {u"МШС1", u"МШС2", u"МШС3", u"МШС4", u"МШС5", u"МШС6", u"МШС7",
                               u"МШС8", u"МР1",  u"МР2",  u"МР3",  u"МР4",  u"МД1",  u"МД2",
                               u"МД3",  u"МД4",  u"МС1",  u"МС2",  u"МС3",  u"МС4"};
    for (int s = 1; s <= 20; ++s)
        test::placeModule(image, s, QString::fromUtf16(names[s - 1]));
    return image;
}

// Offsets where two images differ.
std::vector<std::size_t> changed(const Image& a, const Image& b) {
    std::vector<std::size_t> out;
    for (std::size_t at = 0; at < Image::kSize; ++at)
        if (a.byte(at) != b.byte(at)) out.push_back(at);
    return out;
}

TEST(OrphanSweep, EverythingPlacedKeepsItsData) {
    Image image = busyImage();
    // МР5..16, МД5..8 and МС5..8 are not in the rack; put them back as the sweep leaves them.
    ClearSheet(image, captionsOf(image));
    const Image swept = image;
    ClearSheet(image, captionsOf(image));
    EXPECT_TRUE(changed(image, swept).empty());
}

TEST(OrphanSweep, RemovingMr3ZeroesRelayRecords8To11AndNothingElse) {
    Image image = busyImage();
    ClearSheet(image, captionsOf(image));
    const Image before = image;
    writeSlotEntry(image, 11, QString());  // МР3 out
    ClearSheet(image, captionsOf(image));
    const auto diff = changed(before, image);
    for (std::size_t at : diff) {
        const bool slotEntry = at == slotEntryOffset(11) || at == slotEntryOffset(11) + 1;
        EXPECT_TRUE(slotEntry || (at >= map::Relays.at(8) && at < map::Relays.at(12))) << at;
    }
    EXPECT_TRUE(image.isZero(map::Relays.at(8), 40));
}

TEST(OrphanSweep, RemovingALoopModuleClearsItsBitsButNotExternalOrPassThroughData) {
    Image image = busyImage();
    ClearSheet(image, captionsOf(image));
    const Image before = image;
    writeSlotEntry(image, 4, QString());  // МШС4 out
    ClearSheet(image, captionsOf(image));
    const std::size_t k = 3;
    for (std::size_t j = 0; j < 8; ++j) {
        const auto loop = image.record(map::LoopParams, 8 * k + j);
        EXPECT_EQ(loop[0], 0x00);
        EXPECT_EQ(loop[1], 0x00);
        EXPECT_EQ(loop[2], 0x20);
    }
    for (std::size_t e = 0; e < 64; ++e)
        EXPECT_EQ(image.byte(map::Indicators.at(e) + k), 0);
    for (std::size_t r = 0; r < 64; ++r)
        EXPECT_EQ(image.byte(map::Relays.at(r) + 1 + k), 0);
    for (std::size_t s = 0; s < 4; ++s)
        EXPECT_EQ(image.byte(map::Sounders.at(s) + k), 0);
    for (std::size_t n = 0; n < 8; ++n)
        EXPECT_EQ(image.byte(map::LineModules.at(n)), before.byte(map::LineModules.at(n)) & 0xF7);
    for (std::size_t e = 0; e < 96; ++e)
        EXPECT_EQ(image.byte(map::GroupTable.at(e) + k), 0);
    // Pass-through records, linked masks, options and the external tables keep their bytes.
    for (std::size_t at = map::PassThrough.offset; at < map::Reserved.end(); ++at) {
        if (at < map::Sounders.offset || at >= map::Sounders.end()) {
            ASSERT_EQ(image.byte(at), before.byte(at)) << at;
        }
    }
}

TEST(OrphanSweep, KeyOfAZoneThatLostItsLastLoopsIsUnassigned) {
    Image image;
    test::placeModule(image, 1, QStringLiteral("МШС2"));
    image.setGroupEntry(4, test::loops({9, 12}));  // zone 5, loops of МШС2 only
    image.setGroupEntry(5, test::loops({1, 9}));   // zone 6 also has loops of МШС1 (not placed)
    auto key = [&](std::size_t i) { return image.record(map::KeyRecords, i); };
    key(0)[6] = 0x04;
    key(1)[6] = 0xFA;
    key(2)[6] = 0xFB;
    key(3)[6] = 0x05;
    key(4)[6] = 0x40;  // partition 1, empty
    key(5)[6] = 200;   // not a group index
    ClearSheet(image, captionsOf(image));
    EXPECT_EQ(key(0)[6], 0x04);
    EXPECT_EQ(key(3)[6], 0x05);  // zone 6 keeps loop 9
    EXPECT_EQ(key(4)[6], 0xFF);
    EXPECT_EQ(key(5)[6], 200);

    writeSlotEntry(image, 1, QString());  // МШС2 out
    ClearSheet(image, captionsOf(image));
    EXPECT_EQ(key(0)[6], 0xFF);
    EXPECT_EQ(key(1)[6], 0xFA);
    EXPECT_EQ(key(2)[6], 0xFB);
    EXPECT_EQ(key(3)[6], 0xFF);
}

TEST(OrphanSweep, PlacedMr1DoesNotKeepMr10) {
    Image image;
    image.fill(map::Relays.offset, map::Relays.size(), 0x5A);
    test::placeModule(image, 1, QStringLiteral("МР1"));
    ClearSheet(image, captionsOf(image));
    EXPECT_FALSE(image.isZero(map::Relays.at(0), 40));
    EXPECT_TRUE(image.isZero(map::Relays.at(4), map::Relays.size() - 40));
}

}  // namespace
}  // namespace v5

namespace v5 {
namespace {

// Whatever bytes a file or the panel brings, one sweep leaves an image that a second sweep keeps, with
// nothing of an absent module left and the bytes it must not touch unchanged.
TEST(OrphanSweep, AnyImageIsSweptOnceAndForAll) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 200; ++round) {
        Image image;
        for (std::size_t at = 0; at < Image::kSize; ++at)
            image.setByte(at, static_cast<std::uint8_t>(random()));
        const Image before = image;
        SlotCaptions captions;
        captions.bntSlotsUpdate(image);
        ClearSheet(image, captions);
        const Image once = image;
        ClearSheet(image, captions);
        ASSERT_EQ(image, once) << "round " << round;

        for (std::size_t at = map::PassThrough.offset; at < map::OptionByte.end(); ++at)
            ASSERT_EQ(image.byte(at), before.byte(at));
        for (std::size_t at = map::ExtModules.offset; at < Image::kSize; ++at)
            ASSERT_EQ(image.byte(at), before.byte(at));
        ASSERT_TRUE(std::equal(image.bytes().begin(), image.bytes().begin() + map::KeyRecords.offset,
                               before.bytes().begin()));  // check bytes
        for (std::size_t at = map::SlotTable.offset; at < map::SlotTable.end(); ++at)
            ASSERT_EQ(image.byte(at), before.byte(at));
        for (int n = 1; n <= 16; ++n) {
            if (!captions.isPlaced(ModuleId{ModuleKind::MR, n})) {
                ASSERT_TRUE(image.isZero(map::Relays.at(static_cast<std::size_t>(4 * (n - 1))), 40));
            }
        }
        for (std::size_t i = 0; i < map::KeyRecords.count; ++i) {
            const auto key = image.record(map::KeyRecords, i);
            const auto old = before.record(map::KeyRecords, i);
            ASSERT_TRUE(std::equal(key.begin(), key.begin() + 6, old.begin()));
            ASSERT_TRUE(key[6] == old[6] || key[6] == 0xFF);
        }
    }
}

}  // namespace
}  // namespace v5
