#include <gtest/gtest.h>

#include "image/configuration.h"
#include "tests/support/image_builder.h"
#include "tests/support/qt_print.h"
#include "tests/support/random_image.h"

namespace v5 {
namespace {

using namespace config;

TEST(Configuration, PlacesModulesAsTheSlotCaptionsDo) {
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        const Image image = test::randomImage(seed);
        const Configuration c = Configuration::decode(image);
        SlotCaptions captions;
        captions.bntSlotsUpdate(image);
        for (const QString& name : allModuleNames())
            EXPECT_EQ(c.isPlaced(*parseModuleName(name)), captions.isPlaced(name))
                << name.toStdString() << " in image " << seed;
    }
    EXPECT_EQ((SlotEntry{3, 5}.module()), (ModuleId{ModuleKind::MShS, 6}));
    EXPECT_EQ((SlotEntry{2, 15}.module()), (ModuleId{ModuleKind::MR, 16}));
    EXPECT_FALSE((SlotEntry{3, 8}.module()));
    EXPECT_FALSE((SlotEntry{7, 0}.module()));
}

TEST(Configuration, NamesThePassThroughZoneAsTheReportDoes) {
    Image image;
    image.setGroupEntry(map::kFirstZoneEntry + 2, test::loops({9}));
    image.setGroupEntry(map::kFirstZoneEntry + 6, test::loops({9}));  // the same loops: the last one is named
    image.setGroupEntry(map::kFirstPassThroughEntry, test::loops({9}));
    image.setGroupEntry(map::kFirstPassThroughEntry + 1, test::loops({10}));
    const Configuration c = Configuration::decode(image);
    EXPECT_EQ(c.passThroughZona(1), 7);
    EXPECT_EQ(c.passThroughZona(2), 0);
    EXPECT_EQ(c.passThroughZona(3), 0);
    EXPECT_EQ(c.passThroughInUse(), 2);
    EXPECT_TRUE(c.assignmentExists(KeyAssignment{0x02}));
    EXPECT_FALSE(c.assignmentExists(KeyAssignment{0x03}));
    EXPECT_FALSE(c.assignmentExists(KeyAssignment{0x40}));
}

}  // namespace
}  // namespace v5
