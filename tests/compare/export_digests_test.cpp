// Every text the program writes from an image, pinned by digest over a table of varied images: the
// report, the event archive, the check and the difference lists. The line builders are tuned for speed;
// these digests were taken from the straightforward builders they replace, so a builder that drops,
// adds or moves one character anywhere shows up here.
#include <gtest/gtest.h>

#include <QCryptographicHash>

#include "compare/configuration_check.h"
#include "compare/configuration_diff.h"
#include "image/orphan_sweep.h"
#include "reports/configuration_report.h"
#include "reports/event_archive.h"
#include "tests/support/random_image.h"

namespace v5 {
namespace export_digests {
namespace {

Image uniformImage(std::uint32_t seed) {
    Image::Bytes bytes{};
    std::uint32_t x = seed;
    for (auto& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    Image image;
    image.assign(bytes);
    return image;
}

Image filled(std::uint8_t value) {
    Image::Bytes bytes{};
    bytes.fill(value);
    Image image;
    image.assign(bytes);
    return image;
}

Image swept(Image image) {
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    ClearSheet(image, captions);
    return image;
}

// A few bytes changed here and there: the short difference lists of an edit.
Image touched(Image image, std::uint32_t seed) {
    test::RandomBytes random(seed);
    for (int i = 0; i < 12; ++i) {
        // The digests were taken with the byte drawn before its place; drawn in this order on every
        // compiler (the order of a call's arguments is not fixed).
        const std::uint8_t value = random.byte();
        image.setByte(random.below(Image::kSize), value);
    }
    return image;
}

void add(QCryptographicHash& hash, const QStringList& lines) {
    for (const QString& line : lines) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(line.utf16()), line.size() * 2));
        hash.addData(QByteArrayView("\n\0", 2));
    }
    hash.addData(QByteArrayView("--", 2));
}

// One digest over everything written from `image`, and from its comparison with `before`.
QByteArray exportsDigest(const Image& before, const Image& image) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    add(hash, configurationReport(image));
    add(hash, eventArchive(image));
    add(hash, problemLines(checkConfiguration(image)));
    add(hash, differenceLines(compareConfigurations(before, image)));
    add(hash, differenceLines(compareConfigurations(before, image, CompareScope::ConfigurationArea)));
    add(hash, differenceLines(compareConfigurations(image, before)));
    return hash.result().toHex();
}

struct Case {
    const char* name;
    Image before;
    Image image;
};

std::vector<Case> cases() {
    std::vector<Case> out;
    out.push_back({"blank", Image(), Image()});
    out.push_back({"all FF", Image(), filled(0xFF)});
    out.push_back({"all 01", filled(0xFF), filled(0x01)});
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const Image image = test::randomImage(seed);
        out.push_back({"random", test::randomImage(seed + 100), image});
        out.push_back({"random swept", image, swept(image)});
        out.push_back({"random touched", image, touched(image, seed)});
    }
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        const Image image = uniformImage(seed);
        out.push_back({"uniform", uniformImage(seed + 100), image});
        out.push_back({"uniform swept", image, swept(image)});
        out.push_back({"uniform touched", swept(image), touched(swept(image), seed)});
    }
    return out;
}

