#include <gtest/gtest.h>

#include "image/image.h"
#include "tests/support/image_builder.h"
#include "image/slots.h"

namespace v5 {
namespace {

TEST(RegionMap, RecordsLandWhereThePanelKeepsThem) {
    EXPECT_EQ(map::KeyRecords.at(989) + 7, 0x22CDU);
    EXPECT_EQ(slotEntryOffset(1), 0x22CEU);
    EXPECT_EQ(slotEntryOffset(7), 0x22DAU);
    EXPECT_EQ(map::LoopParams.at(8), 0x22F6U + 24);
    EXPECT_EQ(map::Indicators.at(8), 0x2636U + 64);
    EXPECT_EQ(map::GroupTable.at(4), 0x2866U);
    EXPECT_EQ(map::GroupTable.at(map::kFirstLinkedEntry + 7), 0x2BBEU);
    EXPECT_EQ(map::Archive.at(1279), 0x7FF0U);
}

TEST(Image, RejectsAccessOutsideTheImageOrARegion) {
    Image image;
    EXPECT_THROW(image.byte(Image::kSize), std::out_of_range);
    EXPECT_THROW(image.span(Image::kSize - 4, 5), std::out_of_range);
    EXPECT_THROW(image.record(map::SlotTable, 20), std::out_of_range);
    EXPECT_THROW(image.groupEntry(112), std::out_of_range);
    EXPECT_NO_THROW(image.span(Image::kSize - 4, 4));
}

TEST(Image, WordsKeepThePanelsByteOrder) {
    Image image;
    image.setWordLE(map::AccessCode.offset, 0x1234);
    EXPECT_EQ(image.byte(0x2CF9), 0x34);
    EXPECT_EQ(image.byte(0x2CFA), 0x12);
    image.setByte(0x2FFE, 0x30);
    image.setByte(0x2FFF, 0x20);
    EXPECT_EQ(image.wordBE(map::ArchivePointer.offset), 0x3020);
}

TEST(LoopMask, LoopLIsBitLMinusOneModEightOfByteLMinusOneDivEight) {
    const std::uint8_t bytes[8] = {0x17, 0, 0, 0, 0, 0, 0, 0x80};
    const LoopMask mask = LoopMask::fromBytes(bytes);
    EXPECT_EQ(mask.loops(), (std::vector<int>{1, 2, 3, 5, 64}));
    EXPECT_EQ(mask.moduleByte(1), 0x17);
    EXPECT_EQ(mask.moduleByte(8), 0x80);
    std::uint8_t back[8] = {};
    mask.toBytes(back);
    EXPECT_TRUE(std::equal(std::begin(bytes), std::end(bytes), back));

    LoopMask built;
    built.set(9);
    built.set(0);   // not a loop
    built.set(65);  // not a loop
    EXPECT_EQ(built.bits(), 0x100U);
    EXPECT_FALSE(built.has(0));
    EXPECT_TRUE(built.intersects(test::loops({9, 10})));
    EXPECT_FALSE(built.intersects(test::loops({1})));
}

TEST(Image, GroupEntriesReadTheSharedTable) {
    Image image;
    image.setGroupEntry(64, test::loops({1, 64}));
    EXPECT_EQ(image.byte(map::Razdels.offset), 0x01);
    EXPECT_EQ(image.byte(map::Razdels.offset + 7), 0x80);
    EXPECT_EQ(image.groupEntry(64), test::loops({1, 64}));
}

TEST(SlotNames, CaptionsFollowTheSlotTable) {
    Image image;
    const auto at = slotEntryOffset(3);
    image.setByte(at, 3);
    image.setByte(at + 1, 5);
    image.setByte(slotEntryOffset(4), 0);
    image.setByte(slotEntryOffset(4) + 1, 9);
    image.setByte(slotEntryOffset(5), 7);  // a kind the panel does not have
    image.setByte(slotEntryOffset(5) + 1, 2);
    image.setByte(slotEntryOffset(6), 2);
    image.setByte(slotEntryOffset(6) + 1, 15);
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    EXPECT_EQ(captions.at(3), QStringLiteral("МШС6"));
    EXPECT_EQ(captions.at(4), QStringLiteral("4"));
    EXPECT_EQ(captions.at(5), QStringLiteral("3"));
    EXPECT_EQ(captions.at(6), QStringLiteral("МР16"));
    EXPECT_EQ(captions.at(20), QStringLiteral("20"));
    EXPECT_FALSE(captions.isPlaced(QStringLiteral("МШС3")));
}

TEST(SlotNames, PlacedTestDoesNotConfuseMr1WithMr10) {
    SlotCaptions captions;
    captions.set(2, QStringLiteral("МР10"));
    EXPECT_FALSE(captions.isPlaced(QStringLiteral("МР1")));
    EXPECT_TRUE(captions.isPlaced(QStringLiteral("МР10")));
    captions.set(20, QStringLiteral("МР1"));
    EXPECT_TRUE(captions.isPlaced(QStringLiteral("МР1")));
}

// The slot text built once per pass answers as the text built for every test did, also for captions
// that are not module names: a blank inside a caption, a name at the very end, "МР1" in "МР10 МР1".
TEST(SlotNames, SlotTextBuiltOnceAnswersAsTheTextBuiltEachTime) {
    const QStringList captionSets[] = {
        {QStringLiteral("МР10"), QStringLiteral("МР1")},
        {QStringLiteral("МР10"), QStringLiteral("МР11")},
        {QStringLiteral("МШС1 МР2"), QString()},
        {QStringLiteral("МС8")},
        {QStringLiteral("ММР1"), QStringLiteral("МР1МР1")},
    };
    QStringList names = allModuleNames();
    names << QString() << QStringLiteral("МР1 ") << QStringLiteral(" ") << QStringLiteral("1")
          << QStringLiteral("20");
    for (const QStringList& set : captionSets) {
        SlotCaptions captions;
        for (qsizetype i = 0; i < set.size(); ++i)
            captions.set(kSlotCount - static_cast<int>(i), set[i]);  // the last slots, so names end the text
        QString text = QStringLiteral(" ");
        for (int s = 1; s <= kSlotCount; ++s)
            text += captions.at(s) + QLatin1Char(' ');
        const SlotText once(captions);
        for (const QString& name : names) {
            SCOPED_TRACE((set.join(QLatin1Char('|')) + QStringLiteral(" / ") + name).toStdString());
            EXPECT_EQ(once.isPlaced(name), text.contains(name + QLatin1Char(' ')));
            EXPECT_EQ(captions.isPlaced(name), text.contains(name + QLatin1Char(' ')));
        }
    }
}

TEST(SlotNames, OnlyTheFortyCanonicalNamesAreModules) {
    EXPECT_EQ(allModuleNames().size(), 40);
    EXPECT_EQ(allModuleNames().front(), QStringLiteral("МШС1"));
    EXPECT_EQ(allModuleNames().back(), QStringLiteral("МС8"));
    EXPECT_EQ(parseModuleName(QStringLiteral("МР16")), (ModuleId{ModuleKind::MR, 16}));
    for (const char16_t* bad : {u"МР17", u"МР0", u"МР01", u"МШС9", u"МДВ1", u"МС", u"7", u""})
        EXPECT_FALSE(parseModuleName(QString::fromUtf16(bad))) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(Type2Capt(1), QStringLiteral("МД"));
    EXPECT_EQ(Type2Capt(5), QString());
}

}  // namespace
}  // namespace v5
