#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "fuzz/invariants/invariants.h"

namespace v5::fuzz {

// One image taken through the whole program without widgets, as an installer would: the image is read
// as a settings file, every pane and module item is opened through the desktop's dispatch and left
// twice, then the trailing bytes choose edits (ticks, type choices, zones and partitions created and
// deleted, keys added and deleted, addresses typed), and at the end the report, the archive, the key
// list in its three orders, the check and the diff against the starting image (with the JSON of a sample
// of each, read back) are made and the image is saved and read back. Every invariant of invariants.h is checked on the way.
struct PaneSessionOptions {
    // Skip the view-twice check of the linked-zone pane on images of the known erasing shape
    // (linkedMaskWithinOwnZone), so that a run can find other things meanwhile.
    bool skipKnownLinkedZoneErasure = false;
    // A folder for the settings files the session reads and writes.
    QString folder;
    // Upper bound for one report or archive, in milliseconds of processor time.
    qint64 exportLimitMs = 5000;
};

struct PaneSessionResult {
    std::vector<Violation> violations;
    int panesOpened = 0;
    int editsApplied = 0;
};

// `data`: the image (its first 32768 bytes; a shorter input is padded with zeros) followed by the
// action bytes.
PaneSessionResult runPaneSession(std::span<const std::uint8_t> data, const PaneSessionOptions& options);

// The light path without panes: the image as read, the orphan sweep (twice, for its idempotence), the
// report, the archive, the check and the diff.
PaneSessionResult runSweepSession(std::span<const std::uint8_t> data, qint64 exportLimitMs = 5000);

// V5_FUZZ_SKIP_KNOWN holds "linked-zone-erasure" (a comma-separated list).
bool skipKnownLinkedZoneErasureFromEnvironment();

}  // namespace v5::fuzz