TEST(ExportDigests, EveryTextStaysByteForByte) {
    static constexpr const char* kDigests[] = {
        "7139f8a4d206ebf19ef6e7ba6b882811842d9610", "827e35fa7f34201189cadfcde39c8700fa767bb6",
        "e374cf33eebc2694110a99b2a8d3aff669a677e7", "646783b48e08f4e160535808089e0470d067a81e",
        "1d1054743164d0b27a9c2ff053f7c4409fdbd3ad", "194ab9a7e9696136b263435ad1208a61e31d140d",
        "c5ec569ac959388b8f6730f5b5601b79e9e460ee", "9775dcf220f71d4345a2f27629b54650427b9bca",
        "3263573b899e1645c9d7ef840b11f4802dcf554e", "1ce3a3f7fa1d7e8d5bbe9ad646862e1b01e976c6",
        "5f0fda8cd70f69094f9a5aaaca2f0f8c00b4acd7", "ed1f8772ec6bbf0244678cf4c8339920f7263fd7",
        "43bba34323314cffa76e8107926f36b1ef87d3a1", "f8e5905b9a887de8f73f290959dc07f069bac67a",
        "ca0910b3587767ca09a24a38e7454a639352c904", "cf878b41e20c7c65dc6d96289cbfcc0942f1c6bc",
        "9d17ab308611a41d8ed7a43a9ebc143cb4ca32f7", "6273289101933dfafffb3011e13c50004f6d98cf",
        "5efd496b81a692b0659d8d93db046f19f7351223", "5213477dad86fb7710de1966b0f4d5cf9a048c7a",
        "fb65818b1f6adc67a60a1ebe79621af17dec1701", "7ec6afd24a305733affcd54878850bd7fd5d3c8c",
        "254c97228298d3ff586ceb3536a41e08e88b6317", "340a8f7af5c44dc17207a1fd0a364165285a3718",
        "609fd332fae3286a8667779995291db29befab1d", "db7eed112809a4d5eb8fd87e5561dc56a00ea39c",
        "d172a94ffea70cdfb1094cef0a3b215a5bdcda7b", "f47d16e750d07bf6fda98f410e3ff19122c30cd7",
        "af93f5e45cb7eb1af83fa67296827a0dbcc830b3", "cfdac7d94a035a223b318e6a2022b13a011aae4e",
        "af3653fc438a2ab69024ad43556d784b73ebd5f2", "31c21af964bd41162035c3c1d03383aebe7698a1",
        "957aaf4de0933da394e3ff40c0a8ff4d7510f5d3", "d8314a96618d44150d4e69f9bbd18c3b6cb357aa",
        "59b989c830751f2600f2ad761711c4830259ce6d", "e3cd5a403f766c47849294fd709cb019575e3662",
        "4910d7b1a6175399d2ee04cfdf8ae9d74f595e31", "4cc387f30bbb25419b6f52012423e04dba594a9b",
        "5cc0b0810d15925bf23cd853e4a342d4f8a33684", "01759d4cf483b3c1bf8f9b0edca7e03baf152531",
        "d4d1fd6d5b4cd1e337dc69dc49ff7a80ef39d567", "a5f5aad4a16688fc918c101af17489ac08555631",
        "5ea9b4b19014434c9d33703182ba134586a23e43", "42a7d55f456c8c855afdc765424af0887ff83000",
        "981b10c99b657cd1f15f9dd6b86c3658637b332e", "ee48a4c3bc4d3fbddc7ad8ab67d3ec3b05a7f594",
        "191329eb62467878868af438bcd765609e5c1215", "3366762851acdd85d8632af0e955da52f3690fc1",
        "84d437f16d8056ec4fca98484b03f53b18278fd0", "fb42abdfef24504ee4c8eb33f6f8cf02f116154f",
        "e72f7cb5d15aec19219931be3a5410d753966edc", "46b80dfc532e8686af9f692308dd6100feb379c3",
        "f8eb56857d1b791819a03be3aef9998ecbda939f", "4d16a372db116640fbfd6ecc0adc561e4ec5735c",
        "21ba19fa4f8b7c686c85ba82e42a428b1a39290d", "21a55572fef28fcc22bed698ee33a65cd75cc429",
        "97185734a0c6bb732ec1cc66dbea593f88d5f627",
    };
    const std::vector<Case> table = cases();
    ASSERT_EQ(table.size(), std::size(kDigests));
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(exportsDigest(table[i].before, table[i].image), kDigests[i])
            << "case " << i << " (" << table[i].name << ")";
}

}  // namespace
}  // namespace export_digests
}  // namespace v5
