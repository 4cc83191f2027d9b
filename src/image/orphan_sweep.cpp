#include "image/orphan_sweep.h"

#include "image/records.h"
#include "image/tables.h"

namespace v5 {

using namespace config;

namespace {

constexpr int kLoopsPerModule = 8;

// The loop modules not in the rack (bit k: loop module k+1) leave every loop mask, their eight loops
// one byte of each mask, and the lists of the line modules; their loop records go blank. One pass over
// the records for all of them.
void clearLoopModules(Image& image, std::uint8_t absent) {
    std::uint64_t kept = 0;
    for (std::size_t k = 0; k < 8; ++k) {
        if (absent & (1U << k)) {
            for (std::size_t j = 0; j < kLoopsPerModule; ++j)
                kBlankLoop.encode(image, kLoopsPerModule * k + j);
        } else {
            kept |= std::uint64_t{0xFF} << (kLoopsPerModule * k);
        }
    }
    const auto strip = [kept](LoopMask mask) { return LoopMask(mask.bits() & kept); };
    for (std::size_t e = 0; e < static_cast<std::size_t>(kIndicatorCount); ++e) {
        IndicatorEntry entry = IndicatorEntry::decode(image, e);
        entry.loops = strip(entry.loops);
        entry.encode(image, e);
    }
    for (std::size_t r = 0; r < static_cast<std::size_t>(kRelayCount); ++r) {
        Relay relay = Relay::decode(image, r);
        relay.loops = strip(relay.loops);
        relay.encode(image, r);
    }
    for (std::size_t s = 0; s < kSounderCount; ++s) {
        Sounder sounder = Sounder::decode(image, s);
        sounder.loops = strip(sounder.loops);
        sounder.encode(image, s);
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(kLineModuleCount); ++n) {
        LineModule line = LineModule::decode(image, n);
        line.loopModules = static_cast<std::uint8_t>(line.loopModules & ~absent);
        line.encode(image, n);
    }
    // Zones and partitions; the pass-through places follow their zones through the linked-zone pane.
    for (std::size_t e = 0; e < map::kFirstPassThroughEntry; ++e) {
        GroupEntry entry = GroupEntry::decode(image, e);
        entry.loops = strip(entry.loops);
        entry.encode(image, e);
    }
}

}  // namespace

void ClearSheet(Image& image, const SlotCaptions& captions) {
    // One slot text for the whole pass, as the panel's tool builds it.
    const SlotText placed(captions);
    std::uint8_t absent = 0;
    for (int m = 1; m <= 8; ++m)
        if (!placed.isPlaced(ModuleId{ModuleKind::MShS, m})) absent |= static_cast<std::uint8_t>(1U << (m - 1));
    if (absent != 0) clearLoopModules(image, absent);

    for (int n = 1; n <= kLineModuleCount; ++n)
        if (!placed.isPlaced(ModuleId{ModuleKind::MS, n}))
            LineModule{0x00, kNoLineAddress}.encode(image, static_cast<std::size_t>(n - 1));

    // МД n lights indicators 8n-7..8n, МР n drives relays 4n-3..4n.
    for (int n = 1; n <= 8; ++n)
        if (!placed.isPlaced(ModuleId{ModuleKind::MD, n}))
            for (int x = 0; x < 8; ++x)
                IndicatorEntry{}.encode(image, static_cast<std::size_t>(8 * (n - 1) + x));

    for (int n = 1; n <= 16; ++n)
        if (!placed.isPlaced(ModuleId{ModuleKind::MR, n}))
            for (int r = 0; r < 4; ++r)
                Relay{}.encode(image, static_cast<std::size_t>(4 * (n - 1) + r));

    // After the loop modules, so that a key whose zone has just lost its last loops is unassigned too.
    for (std::size_t i = 0; i < static_cast<std::size_t>(kKeyCount); ++i) {
        Key key = Key::decode(image, i);
        if (key.assignment.byte < kFirstNonGroupAssignment && ZonaEmpty(image, key.assignment.byte)) {
            key.assignment.byte = kNoAssignment;
            key.encode(image, i);
        }
    }
}

}  // namespace v5
