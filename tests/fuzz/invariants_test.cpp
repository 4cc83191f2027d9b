#include <gtest/gtest.h>

#include <tuple>

#include <QStringDecoder>
#include <QTemporaryDir>

#include "tests/support/image_builder.h"
#include "compare/configuration_check.h"
#include "fuzz/invariants/invariants.h"
#include "keys/key_table.h"
#include "image/orphan_sweep.h"
#include "fuzz/invariants/pane_session.h"
#include "tests/support/qt_print.h"
#include "tests/support/random_image.h"
#include "image/tables.h"
#include "reports/text_encoding.h"

namespace v5::fuzz {
namespace {

SlotCaptions captionsOf(const Image& image) {
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    return captions;
}

TEST(InvariantChecks, SecondSweepIsCaughtWhenTheSweepIsBroken) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Image image = test::randomImage(seed);
        const SlotCaptions captions = captionsOf(image);
        EXPECT_FALSE(checkResetIdempotent(image, [&](Image& i) { ClearSheet(i, captions); })) << seed;

        // A sweep that toggles the option byte's auto-arming bit on every run: each reset alone looks
        // plausible, the second one changes a byte.
        Image broken = test::randomImage(seed);
        const auto check = checkResetIdempotent(broken, [&](Image& i) {
            ClearSheet(i, captions);
            i.setByte(map::OptionByte.offset, i.byte(map::OptionByte.offset) ^ 0x01);
        });
        ASSERT_TRUE(check) << seed;
        EXPECT_EQ(check->invariant, QStringLiteral("reset-idempotent"));
        EXPECT_TRUE(check->detail.contains(QStringLiteral("0x2bc6"))) << check->detail.toStdString();
    }
}

TEST(InvariantChecks, ViewTwiceCatchesAViewThatKeepsChanging) {
    Image image = test::randomImage(3);
    // A first view that commits something is fine; only a second change is not.
    bool first = true;
    EXPECT_FALSE(checkViewTwiceStable(image, [&](Image& i) {
        if (first) i.setByte(map::OptionByte.offset, 0x05);
        first = false;
    }));
    const auto check = checkViewTwiceStable(image, [](Image& i) {
        const std::size_t at = map::PassThrough.offset;
        i.setByte(at, static_cast<std::uint8_t>(i.byte(at) >> 1));  // erases one loop per view
        i.setByte(at, static_cast<std::uint8_t>(i.byte(at) | 0x80));
    });
    ASSERT_TRUE(check);
    EXPECT_EQ(check->invariant, QStringLiteral("view-twice-stable"));
}

TEST(InvariantChecks, NewInstallerOrRapidResponseKeysAreCaught) {
    struct Case {
        std::uint8_t before, after;
        bool caught;
    };
    const Case cases[] = {{0x05, kInstallerKey, true},
                          {0x05, kRapidResponseKey, true},
                          {kRapidResponseKey, kInstallerKey, true},
                          {kInstallerKey, kInstallerKey, false},
                          {0x05, config::kNoAssignment, false},
                          {kInstallerKey, 0x41, false}};
    for (const Case& c : cases) {
        Image before;
        before.record(map::KeyRecords, 989)[kAssignmentByte] = c.before;
        Image after = before;
        after.record(map::KeyRecords, 989)[kAssignmentByte] = c.after;
        const auto check = checkNoNewSpecialKeys(before, after);
        EXPECT_EQ(check.has_value(), c.caught) << int(c.before) << "->" << int(c.after);
        if (check) {
            EXPECT_TRUE(check->detail.contains(QStringLiteral("989"))) << check->detail.toStdString();
        }
    }
}

