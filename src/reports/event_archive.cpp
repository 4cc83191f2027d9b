#include "reports/event_archive.h"

#include <array>
#include <cstring>

#include "reports/archive_texts.h"
#include "reports/correct_string.h"
#include "image/records.h"
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

bool isWritten(const Record& r) {
    return !isEmpty(r) && r.code() != at::kNeverWrittenCode;
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

// The text after the head of every code, and whether it is the failed-test text that names a slot
// instead of listing loops: made once, then looked up for each of the records.
struct CodeText {
    QString text;
    bool failedTest = false;
};

const std::array<CodeText, 256>& codeTexts() {
    static const std::array<CodeText, 256> table = [] {
        std::array<CodeText, 256> out;
        for (int c = 0; c < 256; ++c) {
            const auto code = static_cast<std::uint8_t>(c);
            CodeText& t = out[static_cast<std::size_t>(c)];
            if (const QString event = eventText(code); !event.isEmpty()) {
                t.text = event;
                // Only an event text can hold the failed-test mark.
                t.failedTest = event.contains(at::kFailedTestMark);
            } else if (hasSuffix(code)) {
                t.text = suffix(code);
            } else {
                t.text = formatText(at::kUnknownCode, code);
            }
        }
        return out;
    }();
    return table;
}

// `value` in exactly N digits, zeros in front (the value has no more than N).
template <int N>
void appendDigits(QString& line, unsigned value) {
    char16_t digits[N];
    for (int i = N - 1; i >= 0; --i) {
        digits[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    line.append(QStringView(digits, N));
}

void appendTime(QString& line, const Record& r) {
    appendDigits<3>(line, r.hour());
    line += QLatin1Char(':');
    appendDigits<3>(line, r.minute());
    line += QLatin1Char(':');
    appendDigits<3>(line, r.second());
}

void writeRecord(int index, const Record& r, QStringList& lines) {
    const std::uint8_t code = r.code();
    const CodeText& codeText = codeTexts()[code];
    if (code == at::kPowerOnCode) {
        static const QString rule(at::kPowerOnRuleWidth, QLatin1Char(at::kPowerOnRuleChar));
        lines << rule;
    }

    QString line;
    line.reserve(224);  // the longest line, every other loop listed, with room to spare
    line += QLatin1Char(' ');
    appendPadded(line, static_cast<std::uint64_t>(index), 4);
    if (isKeyEvent(code)) {
        line += at::kKeyWord;
        appendDigits<6>(line, r.keyNumber());
        line += at::kKeyTime;
    } else {
        line += at::kDateWord;
        appendDigits<3>(line, r.date()[0]);
        line += QLatin1Char('/');
        appendDigits<3>(line, r.date()[1]);
        line += at::kDateTime;
    }
    appendTime(line, r);
    line += codeText.text;

    if (codeText.failedTest) {
        line += formatText(at::kFailedTestSlot, r.failedTestSlot());
        lines << correct_string(line);
    } else {
        static const QString loops = QString::fromUtf8(at::kLoops);
        line += loops;
        appendCompressedLoopList(line, r.loops());
        lines << std::move(line);
    }
}

}  // namespace

QStringList eventArchive(const Image& image) {
    QStringList lines;
    const int records = config::ArchiveRecord::kCount;
    lines.reserve(records + 1);
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
        if (isWritten(record)) writeRecord(r, record, lines);
    }
    return lines;
}

int writtenArchiveRecords(const Image& image) {
    int count = 0;
    for (int r = 0; r < config::ArchiveRecord::kCount; ++r)
        if (isWritten(config::ArchiveRecord::decode(image, static_cast<std::size_t>(r)))) ++count;
    return count;
}

}  // namespace v5
