#include "tests/reports/report_fixtures.h"

#include <gtest/gtest.h>

#include "tests/support/image_builder.h"

namespace v5::test {

QByteArray cp1251Lines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        for (const QChar c : line) {
            const char16_t u = c.unicode();
            if (u < 0x80)
                out += static_cast<char>(u);
            else if (u >= u'А' && u <= u'я')
                out += static_cast<char>(0xC0 + (u - u'А'));
            else if (u == u'Ё')
                out += static_cast<char>(0xA8);
            else if (u == u'ё')
                out += static_cast<char>(0xB8);
            else
                ADD_FAILURE() << "no Windows-1251 byte for U+" << std::hex << static_cast<int>(u);
        }
        out += "\r\n";
    }
    return out;
}

QStringList textLines(std::initializer_list<const char16_t*> texts) {
    QStringList out;
    for (const char16_t* t : texts)
        out << QString::fromUtf16(t);
    return out;
}

namespace {
void setKey(Image& image, std::size_t index, std::array<std::uint8_t, 8> bytes) {
    const auto key = image.record(map::KeyRecords, index);
    std::copy(bytes.begin(), bytes.end(), key.begin());
}
void setLoop(Image& image, int loop, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    const auto rec = image.record(map::LoopParams, static_cast<std::size_t>(loop - 1));
    rec[0] = b0;
    rec[1] = b1;
    rec[2] = b2;
}
void setRelay(Image& image, int relay, std::uint8_t mode, LoopMask mask, std::uint8_t runTime) {
    const std::size_t i = static_cast<std::size_t>(relay - 1);
    image.record(map::Relays, i)[0] = mode;
    image.setLoopMask(map::Relays.at(i) + 1, mask);
    image.record(map::Relays, i)[9] = runTime;
}
void setSounder(Image& image, std::size_t record, std::array<std::uint8_t, 4> durationsAndOptions,
                LoopMask mask) {
    const auto rec = image.record(map::Sounders, record);
    image.setLoopMask(map::Sounders.at(record), mask);
    std::copy(durationsAndOptions.begin(), durationsAndOptions.end(), rec.begin() + 8);
}
}  // namespace

Image configuredImage() {
    Image image;
    placeModule(image, 1, QStringLiteral("МШС1"));
    placeModule(image, 4, QStringLiteral("МШС2"));
    placeModule(image, 5, QStringLiteral("МР1"));
    placeModule(image, 6, QStringLiteral("МР2"));
    placeModule(image, 7, QStringLiteral("МД1"));
    placeModule(image, 8, QStringLiteral("МС3"));
    image.record(map::SlotTable, 8)[0] = 7;  // slot 9: a kind the panel does not know
    placeModule(image, 10, QStringLiteral("МС4"));

    setKey(image, 0, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0});
    setKey(image, 2, {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x0F, 0x40, 14});
    setKey(image, 5, {0x10, 0, 0, 0, 0, 0, 0xFA, 2});
    setKey(image, 6, {0, 0, 0, 0, 0, 0xFF, 0xFB, 0});
    setKey(image, 7, {0x01, 0, 0, 0, 0, 0, 0xFF, 0});
    setKey(image, 9, {0x02, 0, 0, 0, 0, 0, 0xF0, 0});   // counted, but no line
    setKey(image, 10, {0x03, 0, 0, 0, 0, 0, 0x03, 0});  // zone 4 loses its loops to the sweep
    setKey(image, 11, {0, 0, 0, 0, 0, 0, 0x00, 3});     // free

    image.setGroupEntry(0, loops({1, 2, 3, 5, 6}));
    image.setGroupEntry(2, loops({9, 10}));
    image.setGroupEntry(3, loops({30}));  // МШС4 is not in the rack
    image.setGroupEntry(4, loops({9, 10}));
    image.setGroupEntry(map::kFirstRazdelEntry, loops({1, 2, 3, 5, 6, 9, 10}));
    image.setGroupEntry(map::kFirstRazdelEntry + 1, loops({30}));
    image.setGroupEntry(map::kFirstPassThroughEntry, loops({9, 10}));
    image.setGroupEntry(map::kFirstLinkedEntry, loops({1, 2}));
    image.setGroupEntry(map::kFirstPassThroughEntry + 1, loops({11}));
    image.setGroupEntry(map::kFirstLinkedEntry + 1, loops({9}));
    image.setGroupEntry(map::kFirstPassThroughEntry + 2, loops({30}));

    setLoop(image, 1, 0x6F, 0x1F, 0x40);
    setLoop(image, 2, 0xC0, 0x34, 0x80);
    setLoop(image, 3, 0x00, 0x10, 0x20);
    setLoop(image, 5, 0x90, 0x20, 0x00);
    setLoop(image, 6, 0x04, 0x00, 0x00);
    setLoop(image, 7, 0x38, 0x00, 0x00);
    for (int loop = 11; loop <= 16; ++loop)
        setLoop(image, loop, 0x00, 0x00, 0x20);
    setLoop(image, 30, 0xFF, 0x3F, 0xC0);

    setRelay(image, 1, 0x01, loops({9}), 30);
    setRelay(image, 3, 0x83, loops({1, 2, 3, 4}), 30);
    setRelay(image, 4, 0x0A, LoopMask(), 10);
    setRelay(image, 5, 0x4A, loops({1, 2}), 255);
    setRelay(image, 8, 0xCF, loops({16}), 5);
    setRelay(image, 20, 0x03, loops({1}), 5);  // МР5 is not in the rack

    image.setLoopMask(map::Indicators.at(1), loops({1}));
    image.setLoopMask(map::Indicators.at(7), loops({1, 2, 3, 4, 9}));
    image.setLoopMask(map::Indicators.at(8), loops({1}));  // МД2 is not in the rack

    const auto lineModule = [&image](std::size_t n, std::uint8_t loopModules, std::uint8_t address) {
        image.record(map::LineModules, n - 1)[0] = loopModules;
        image.record(map::LineModules, n - 1)[1] = address;
    };
    lineModule(1, 0xFF, 5);  // МС1 is not in the rack
    lineModule(3, 0x03, 201);
    lineModule(4, 0x0A, 0);

    setSounder(image, 3, {255, 0, 0, 0x0F}, LoopMask());
    setSounder(image, 0, {5, 255, 30, 0x1F}, loops({1, 2, 3}));
    setSounder(image, 1, {0, 1, 0, 0x10}, loops({9, 30}));
    setSounder(image, 2, {0, 0, 0, 0xE2}, LoopMask());

    image.setByte(map::ArchivePointer.offset, 0x30);  // the newest event is record 1
    image.setByte(map::ArchivePointer.offset + 1, 0x10);
    for (std::size_t r = 0; r < 5; ++r) {
        image.record(map::Archive, r)[5] = static_cast<std::uint8_t>(0x10 + r);
        image.record(map::Archive, r)[6] = static_cast<std::uint8_t>(r);
    }
    return image;
}

}  // namespace v5::test
