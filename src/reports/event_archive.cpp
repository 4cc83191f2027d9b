#include "reports/event_archive.h"

#include "reports/archive_events.h"
#include "reports/archive_texts.h"
#include "reports/correct_string.h"
#include "image/records.h"
#include "reports/format_text.h"

namespace v5 {

namespace {

namespace at = archive_text;

using Record = config::ArchiveRecord;

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
    const ArchiveCodeText& codeText = archiveCodeText(code);
    if (isPowerOnEvent(code)) {
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
    lines.reserve(config::ArchiveRecord::kCount + 1);
    if (const std::optional<int> newest = config::ArchivePointer::decode(image).newestRecord())
        lines << formatText(at::kLastRecord, *newest);
    for (const ArchiveEvent& event : archiveEvents(image))
        writeRecord(event.record, event.bytes, lines);
    return lines;
}

int writtenArchiveRecords(const Image& image) {
    int count = 0;
    for (int r = 0; r < config::ArchiveRecord::kCount; ++r)
        if (isWrittenArchiveRecord(config::ArchiveRecord::decode(image, static_cast<std::size_t>(r)))) ++count;
    return count;
}

}  // namespace v5
