#include "keys/key_table.h"

#include <algorithm>
#include <cstdio>

#include "keys/key_texts.h"
#include "image/orphan_sweep.h"
#include "image/tables.h"

namespace v5 {

namespace {

// The list line formats; every line is 22 characters from the code on, so the columns stay aligned.
constexpr char kZonaLine[] = "Ключ %.3d - %.2x%.2x%.2x%.2x%.2x%.2x   зона  %.3d       %.3d";
constexpr char kRazdelLine[] = "Ключ %.3d - %.2x%.2x%.2x%.2x%.2x%.2x  раздел %.3d       %.3d";
constexpr char kGZLine[] = "Ключ %.3d - %.2x%.2x%.2x%.2x%.2x%.2x   ГЗ              %.3d";
constexpr char kMonterLine[] = "Ключ %.3d - %.2x%.2x%.2x%.2x%.2x%.2x   монтер          %.3d";
constexpr char kOtherLine[] = "Ключ %.3d - %.2x%.2x%.2x%.2x%.2x%.2x                   %.3d";

// The zone order lists assignment values 0x00 up to and including 0x60.
constexpr int kLastZonaOrderValue = 0x60;

// Where the console's codes go: its block in four runs, each to consecutive records.
struct ConsoleRun {
    std::size_t firstByte;
    std::size_t codes;
    std::size_t firstRecord;
    std::uint8_t firstNumber;
    std::uint8_t assignment;
};
constexpr ConsoleRun kConsoleRuns[] = {
    {0, 10, 960, 0, kInstallerKey},       // installer codes 1..10
    {60, 12, 975, 0, kRapidResponseKey},  // ГЗ codes 1..12
    {132, 1, 970, 10, kInstallerKey},     // installer code 11
    {138, 1, 971, 11, kInstallerKey},     // installer code 12
};

}  // namespace

void SetCRC(Image& image, std::size_t record) {
    image.record(map::KeyCheck, record)[0] = keyCheckByte(keyCode(image, record));
}

KeyCode keyCode(const Image& image, std::size_t record) {
    const auto bytes = image.record(map::KeyRecords, record);
    KeyCode code{};
    std::copy_n(bytes.begin(), kKeyCodeBytes, code.begin());
    return code;
}

bool isZeroCode(const KeyCode& code) {
    return std::all_of(code.begin(), code.end(), [](std::uint8_t b) { return b == 0; });
}

KeyCode codeOfRom(const KeyRom& rom) {
    KeyCode code{};
    std::copy_n(rom.begin() + 1, kKeyCodeBytes, code.begin());
    return code;
}

std::optional<std::size_t> findKey(const Image& image, const KeyCode& code) {
    if (isZeroCode(code)) return std::nullopt;
    for (std::size_t i = 0; i < map::KeyRecords.count; ++i)
        if (std::equal(code.begin(), code.end(), image.record(map::KeyRecords, i).begin())) return i;
    return std::nullopt;
}

std::optional<std::size_t> firstFreeKey(const Image& image) {
    for (std::size_t i = 0; i < map::KeyRecords.count; ++i)
        if (KeyEmpty(image, i)) return i;
    return std::nullopt;
}

int hex2dec(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'1' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return 0;
}

KeyCode codeFromDigits(const QString& digits) {
    const QString padded = digits + QString(2 * kKeyCodeBytes, QLatin1Char('0'));
    KeyCode code{};
    // The first pair is code byte 5, the last code byte 0.
    for (std::size_t pair = 0; pair < kKeyCodeBytes; ++pair) {
        const auto at = static_cast<qsizetype>(2 * pair);
        code.at(kKeyCodeBytes - 1 - pair) =
            static_cast<std::uint8_t>(hex2dec(padded.at(at)) * 16 + hex2dec(padded.at(at + 1)));
    }
    return code;
}

QString latinKeyDigits(const QString& text) {
    // А В С Е and а в с е; the Latin letters at the same places of the alphabet table.
    static constexpr char16_t kCyrillic[] = u"АВСЕавсе";
    static constexpr char16_t kLatin[] = u"ABCEabce";
    QString out = text;
    for (QChar& c : out)
        for (std::size_t i = 0; kCyrillic[i] != 0; ++i)
            if (c.unicode() == kCyrillic[i]) c = QChar(kLatin[i]);
    return out;
}

namespace {
bool isHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}
constexpr qsizetype kTypedDigits = 2 * kKeyCodeBytes;

// "1 цифры", "2 цифр", "21 цифры": the genitive that follows "не хватает".
QString digitsMissing(qsizetype n) {
    return QString::number(n) +
           (n % 10 == 1 && n % 100 != 11 ? QStringLiteral(" цифры") : QStringLiteral(" цифр"));
}
}  // namespace

bool couldBeKeyCode(const QString& text) {
    return text.size() <= kTypedDigits && std::all_of(text.begin(), text.end(), isHexDigit);
}

