#pragma once

#include <cstddef>
#include <functional>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "image/image.h"

namespace v5::fuzz {

// An invariant that did not hold: which one, and where.
struct Violation {
    QString invariant;  // a short fixed name, e.g. "reset-idempotent"
    QString detail;     // the first offending offset or record, the text that failed
};
using Check = std::optional<Violation>;

// The first offset in [from, to) where the images differ.
std::optional<std::size_t> firstDifference(const Image& a, const Image& b, std::size_t from = 0,
                                           std::size_t to = Image::kSize);

// Something done to an image in place: a pane reset, a sweep, opening a pane and leaving it.
using ImageAction = std::function<void(Image&)>;

// A second reset right after a reset changes no byte. Runs `reset` twice on `image`.
Check checkResetIdempotent(Image& image, const ImageAction& reset);

// Opening a pane and leaving it a second time changes nothing the first time did not. Runs
// `viewAndLeave` twice on `image`.
Check checkViewTwiceStable(Image& image, const ImageAction& viewAndLeave);

// Views without edits never give a key record the installer (0xFA) or rapid-response (0xFB)
// assignment it did not hold.
Check checkNoNewSpecialKeys(const Image& before, const Image& after);

// The event archive (0x3000 .. 0x7FFF) is the panel's own: nothing a pane does changes it.
Check checkArchiveUntouched(const Image& before, const Image& after);

// The number of differences a comparison of the configuration areas lists.
using DiffCount = std::function<std::size_t(const Image& before, const Image& after)>;
std::size_t configurationDiffCount(const Image& before, const Image& after);
// The diff of two images is empty exactly when their bytes 0x0000 .. 0x2FFF are equal.
Check checkDiffMatchesBytes(const Image& before, const Image& after,
                            const DiffCount& diff = configurationDiffCount);

// A text export (`what`: "report", "archive") is valid Windows-1251: every character has a code there
// and decoding the bytes gives the text back.
Check checkWindows1251(const QString& what, const QStringList& lines);
// A text export took no longer than `limitMs`.
Check checkBoundedTime(const QString& what, qint64 elapsedMs, qint64 limitMs);

// The JSON of a list (`what`: "check", "diff") reads back as an array of as many objects as there are
// `expected` texts, each object's `field` equal to its text.
Check checkJsonReadsBack(const QString& what, const QByteArray& json, const QString& field,
                         const QStringList& expected);

// Writing the image as a settings file in `folder` and reading it back gives the same 32768 bytes.
Check checkSaveLoadRoundTrip(const Image& image, const QString& folder);

// The pass-through place whose linked mask holds, of the loops in zones, only loops of its own zone,
// or 0. Viewing the linked-zone pane twice on such an image used to erase bytes; the fuzz targets
// pass over the shape only when asked to (V5_FUZZ_SKIP_KNOWN=linked-zone-erasure), e.g. to look at
// an older build.
int linkedMaskWithinOwnZone(const Image& image);

}  // namespace v5::fuzz
