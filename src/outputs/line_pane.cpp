#include "outputs/line_pane.h"

#include <algorithm>
#include <stdexcept>

#include "desktop/desktop.h"
#include "outputs/output_records.h"

namespace v5 {

namespace {

constexpr int kModules = 8;
constexpr int kLastOrdinaryAddress = 201;
constexpr int kOtherAddresses[] = {241, 254, 255};

QString threeDigits(int value) {
    return QStringLiteral("%1").arg(value, LinePane::kAddressDigits, 10, QLatin1Char('0'));
}

bool allDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

}  // namespace

std::size_t LinePane::index(int box) {
    if (box < 1 || box > kBoxes) throw std::out_of_range("loop-module box outside 1..8");
    return static_cast<std::size_t>(box - 1);
}

std::optional<int> LinePane::moduleIn(const QString& text) {
    std::optional<int> module;
    for (int n = 1; n <= kModules; ++n)
        if (text.contains(moduleName(ModuleId{ModuleKind::MS, n}))) module = n;
    return module;
}

bool LinePane::isAcceptedAddress(int value) {
    return (value >= 0 && value <= kLastOrdinaryAddress) || std::ranges::count(kOtherAddresses, value) > 0;
}

QString LinePane::acceptedAddresses() {
    return QStringLiteral("000–%1, %2, %3, %4")
        .arg(kLastOrdinaryAddress)
        .arg(kOtherAddresses[0])
        .arg(kOtherAddresses[1])
        .arg(kOtherAddresses[2]);
}

LinePane::AddressEntry LinePane::addressEntry(const QString& text, int cursor) {
    if (text.isEmpty()) return AddressEntry::Incomplete;
    if (text.size() > kAddressDigits || !allDigits(text)) return AddressEntry::Refused;
    if (isAcceptedAddress(text.toInt())) return AddressEntry::Accepted;
    // Only a full field can hold a number that is not accepted; the digits after the cursor are the old
    // ones the user is typing over.
    if (cursor >= kAddressDigits) return AddressEntry::Refused;
    const QString typed = text.left(std::max(cursor, 0));
    for (int value = 0; value <= 0xFF; ++value)
        if (isAcceptedAddress(value) && threeDigits(value).startsWith(typed)) return AddressEntry::Incomplete;
    return AddressEntry::Refused;
}

int LinePane::storedAddress() const {
    const int m = moduleIn(desktop().title()).value_or(1) - 1;
    return config::LineModule::decode(desktop().image(), static_cast<std::size_t>(m)).address;
}

void LinePane::onReset(bool leaving) {
    if (leaving) LineEEPROMUpdate();
}

void LinePane::openModule(const QString& name) {
    const std::optional<ModuleId> module = parseModuleName(name);
    if (module && module->kind == ModuleKind::MS) ViewMLine(name);
}

void LinePane::TBoxUpdate() {
    const SlotText text(desktop().captions());
    for (int k = 1; k <= kBoxes; ++k)
        enabled_.at(index(k)) = text.isPlaced(ModuleId{ModuleKind::MShS, k});
}

void LinePane::ViewMLine(const QString& name) {
    desktop().showPane(objectName());
    TBoxUpdate();
    const int m = moduleIn(name).value_or(1) - 1;
    const Image& image = desktop().image();
    const auto entry = config::LineModule::decode(image, static_cast<std::size_t>(m));
    address_ = threeDigits(entry.address);
    refused_ = false;
    note_.clear();
    // A stored address the field would not take (from a file) is shown as it is and kept until the
    // user types another.
    if (!isAcceptedAddress(entry.address))
        note_ = QStringLiteral("Адреса %1 нет среди допустимых; он останется, пока не набран другой.")
                    .arg(address_);
    for (int k = 1; k <= kBoxes; ++k)
        ticks_.at(index(k)) = entry.serves(k);
    desktop().ClearSheet();
    enabled_.fill(true);
    if (entry.address == config::kSharedLineAddress) return;
    // A loop module already served by another module (other than one at address 254) is not offered.
    for (int j = 0; j < kModules; ++j) {
        if (j == m) continue;
        const auto other = config::LineModule::decode(image, static_cast<std::size_t>(j));
        if (other.address == config::kSharedLineAddress) continue;
        for (int k = 1; k <= kBoxes; ++k)
            if (other.serves(k)) enabled_.at(index(k)) = false;
    }
}

void LinePane::MaskEdit1Change(const QString& text) {
    address_ = text;
    refused_ = false;
    note_.clear();
    if (addressEntry(text, kAddressDigits) == AddressEntry::Accepted) return;
    note_ = (text.isEmpty() ? QStringLiteral("Адрес не набран") : QStringLiteral("Адреса %1 нет").arg(text)) +
            keptNote();
}

void LinePane::addressRefused(const QString& text) {
    // What the user meant did not get into the field: what is left there is not theirs to store.
    refused_ = true;
    if (!allDigits(text))
        note_ = QStringLiteral("Адрес набирается цифрами");
    else if (text.size() > kAddressDigits)
        note_ = QStringLiteral("В адресе не больше трёх цифр");
    else
        note_ = QStringLiteral("Адреса %1 нет (допустимы %2)").arg(text, acceptedAddresses());
    note_ += keptNote();
}

QString LinePane::keptNote() const {
    return QStringLiteral(": останется прежний, %1.").arg(threeDigits(storedAddress()));
}

void LinePane::tzClick(int box, bool ticked) {
    ticks_.at(index(box)) = ticked;
}

void LinePane::LineEEPROMUpdate() {
    if (!desktop().isPaneVisible(objectName())) return;
    const std::optional<int> module = moduleIn(desktop().title());
    if (!module) return;
    const auto at = static_cast<std::size_t>(*module - 1);
    auto entry = config::LineModule::decode(desktop().image(), at);
    entry.loopModules = 0;
    for (int k = 1; k <= kBoxes; ++k)
        entry.setServes(k, isTicked(k));
    // Only an address the module accepts is stored, as typed; otherwise the stored one stays.
    if (!refused_ && addressEntry(address_, kAddressDigits) == AddressEntry::Accepted)
        entry.address = static_cast<std::uint8_t>(address_.toInt());
    entry.encode(desktop().image(), at);
}

}  // namespace v5