TypedKeyCode readTypedKeyCode(const QString& text) {
    const QString digits = latinKeyDigits(text);
    const auto wrong = std::find_if_not(digits.begin(), digits.end(), isHexDigit);
    if (wrong != digits.end())
        return {std::nullopt,
                QStringLiteral(
                    "«%1» — не шестнадцатеричная цифра. Код ключа набирается цифрами 0–9 и буквами A–F.")
                    .arg(*wrong)};
    if (digits.size() < kTypedDigits)
        return {std::nullopt, QStringLiteral("Не хватает %1: в коде ключа двенадцать шестнадцатеричных цифр, "
                                             "набрано %2.")
                                  .arg(digitsMissing(kTypedDigits - digits.size()))
                                  .arg(digits.size())};
    if (digits.size() > kTypedDigits)
        return {
            std::nullopt,
            QStringLiteral("В коде ключа двенадцать шестнадцатеричных цифр, набрано %1.").arg(digits.size())};
    const KeyCode code = codeFromDigits(digits);
    if (isZeroCode(code)) return {std::nullopt, keytext::ZeroCode()};
    return {code, QString()};
}

QString AddLine(const Image& image, std::size_t record) {
    const auto key = image.record(map::KeyRecords, record);
    const int a = key[kAssignmentByte];
    const int s = key[kTarniaByte] + 1;
    const int n = static_cast<int>(record) + 1;
    char line[128];
    int size = 0;
    if (a < kFirstRazdelAssignment)
        size = std::snprintf(line, sizeof line, kZonaLine, n, key[5], key[4], key[3], key[2], key[1], key[0],
                             a + 1, s);
    else if (a < kFirstNonGroupDisplay)
        size = std::snprintf(line, sizeof line, kRazdelLine, n, key[5], key[4], key[3], key[2], key[1],
                             key[0], a - (kFirstRazdelAssignment - 1), s);
    else
        size = std::snprintf(line, sizeof line,
                             a == kRapidResponseKey ? kGZLine
                             : a == kInstallerKey   ? kMonterLine
                                                    : kOtherLine,
                             n, key[5], key[4], key[3], key[2], key[1], key[0], s);
    return QString::fromUtf8(line, size);
}

std::vector<std::size_t> keyListRecords(const Image& image, KeyOrder order) {
    std::vector<std::size_t> records;
    const auto assignment = [&](std::size_t i) { return image.record(map::KeyRecords, i)[kAssignmentByte]; };
    switch (order) {
        case KeyOrder::Number:
            for (std::size_t i = 0; i < map::KeyRecords.count; ++i)
                if (!KeyEmpty(image, i)) records.push_back(i);
            break;
        case KeyOrder::Zona:
            for (int v = 0; v <= kLastZonaOrderValue; ++v)
                for (std::size_t i = 0; i < map::KeyRecords.count; ++i)
                    if (assignment(i) == v && !KeyEmpty(image, i)) records.push_back(i);
            break;
        case KeyOrder::Unused:
            for (std::size_t i = 0; i < map::KeyRecords.count; ++i)
                if (assignment(i) == config::kNoAssignment && !KeyEmpty(image, i)) records.push_back(i);
            break;
    }
    return records;
}

void AddPultKey(Image& image, std::size_t record, std::uint8_t number, std::uint8_t assignment,
                std::span<const std::uint8_t, kKeyCodeBytes> code) {
    const auto key = image.record(map::KeyRecords, record);
    std::copy(code.begin(), code.end(), key.begin());
    SetCRC(image, record);
    key[kTarniaByte] = number;
    key[kAssignmentByte] = assignment;
}

void copyConsoleKeys(Image& image, std::span<const std::uint8_t, kConsoleKeyBlockSize> block) {
    for (const ConsoleRun& run : kConsoleRuns)
        for (std::size_t k = 0; k < run.codes; ++k)
            AddPultKey(image, run.firstRecord + k, static_cast<std::uint8_t>(run.firstNumber + k),
                       run.assignment,
                       block.subspan(run.firstByte + kKeyCodeBytes * k).first<kKeyCodeBytes>());
}

std::vector<std::size_t> keysTheConsoleCopyWouldReplace(const Image& image) {
    std::vector<std::size_t> records;
    for (const ConsoleRun& run : kConsoleRuns)
        for (std::size_t k = 0; k < run.codes; ++k) {
            const std::size_t record = run.firstRecord + k;
            if (KeyEmpty(image, record)) continue;
            const auto key = image.record(map::KeyRecords, record);
            const bool copied =
                key[kAssignmentByte] == run.assignment && key[kTarniaByte] == run.firstNumber + k &&
                image.record(map::KeyCheck, record)[0] == keyCheckByte(keyCode(image, record));
            if (!copied) records.push_back(record);
        }
    std::ranges::sort(records);
    return records;
}

}  // namespace v5
