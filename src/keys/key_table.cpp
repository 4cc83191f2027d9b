#include "keys/key_table.h"

#include <algorithm>
#include <cstdio>

#include "keys/key_texts.h"
#include "image/orphan_sweep.h"
#include "image/tables.h"

namespace v5 {

namespace {

// The list line formats; every line is 22 characters from the code on, so the columns stay aligned.
constexpr char kZonaLine[] = "Ключ %.3d - %s   зона  %.3d       %.3d";
constexpr char kRazdelLine[] = "Ключ %.3d - %s  раздел %.3d       %.3d";
constexpr char kGZLine[] = "Ключ %.3d - %s   ГЗ              %.3d";
constexpr char kMonterLine[] = "Ключ %.3d - %s   монтер          %.3d";
constexpr char kOtherLine[] = "Ключ %.3d - %s                   %.3d";

// The zone order lists assignment values 0x00 up to and including 0x60.
constexpr int kLastZonaOrderValue = 0x60;
constexpr auto kKeyRecords = static_cast<std::size_t>(config::kKeyCount);

}  // namespace

void SetCRC(Image& image, std::size_t record) {
    config::Key key = config::Key::decode(image, record);
    key.setCode(key.code);
    key.encode(image, record);
}

KeyCode keyCode(const Image& image, std::size_t record) {
    return config::Key::decode(image, record).code;
}

KeyCode codeOfRom(const KeyRom& rom) {
    KeyCode code{};
    std::copy_n(rom.begin() + 1, kKeyCodeBytes, code.begin());
    return code;
}

std::optional<std::size_t> findKey(const Image& image, const KeyCode& code) {
    if (isZeroCode(code)) return std::nullopt;
    for (std::size_t i = 0; i < kKeyRecords; ++i)
        if (config::Key::decode(image, i).code == code) return i;
    return std::nullopt;
}

std::optional<std::size_t> firstFreeKey(const Image& image) {
    for (std::size_t i = 0; i < kKeyRecords; ++i)
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
    const config::Key key = config::Key::decode(image, record);
    const QByteArray code = key.codeText(false).toLatin1();
    const int n = static_cast<int>(record) + 1;
    const int s = key.spiNumber();
    char line[128];
    int size = 0;
    switch (key.assignment.role()) {
        case config::KeyRole::Zona:
            size =
                std::snprintf(line, sizeof line, kZonaLine, n, code.constData(), key.assignment.number(), s);
            break;
        case config::KeyRole::Razdel:
            size = std::snprintf(line, sizeof line, kRazdelLine, n, code.constData(), key.assignment.number(),
                                 s);
            break;
        case config::KeyRole::GZ:
            size = std::snprintf(line, sizeof line, kGZLine, n, code.constData(), s);
            break;
        case config::KeyRole::Monter:
            size = std::snprintf(line, sizeof line, kMonterLine, n, code.constData(), s);
            break;
        case config::KeyRole::Unassigned:
        case config::KeyRole::Unknown:
            size = std::snprintf(line, sizeof line, kOtherLine, n, code.constData(), s);
            break;
    }
    return QString::fromUtf8(line, size);
}

std::vector<std::size_t> keyListRecords(const Image& image, KeyOrder order) {
    std::vector<config::Key> keys;
    keys.reserve(kKeyRecords);
    for (std::size_t i = 0; i < kKeyRecords; ++i)
        keys.push_back(config::Key::decode(image, i));
    std::vector<std::size_t> records;
    // Appends the stored keys that are `wanted`, by number.
    const auto list = [&](auto&& wanted) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (!keys[i].isFree() && wanted(keys[i])) records.push_back(i);
    };
    switch (order) {
        case KeyOrder::Number:
            list([](const config::Key&) { return true; });
            break;
        case KeyOrder::Zona:
            for (int v = 0; v <= kLastZonaOrderValue; ++v)
                list([v](const config::Key& key) { return key.assignment.byte == v; });
            break;
        case KeyOrder::Unused:
            list([](const config::Key& key) { return key.assignment.role() == config::KeyRole::Unassigned; });
            break;
    }
    return records;
}

void AddPultKey(Image& image, const config::ConsolePlace& place, const KeyCode& code) {
    place.copyOf(code).encode(image, place.record);
}

void copyConsoleKeys(Image& image, std::span<const std::uint8_t, kConsoleKeyBlockSize> block) {
    for (const config::ConsolePlace& place : config::consolePlaces())
        AddPultKey(image, place, place.codeIn(block));
}

std::vector<std::size_t> keysTheConsoleCopyWouldReplace(const Image& image) {
    std::vector<std::size_t> records;
    for (const config::ConsolePlace& place : config::consolePlaces()) {
        const config::Key key = config::Key::decode(image, place.record);
        if (!key.isFree() && !place.holdsCopy(key)) records.push_back(place.record);
    }
    std::ranges::sort(records);
    return records;
}

}  // namespace v5
