// Writes the seed corpus of every fuzz target: hand-made edge images and inputs, so that the tree holds
// the recipe rather than binaries. Usage: fuzz_seeds OUTDIR  (makes OUTDIR/<target>/ for each target)
#include <cstdio>
#include <functional>
#include <string_view>

#include <QDir>

#include "tests/support/image_builder.h"
#include "keys/key_table.h"
#include "tests/support/random_image.h"
#include "files/settings_file.h"
#include "image/slots.h"
#include "image/tables.h"
#include "link/up5_protocol.h"

namespace v5 {
namespace {

struct Seed {
    const char* name;
    std::function<Image()> make;
};

Image filled(std::uint8_t value) {
    Image image;
    image.fill(0, Image::kSize, value);
    return image;
}

// Every slot holds a module, every zone and partition exists, every key record is used with every kind
// of assignment, the pass-through places are taken, the archive is full.
Image populated() {
    Image image;
    const QStringList& names = allModuleNames();
    const int kinds[] = {0, 8, 24, 32};  // МШС1.., МР1.., МД1.., МС1..
    int slot = 1;
    for (int k : kinds)
        for (int i = 0; i < 5 && slot <= kSlotCount; ++i)
            test::placeModule(image, slot++, names.at(k + i));
    for (std::size_t l = 0; l < map::LoopParams.count; ++l) {
        auto loop = image.record(map::LoopParams, l);
        loop[0] = static_cast<std::uint8_t>(l * 37);
        loop[1] = static_cast<std::uint8_t>(l * 11);
        loop[2] = static_cast<std::uint8_t>(0x20 | l);
    }
    for (int z = 1; z <= 64; ++z)
        setZonaMask(image, z, test::loops({z}));
    for (int p = 1; p <= 32; ++p)
        setRazdelMask(image, p, test::loops({2 * p - 1, 2 * p}));
    for (int i = 1; i <= 8; ++i) {
        setPassThroughRecord(image, i, test::loops({i}));
        setLinkedMask(image, i, test::loops({i + 8, i + 16}));
    }
    for (std::size_t r = 0; r < map::KeyRecords.count; ++r) {
        auto key = image.record(map::KeyRecords, r);
        for (std::size_t b = 0; b < kKeyCodeBytes; ++b)
            key[b] = static_cast<std::uint8_t>(r * 7 + b + 1);
        key[kAssignmentByte] = static_cast<std::uint8_t>(r % 256);
        key[kTarniaByte] = static_cast<std::uint8_t>(r % 17);
        SetCRC(image, r);
    }
    for (std::size_t e = 0; e < map::Archive.count; ++e) {
        auto record = image.record(map::Archive, e);
        for (std::size_t b = 0; b < record.size(); ++b)
            record[b] = static_cast<std::uint8_t>(e + b * 13);
    }
    image.setWordLE(map::ExtModules.offset, 0x0FFF);
    image.setWordLE(map::AccessCode.offset, 0x1234);
    return image;
}

// Slot entries of unknown kinds and numbers out of range, the same module twice.
Image oddSlots() {
    Image image = test::randomImage(11);
    for (int s = 1; s <= kSlotCount; ++s) {
        image.setByte(slotEntryOffset(s), static_cast<std::uint8_t>(s % 7));
        image.setByte(slotEntryOffset(s) + 1, static_cast<std::uint8_t>(s * 3));
    }
    return image;
}

// Pass-through places whose linked masks overlap their own zone, records without zones, and keys of
// zones and partitions that hold no loop.
Image oddGroups() {
    Image image = test::randomImage(12);
    setZonaMask(image, 1, test::loops({1, 2, 3}));
    setPassThroughRecord(image, 1, test::loops({1, 2, 3}));
    setLinkedMask(image, 1, test::loops({2, 9}));
    setPassThroughRecord(image, 2, test::loops({40}));
    setLinkedMask(image, 2, LoopMask());
    setZonaMask(image, 5, LoopMask());
    image.record(map::KeyRecords, 0)[kAssignmentByte] = 4;     // zone 5, empty
    image.record(map::KeyRecords, 1)[kAssignmentByte] = 0x5F;  // partition 32
    image.record(map::KeyRecords, 2)[kAssignmentByte] = 0x7F;
    image.record(map::KeyRecords, 3)[kAssignmentByte] = 0xC7;  // 199: past the group table
    image.record(map::KeyRecords, 4)[kAssignmentByte] = kInstallerKey;
    image.record(map::KeyRecords, 5)[kAssignmentByte] = kRapidResponseKey;
    return image;
}

// The archive pointer at and past its ends, the access code not decimal.
Image archiveEdge(std::uint16_t pointer) {
    Image image = test::randomImage(pointer);
    image.setByte(map::ArchivePointer.offset, static_cast<std::uint8_t>(pointer >> 8));
    image.setByte(map::ArchivePointer.offset + 1, static_cast<std::uint8_t>(pointer));
    image.setWordLE(map::AccessCode.offset, 0xABCD);
    return image;
}

const Seed kImages[] = {
    {"zero", [] { return Image(); }},
    {"ff", [] { return filled(0xFF); }},
    {"populated", populated},
    {"odd-slots", oddSlots},
    {"odd-groups", oddGroups},
    {"archive-start", [] { return archiveEdge(0x3000); }},
    {"archive-end", [] { return archiveEdge(0x7FFF); }},
    {"archive-outside", [] { return archiveEdge(0xFFFF); }},
    {"random-1", [] { return test::randomImage(1); }},
    {"random-2", [] { return test::randomImage(2); }},
};

bool write(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    return test::writeAll(folder + QLatin1Char('/') + name, bytes);
}

QByteArray actions(std::uint32_t seed, int count) {
    test::RandomBytes random(seed);
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(random.byte()));
    return bytes;
}

int run(const QString& out) {
    bool ok = true;
    std::uint32_t n = 0;
    for (const Seed& seed : kImages) {
        const QByteArray image = seed.make().toByteArray();
        const QString name = QString::fromLatin1(seed.name);
        ok &= write(out + QStringLiteral("/sweep"), name, image);
        ok &= write(out + QStringLiteral("/panes"), name, image + actions(++n, 96));
    }

    const QByteArray settings = kImages[2].make().toByteArray();
    const QByteArray files[] = {"",
                                "1",
                                "9",
                                "0",
                                "ttyUSB0",
                                "/dev/ttyACM1\nbackup=0\nverify=off\n",
                                "3\r\nbackup=no\r\nverify=YES\r\n",
                                "\nbackup=1",
                                "COM12\nverify=0",
                                QByteArray(300, 'x'),
                                settings.left(32767),
                                settings,
                                settings + "tail"};
    int i = 0;
    for (const QByteArray& file : files)
        ok &= write(out + QStringLiteral("/files"), QStringLiteral("file-%1").arg(i++), file);

    // Device replies: the operation, the flags, a parameter, then reply chunks. Each operation once as
    // the module answers when all goes well, and once with the module silent.
    const char wake = static_cast<char>(up5::kWakeUp);
    const auto literal = [](QByteArray bytes) {
        return QByteArray(1, '\0') + static_cast<char>(bytes.size()) + '\0' + bytes;
    };
    const auto fill = [](int blocks, char value) {
        return QByteArray(1, '\x01') + static_cast<char>(blocks - 1) + value + '\x05';
    };
    const QByteArray status(4, static_cast<char>(up5::kStatusOk));
    const QByteArray replies[] = {
        QByteArray("\x00\x00\x00", 3) + literal(QByteArray(1, wake)) + fill(128, 0x11) + literal(status),
        QByteArray("\x01\x00\x00", 3) + literal(QByteArray(1, wake)) + QByteArray("\x02\x20", 2) +
            literal(status),
        QByteArray("\x02\x00\x00", 3) + literal(QByteArray(1, wake)) + fill(128, 0x22),
        QByteArray("\x03\x00\x00", 3) + literal(QByteArray(1, wake) + static_cast<char>(up5::kPanelReady)),
        QByteArray("\x04\x00\x00", 3) +
            literal(QByteArray(1, wake) + QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08")),
        QByteArray("\x05\x00\x00", 3) + literal(QByteArray(1, wake)) + literal(QByteArray(60, '\x33')) +
            literal(QByteArray(60, '\x34')) + literal(QByteArray(24, '\x35')),
        QByteArray("\x05\x00\x00", 3) +
            literal(QByteArray(1, wake) + static_cast<char>(up5::kConsoleMissing)),
        QByteArray("\x00\x10\x00", 3),
        QByteArray("\x03\x03\x05", 3) + literal(QByteArray(1, wake)),
    };
    i = 0;
    for (const QByteArray& reply : replies)
        ok &= write(out + QStringLiteral("/device"), QStringLiteral("reply-%1").arg(i++), reply);

    using namespace std::string_view_literals;
    const std::string_view commands[] = {
        "report\0a.v5"sv,
        "report\0a.v5\0-o\0-\0--utf8"sv,
        "archive\0b.v5\0-o\0arj.txt"sv,
        "info\0a.v5"sv,
        "diff\0a.v5\0b.v5\0--json"sv,
        "check\0short.v5"sv,
        "check\0a.v5\0--json"sv,
        "keys\0a.v5\0--csv\0--by-zone"sv,
        "read-chip\0--port\0COM1\0-o\0out.v5"sv,
        "write-panel\0--port=COM2\0a.v5\0--no-backup\0--no-verify\0--stats"sv,
        "version"sv,
        "--help"sv};
    i = 0;
    for (const std::string_view command : commands)
        ok &= write(out + QStringLiteral("/cli"), QStringLiteral("args-%1").arg(i++),
                    QByteArray(command.data(), static_cast<qsizetype>(command.size())));
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace v5

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
        return 2;
    }
    return v5::run(QString::fromLocal8Bit(argv[1]));
}
