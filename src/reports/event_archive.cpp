#include "reports/event_archive.h"

#include <span>

#include "reports/archive_texts.h"
#include "reports/correct_string.h"
#include "image/records.h"
#include "reports/format_text.h"

namespace v5 {

namespace {

namespace at = archive_text;

constexpr std::size_t kCheckedBytes = 14;  // bytes 14 and 15 of a record carry nothing for the export
constexpr std::size_t kLoopMaskByte = 6;
constexpr std::size_t kCodeByte = 5;

using Record = std::span<const std::uint8_t>;

bool isEmpty(Record r) {
    for (std::size_t i = 0; i < kCheckedBytes; ++i)
        if (r[i] != 0) return false;
    return true;
}

bool isWritten(Record r) {
    return !isEmpty(r) && r[kCodeByte] != at::kNeverWrittenCode;
}

bool isKeyEvent(std::uint8_t code) {
    return (code >= 0x10 && code <= 0x1F) || (code >= 0x30 && code <= 0x3F);
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

bool hasSuffix(std::uint8_t code) {
    switch (code & 0xF0) {
        case 0x10:
        case 0x30:
        case 0x50:
        case 0xA0:
        case 0xC0:
            return true;
        default:
            return false;
    }
}

void writeRecord(int index, Record r, QStringList& lines) {
    const std::uint8_t code = r[kCodeByte];
    QString line;
    if (isKeyEvent(code))
        line = formatText(at::kKeyHead, index, 256 * r[0] + r[1] + 1, r[2], r[3], r[4]);
    else
        line = formatText(at::kDateHead, index, r[1], r[0], r[2], r[3], r[4]);

    // Only an event text can hold the failed-test mark; looking there spares a search of the line.
    bool failedTest = false;
    if (const QString event = eventText(code); !event.isEmpty()) {
        if (code == at::kPowerOnCode)
            lines << QString(at::kPowerOnRuleWidth, QLatin1Char(at::kPowerOnRuleChar));
        line += event;
        failedTest = event.contains(at::kFailedTestMark);
    } else if (hasSuffix(code)) {
        line += suffix(code);
    } else {
        line += formatText(at::kUnknownCode, code);
    }

    if (failedTest) {
        line += formatText(at::kFailedTestSlot, r[kLoopMaskByte]);
    } else {
        line += QString::fromUtf8(at::kLoops);
        appendLoopList(line, LoopMask::fromBytes(r.data() + kLoopMaskByte));
    }
    lines << correct_string(line);
}

}  // namespace

QStringList eventArchive(const Image& image) {
    QStringList lines;
    const int records = config::ArchiveRecord::kCount;
    // The pointer names the newest record; unset, the ring is read from record 0.
    int r = -1;
    if (const std::optional<int> newest = config::ArchivePointer::decode(image).newestRecord()) {
        r = *newest;
        lines << formatText(at::kLastRecord, r);
    }
    // A pointer past the archive wraps to record 0 at the first step, like any other.
    for (int step = 0; step < records; ++step) {
        if (++r >= records) r = 0;
        const auto record = config::ArchiveRecord::decode(image, static_cast<std::size_t>(r));
        if (isWritten(record.bytes)) writeRecord(r, record.bytes, lines);
    }
    return lines;
}

int writtenArchiveRecords(const Image& image) {
    int count = 0;
    for (int r = 0; r < config::ArchiveRecord::kCount; ++r)
        if (isWritten(config::ArchiveRecord::decode(image, static_cast<std::size_t>(r)).bytes)) ++count;
    return count;
}

}  // namespace v5