// Differences at block edges, at the ends of the image and of the range asked for, one or many.
TEST(InvariantChecks, FirstDifferenceIsTheFirstDifferingByteOfTheRange) {
    const Image base = test::randomImage(5);
    const std::vector<std::vector<std::size_t>> changed = {
        {}, {0}, {63}, {64}, {65}, {127, 128}, {0x2FFF}, {0x3000}, {Image::kSize - 1}, {100, 5000, 0x3001},
    };
    const std::pair<std::size_t, std::size_t> ranges[] = {
        {0, Image::kSize},
        {64, 128},
        {65, 0x3000},
        {0x3000, Image::kSize},
        {128, 64},
        {0, Image::kSize + 9},
        {Image::kSize - 1, Image::kSize},
        {5000, 5001},
        {101, 4999},
    };
    for (const auto& offsets : changed) {
        Image other = base;
        for (std::size_t at : offsets)
            other.setByte(at, static_cast<std::uint8_t>(base.byte(at) ^ 0x10));
        for (const auto& [from, to] : ranges) {
            std::optional<std::size_t> expected;
            for (std::size_t at : offsets)
                if (at >= from && at < to && !expected) expected = at;
            EXPECT_EQ(firstDifference(base, other, from, to), expected) << from << ".." << to;
            EXPECT_EQ(firstDifference(other, base, from, to), expected) << from << ".." << to;
        }
    }
}

TEST(InvariantChecks, ArchiveChangesAreCaughtAtBothEnds) {
    const Image before = test::randomImage(5);
    for (const auto& [offset, caught] :
         {std::pair{std::size_t{0x2FFF}, false}, std::pair{std::size_t{0x3000}, true},
          std::pair{std::size_t{0x7FFF}, true}}) {
        Image after = before;
        after.setByte(offset, static_cast<std::uint8_t>(~after.byte(offset)));
        EXPECT_EQ(checkArchiveUntouched(before, after).has_value(), caught) << offset;
    }
}

TEST(InvariantChecks, DiffMustBeEmptyExactlyWhenTheConfigurationBytesAreEqual) {
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const Image a = test::randomImage(seed);
        const Image b = test::randomImage(seed + 100);
        Image archiveOnly = a;
        archiveOnly.setByte(0x4000, static_cast<std::uint8_t>(~a.byte(0x4000)));
        Image oneByte = a;
        oneByte.setByte(map::Reserved.offset + 7,
                        static_cast<std::uint8_t>(~a.byte(map::Reserved.offset + 7)));
        EXPECT_FALSE(checkDiffMatchesBytes(a, b)) << seed;
        EXPECT_FALSE(checkDiffMatchesBytes(a, a)) << seed;
        EXPECT_FALSE(checkDiffMatchesBytes(a, archiveOnly)) << seed;
        EXPECT_FALSE(checkDiffMatchesBytes(a, oneByte)) << seed;
    }
    const Image a = test::randomImage(1);
    const Image b = test::randomImage(2);
    EXPECT_TRUE(checkDiffMatchesBytes(a, b, [](const Image&, const Image&) { return std::size_t{0}; }));
    EXPECT_TRUE(checkDiffMatchesBytes(a, a, [](const Image&, const Image&) { return std::size_t{1}; }));
}

TEST(InvariantChecks, TextOutsideWindows1251AndSlowExportsAreCaught) {
    EXPECT_FALSE(checkWindows1251(QStringLiteral("report"),
                                  {QStringLiteral("Зона 1: шлейфы 1-8 «проходная» №5"), QString()}));
    const auto check = checkWindows1251(QStringLiteral("report"), {QStringLiteral("Зона \u4E2D")});
    ASSERT_TRUE(check);
    EXPECT_EQ(check->invariant, QStringLiteral("windows-1251"));
    // The place counts every character before it, each line's CR LF too.
    const auto later = checkWindows1251(
        QStringLiteral("report"), {QStringLiteral("ab"), QString(), QStringLiteral("Зона \u4E2D\u4E2D")});
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->detail.endsWith(QStringLiteral("at character 11 (U+4e2d)")))
        << later->detail.toStdString();
    // The check and the exporters' encoder agree on every character: what the check takes is written and
    // read back unchanged, and what it refuses the encoder cannot write.
    QString accepted;
    for (char32_t u = 1; u < 0xD800; ++u) {
        const QString one(QChar(static_cast<char16_t>(u)));
        if (!checkWindows1251(QStringLiteral("report"), {one})) {
            accepted += one;
            continue;
        }
        bool written = true;
        try {
            QStringDecoder decoder("windows-1251");
            written = decoder.decode(encodeLines({one}, TextFormat::Windows1251CrLf)) ==
                      one + QStringLiteral("\r\n");
        } catch (const TextEncodingError&) {
            written = false;
        }
        EXPECT_FALSE(written) << "U+" << std::hex << static_cast<unsigned>(u);
    }
    QStringDecoder decoder("windows-1251");
    EXPECT_EQ(decoder.decode(encodeLines({accepted}, TextFormat::Windows1251CrLf)),
              accepted + QStringLiteral("\r\n"));
    EXPECT_GT(accepted.size(), 200);
    EXPECT_FALSE(checkBoundedTime(QStringLiteral("archive"), 10, 10));
    EXPECT_TRUE(checkBoundedTime(QStringLiteral("archive"), 11, 10));
}

