// The record layer against the map: each record reads and writes exactly its own bytes, and the
// records together cover the image exactly once.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "image/records.h"
#include "tests/support/random_image.h"

namespace v5 {
namespace {

using namespace config;

struct Span {
    std::size_t offset;
    std::size_t length;
};

Image noise(std::uint32_t seed) {
    test::RandomBytes random(seed);
    Image image;
    for (std::size_t at = 0; at < Image::kSize; ++at)
        image.setByte(at, random.byte());
    return image;
}

// Each kind of record: how many there are, and the bytes record i owns, written out from the map
// here rather than taken from the layer under test.
struct Kind {
    std::string name;
    std::size_t count;
    std::function<std::vector<Span>(std::size_t)> owned;
    // decode from `from`, encode into `into`; true when decoding `into` again gives the same record
    std::function<bool(const Image& from, Image& into, std::size_t index)> roundTrip;
};

template <class T>
std::function<bool(const Image&, Image&, std::size_t)> roundTripOf() {
    return [](const Image& from, Image& into, std::size_t index) {
        const T record = T::decode(from, index);
        record.encode(into, index);
        return T::decode(into, index) == record;
    };
}

std::function<std::vector<Span>(std::size_t)> in(const Region& region) {
    return [region](std::size_t i) { return std::vector<Span>{{region.at(i), region.stride}}; };
}

std::vector<Kind> kinds() {
    return {
        {"slot entry", 20, in(map::SlotTable), roundTripOf<SlotEntry>()},
        {"key", 990,
         [](std::size_t i) {
             return std::vector<Span>{{map::KeyRecords.at(i), 8}, {map::KeyCheck.at(i), 1}};
         },
         roundTripOf<Key>()},
        {"loop", 64, in(map::LoopParams), roundTripOf<config::LoopRecord>()},
        {"relay", 64, in(map::Relays), roundTripOf<Relay>()},
        {"indicator", 96,
         [](std::size_t i) {
             return std::vector<Span>{{i < 64 ? map::Indicators.at(i) : map::ExtIndicators.at(i - 64), 8}};
         },
         roundTripOf<IndicatorEntry>()},
        {"communication module", 8, in(map::LineModules), roundTripOf<LineModule>()},
        {"group entry", 112, in(map::GroupTable), roundTripOf<GroupEntry>()},
        {"option byte", 1, in(map::OptionByte), roundTripOf<PanelOptionByte>()},
        {"sounder", 4, in(map::Sounders), roundTripOf<Sounder>()},
        {"external modules", 1, in(map::ExtModules), roundTripOf<ExternalModules>()},
        {"access code", 1, in(map::AccessCode), roundTripOf<AccessCode>()},
        {"reserved bytes", 1, in(map::Reserved), roundTripOf<ReservedBytes>()},
        {"archive pointer", 1, in(map::ArchivePointer), roundTripOf<ArchivePointer>()},
        {"archive record", 1280, in(map::Archive), roundTripOf<ArchiveRecord>()},
    };
}

TEST(RecordLayer, EachRecordReadsAndWritesExactlyItsOwnBytes) {
    const Image from = noise(1);
    const Image background = noise(2);
    for (const Kind& kind : kinds()) {
        for (std::size_t i = 0; i < kind.count; ++i) {
            Image into = background;
            // decode then encode keeps every field value...
            ASSERT_TRUE(kind.roundTrip(from, into, i)) << kind.name << " " << i;
            // ...and carries exactly the record's own bytes over, all of them and no other.
            Image expected = background;
            for (const Span& span : kind.owned(i))
                for (std::size_t at = span.offset; at < span.offset + span.length; ++at)
                    expected.setByte(at, from.byte(at));
            if (into == expected) continue;
            for (std::size_t at = 0; at < Image::kSize; ++at)
                ASSERT_EQ(into.byte(at), expected.byte(at)) << kind.name << " " << i << " at 0x" << std::hex << at;
        }
    }
}

TEST(RecordLayer, RecordsCoverTheImageExactlyOnce) {
    std::vector<int> owners(Image::kSize, 0);
    for (const Kind& kind : kinds())
        for (std::size_t i = 0; i < kind.count; ++i)
            for (const Span& span : kind.owned(i))
                for (std::size_t at = span.offset; at < span.offset + span.length; ++at)
                    ++owners[at];
    for (std::size_t at = 0; at < Image::kSize; ++at)
        ASSERT_EQ(owners[at], 1) << "at 0x" << std::hex << at;
}

TEST(RecordLayer, FieldsKeepTheirMeaningThroughTheirSetters) {
    Relay relay{Relay::modeByte(0x1B, true, false), LoopMask(0x8001), 30};
    EXPECT_EQ(relay.mode, 0x4B);  // the mode code keeps four bits
    EXPECT_EQ(relay.modeCode(), 0x0B);
    EXPECT_TRUE(relay.tamperBit6());
    EXPECT_FALSE(relay.tamperBit7());

    Sounder sounder;
    sounder.options = 0xE0;
    sounder.setOption(3, true);
    sounder.setOption(6, false);
    EXPECT_EQ(sounder.options, 0xA8);

    LineModule line{0x81, 17};
    line.setServes(1, false);
    line.setServes(2, true);
    EXPECT_EQ(line.loopModules, 0x82);
    EXPECT_TRUE(line.serves(8));

    PanelOptionByte options{0xF0};
    options.setBit(2, true);
    EXPECT_TRUE(options.externalSupplyOnly());
    EXPECT_EQ(options.unusedBits(), 0xF0);

    ExternalModules modules{0xF000};
    modules.setBit(4, true);  // БИ1
    modules.setBit(11, true);  // МК4
    EXPECT_TRUE(modules.bi(1));
    EXPECT_TRUE(modules.mk(4));
    EXPECT_EQ(modules.unusedBits(), 0xF000);
}

TEST(RecordLayer, KeyFieldsRoundTripThroughTheRecord) {
    struct Case {
        const char* what;
        KeyAssignment assignment;
        KeyRole role;
        int number;
    };
    const Case cases[] = {
        {"zone 1", KeyAssignment::ofZona(1), KeyRole::Zona, 1},
        {"zone 64", KeyAssignment::ofZona(64), KeyRole::Zona, 64},
        {"partition 1", KeyAssignment::ofRazdel(1), KeyRole::Razdel, 1},
        {"partition 32", KeyAssignment::ofRazdel(32), KeyRole::Razdel, 32},
        {"partition 64, past the panel's 32", KeyAssignment::ofRazdel(64), KeyRole::Razdel, 64},
        {"installer", {kMonterAssignment}, KeyRole::Monter, 0},
        {"rapid response", {kGZAssignment}, KeyRole::GZ, 0},
        {"unassigned", {}, KeyRole::Unassigned, 0},
    };
    const Image background = noise(3);
    for (const Case& c : cases) {
        Key key;
        key.setCode({0x1C, 0xB8, 0x01, 0x00, 0x00, 0x00});
        key.assignment = c.assignment;
        key.spiByte = 14;
        Image image = background;
        key.encode(image, 500);
        const Key read = Key::decode(image, 500);
        EXPECT_EQ(read, key) << c.what;
        EXPECT_EQ(read.assignment.role(), c.role) << c.what;
        EXPECT_EQ(read.assignment.number(), c.number) << c.what;
        EXPECT_EQ(read.checkByte, 0xE5) << c.what;  // the check byte the panel expects for the code
        EXPECT_EQ(read.spiNumber(), 15) << c.what;
    }
    // A default record is a freed one, whatever was there before.
    Image image = background;
    Key{}.encode(image, 7);
    const Key freed = Key::decode(image, 7);
    EXPECT_TRUE(freed.isFree());
    EXPECT_EQ(freed.assignment.role(), KeyRole::Unassigned);
    EXPECT_EQ(freed.spiByte, 0);
    EXPECT_EQ(freed.checkByte, 0);
}

TEST(RecordLayer, ConsolePlacesTileTheBlockAndWriteWhatTheyRecognise) {
    const auto& places = consolePlaces();
    std::vector<int> owners(kConsoleBlockSize, 0);
    std::vector<int> installers, rapidResponse;  // the numbers written, by group
    for (const ConsolePlace& place : places) {
        for (std::size_t at = place.blockOffset; at < place.blockOffset + 6; ++at)
            ++owners.at(at);
        const bool installer = place.assignment == kMonterAssignment;
        (installer ? installers : rapidResponse).push_back(place.spiByte + 1);
        // Installer code n goes to key 960 + n, rapid-response code n to key 975 + n.
        EXPECT_EQ(static_cast<int>(place.record) + 1, (installer ? 961 : 976) + place.spiByte);
        // Looking a place up by its key number finds the same place.
        const std::optional<ConsolePlace> found = consolePlace(static_cast<int>(place.record) + 1);
        ASSERT_TRUE(found) << place.record;
        EXPECT_EQ(found->blockOffset, place.blockOffset) << place.record;

        // What the copy writes reads back as its own; a changed field or a wrong check byte does not.
        std::array<std::uint8_t, kConsoleBlockSize> block{};
        block.at(place.blockOffset) = 0x5A;
        block.at(place.blockOffset + 5) = 0x3C;
        Image image = noise(4);
        place.copyOf(place.codeIn(block)).encode(image, place.record);
        Key key = Key::decode(image, place.record);
        EXPECT_EQ(key.code, (KeyCode{0x5A, 0, 0, 0, 0, 0x3C})) << place.record;
        EXPECT_TRUE(place.holdsCopy(key)) << place.record;
        for (const auto& change : std::vector<std::function<void(Key&)>>{
                 [](Key& k) { ++k.spiByte; }, [](Key& k) { k.assignment = KeyAssignment::ofZona(1); },
                 [](Key& k) { k.checkByte ^= 1; }}) {
            Key changed = key;
            change(changed);
            EXPECT_FALSE(place.holdsCopy(changed)) << place.record;
        }
        // An empty place in the console's block leaves a free record that is still the copy's.
        place.copyOf(KeyCode{}).encode(image, place.record);
        key = Key::decode(image, place.record);
        EXPECT_TRUE(key.isFree());
        EXPECT_TRUE(place.holdsCopy(key)) << place.record;
    }
    EXPECT_EQ(owners, std::vector<int>(kConsoleBlockSize, 1));
    std::ranges::sort(installers);
    std::ranges::sort(rapidResponse);
    const std::vector<int> oneToTwelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(installers, oneToTwelve);
    EXPECT_EQ(rapidResponse, oneToTwelve);
    for (const int number : {960, 973, 974, 975, 988, 990})
        EXPECT_FALSE(consolePlace(number)) << number;
}

}  // namespace
}  // namespace v5
