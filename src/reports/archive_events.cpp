#include "reports/archive_events.h"

#include <cstring>

#include "reports/archive_texts.h"
#include "reports/format_text.h"

namespace v5 {

namespace {

namespace at = archive_text;

using Record = config::ArchiveRecord;

bool isEmpty(const Record& r) {
    // Two words instead of a loop over the bytes: every record of the ring is looked at.
    constexpr std::size_t kUsed = Record::kUsedBytes;
    static_assert(kUsed > 8 && kUsed <= 16);
    std::uint64_t low = 0, high = 0;
    std::memcpy(&low, r.bytes.data(), 8);
    std::memcpy(&high, r.bytes.data() + 8, kUsed - 8);
    return (low | high) == 0;
}

QString eventText(std::uint8_t code) {
    for (const at::EventText& e : at::kEventTexts)
        if (e.code == code) return QString::fromUtf16(e.text.data(), static_cast<qsizetype>(e.text.size()));
    return {};
}

// The number a group of codes carries in its low bits, or nothing for codes without one.
QString suffix(std::uint8_t code) {
    const int n = code & 0x0F;
    const int g = code & 0x07;
    switch (code & 0xF0) {
        case 0x10:
            return formatText(at::kKeySuffix, at::kArming, n);
        case 0x30:
            return formatText(at::kKeySuffix, at::kDisarming, n);
        case 0x50:
            return formatText(at::kKeySuffix, at::kMonter, n);
        case 0xA0:
            return formatText(at::kKeySuffix, at::kGZ, n);
        case 0xC0:
            return formatText(code & 0x08 ? at::kLinkRestored : at::kLinkLost, g + 1);
        default:
            return {};
    }
}

}  // namespace

bool isWrittenArchiveRecord(const Record& record) {
    return !isEmpty(record) && record.code() != at::kNeverWrittenCode;
}

std::vector<ArchiveEvent> archiveEvents(const Image& image) {
    std::vector<ArchiveEvent> events;
    const int records = Record::kCount;
    events.reserve(static_cast<std::size_t>(records));
    // The pointer names the newest record; unset, the ring is read from record 0. A pointer past the
    // archive wraps to record 0 at the first step, like any other.
    int r = config::ArchivePointer::decode(image).newestRecord().value_or(-1);
    for (int step = 0; step < records; ++step) {
        if (++r >= records) r = 0;
        const auto record = Record::decode(image, static_cast<std::size_t>(r));
        if (isWrittenArchiveRecord(record)) events.push_back({r, record});
    }
    return events;
}

bool isKeyEvent(std::uint8_t code) {
    return (code >= 0x10 && code <= 0x1F) || (code >= 0x30 && code <= 0x3F);
}

bool isPowerOnEvent(std::uint8_t code) {
    return code == at::kPowerOnCode;
}

// Made once for every code, then looked up for each of the records.
const ArchiveCodeText& archiveCodeText(std::uint8_t code) {
    static const std::array<ArchiveCodeText, 256> table = [] {
        std::array<ArchiveCodeText, 256> out;
        for (int c = 0; c < 256; ++c) {
            const auto each = static_cast<std::uint8_t>(c);
            ArchiveCodeText& t = out[static_cast<std::size_t>(c)];
            if (const QString event = eventText(each); !event.isEmpty()) {
                t.text = event;
                // Only an event text can hold the failed-test mark.
                t.failedTest = event.contains(at::kFailedTestMark);
            } else if (QString group = suffix(each); !group.isEmpty()) {
                t.text = std::move(group);
            } else {
                t.text = formatText(at::kUnknownCode, each);
                t.known = false;
            }
        }
        return out;
    }();
    return table[code];
}

}  // namespace v5