TEST(InvariantChecks, JsonThatDoesNotReadBackAsTheListIsCaught) {
    const std::vector<Problem> problems = checkConfiguration(test::randomImage(4));
    ASSERT_GE(problems.size(), 2u);
    QStringList lines;
    for (const Problem& p : problems)
        lines << p.line();
    const QByteArray json = problemJson(problems);
    const QString line = QStringLiteral("line");
    EXPECT_FALSE(checkJsonReadsBack(QStringLiteral("check"), json, line, lines));

    QStringList otherText = lines;
    otherText.last() += QLatin1Char('!');
    const QByteArray cut = json.left(json.size() / 2);
    for (const auto& [bytes, expected, says] :
         {std::tuple{cut, lines, "not a JSON array"}, std::tuple{json, lines.mid(1), "objects for"},
          std::tuple{json, otherText, "reads"}}) {
        const auto check = checkJsonReadsBack(QStringLiteral("check"), bytes, line, expected);
        ASSERT_TRUE(check) << says;
        EXPECT_EQ(check->invariant, QStringLiteral("json"));
        EXPECT_TRUE(check->detail.contains(QLatin1StringView(says))) << check->detail.toStdString();
    }
}

TEST(InvariantChecks, SaveLoadRoundTripAndAFailedWriteIsReported) {
    QTemporaryDir dir;
    EXPECT_FALSE(checkSaveLoadRoundTrip(test::randomImage(9), dir.path()));
    const auto check = checkSaveLoadRoundTrip(test::randomImage(9), dir.path() + QStringLiteral("/missing"));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->invariant, QStringLiteral("save-load"));
}

TEST(InvariantChecks, RecognisesALinkedMaskWithinItsOwnZone) {
    Image image;
    setZonaMask(image, 3, test::loops({1, 2}));
    setPassThroughRecord(image, 2, test::loops({1, 2}));
    setZonaMask(image, 4, test::loops({5}));
    setLinkedMask(image, 2, test::loops({5}));
    EXPECT_EQ(linkedMaskWithinOwnZone(image), 0);
    setLinkedMask(image, 2, test::loops({2}));
    EXPECT_EQ(linkedMaskWithinOwnZone(image), 2);
    // Loop 9 is in no zone: the pane drops it first, which leaves the same shape.
    setLinkedMask(image, 2, test::loops({2, 9}));
    EXPECT_EQ(linkedMaskWithinOwnZone(image), 2);
}

// Random configurations through every pane and the light path: every invariant holds. A finding of the
// fuzz targets becomes a case of its own next to the code it concerns; these keep the session honest.
TEST(PaneSession, RandomImagesKeepEveryInvariant) {
    QTemporaryDir dir;
    PaneSessionOptions options;
    options.folder = dir.path();
    options.skipKnownLinkedZoneErasure = true;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        const Image image = test::randomImage(seed);
        QByteArray input = image.toByteArray();
        test::RandomBytes actions(seed);
        for (int i = 0; i < 400; ++i)
            input.append(static_cast<char>(actions.byte()));
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                     static_cast<std::size_t>(input.size()));
        const PaneSessionResult result = runPaneSession(bytes, options);
        for (const Violation& v : result.violations)
            ADD_FAILURE() << "seed " << seed << ": " << v.invariant.toStdString() << ": "
                          << v.detail.toStdString();
        EXPECT_GT(result.panesOpened, 10) << seed;
        // A refused key code is asked for again, which can take many of the 400 bytes.
        EXPECT_GT(result.editsApplied, 5) << seed;
        for (const Violation& v : runSweepSession(bytes.first(Image::kSize)).violations)
            ADD_FAILURE() << "seed " << seed << ": " << v.invariant.toStdString() << ": "
                          << v.detail.toStdString();
    }
}

}  // namespace
}  // namespace v5::fuzz
