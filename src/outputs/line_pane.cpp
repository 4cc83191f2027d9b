#include "line_pane.h"

#include <stdexcept>

#include "desktop.h"
#include "output_records.h"

namespace v5 {

namespace {
constexpr int kModules = 8;
}

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

QString LinePane::correctedAddress(const QString& text) {
    const QString padded = text.leftJustified(3, QLatin1Char(' '), true);
    const QChar c1 = padded.at(0);
    const QChar c2 = padded.at(1);
    const QChar c3 = padded.at(2);
    if (c1 == QLatin1Char('0') || c1 == QLatin1Char('1')) return padded;
    if (c1 == QLatin1Char('2') && c2 == QLatin1Char('0') &&
        (c3 == QLatin1Char('0') || c3 == QLatin1Char('1')))
        return padded;
    if (c2 == QLatin1Char('4')) return QStringLiteral("241");
    if (c2 == QLatin1Char('5'))
        return padded == QStringLiteral("254") || padded == QStringLiteral("255") ? padded
                                                                                  : QStringLiteral("254");
    return QStringLiteral("000");
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
    const auto entry = image.record(map::LineModules, static_cast<std::size_t>(m));
    address_ = QStringLiteral("%1").arg(entry[line::kAddress], 3, 10, QLatin1Char('0'));
    for (int k = 1; k <= kBoxes; ++k)
        ticks_.at(index(k)) = (entry[line::kLoopModules] >> (k - 1)) & 1U;
    desktop().ClearSheet();
    enabled_.fill(true);
    if (entry[line::kAddress] == line::kSharedAddress) return;
    // A loop module already served by another module (other than one at address 254) is not offered.
    for (int j = 0; j < kModules; ++j) {
        if (j == m) continue;
        const auto other = image.record(map::LineModules, static_cast<std::size_t>(j));
        if (other[line::kAddress] == line::kSharedAddress) continue;
        for (int k = 1; k <= kBoxes; ++k)
            if ((other[line::kLoopModules] >> (k - 1)) & 1U) enabled_.at(index(k)) = false;
    }
}

void LinePane::MaskEdit1Change(const QString& text) {
    address_ = correctedAddress(text);
}

void LinePane::tzClick(int box, bool ticked) {
    ticks_.at(index(box)) = ticked;
}

void LinePane::LineEEPROMUpdate() {
    if (!desktop().isPaneVisible(objectName())) return;
    const std::optional<int> module = moduleIn(desktop().title());
    if (!module) return;
    const auto entry = desktop().image().record(map::LineModules, static_cast<std::size_t>(*module - 1));
    std::uint8_t served = 0;
    for (int k = 1; k <= kBoxes; ++k)
        if (isTicked(k)) served |= static_cast<std::uint8_t>(1U << (k - 1));
    entry[line::kLoopModules] = served;
    // An address with an empty position was never typed in full: the stored one stays.
    bool complete = address_.size() == 3;
    for (const QChar c : address_)
        complete = complete && c.isDigit() && c.unicode() < 0x80;
    if (complete) entry[line::kAddress] = static_cast<std::uint8_t>(address_.toInt() & 0xFF);
}

}  // namespace v5
