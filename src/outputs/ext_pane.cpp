#include "outputs/ext_pane.h"

#include "desktop/desktop.h"

namespace v5 {

namespace {
constexpr std::size_t kWord = map::ExtModules.offset;
}

void ExtPane::mExtClick() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    const std::uint16_t word = desktop().image().wordLE(kWord);
    for (int bit = 0; bit < kBoxCount; ++bit)
        ticks_.at(static_cast<std::size_t>(bit)) = (word >> bit) & 1U;
}

void ExtPane::setTicked(int bit, bool ticked) {
    if (bit < 0 || bit >= kBoxCount) return;
    ticks_.at(static_cast<std::size_t>(bit)) = ticked;
    Image& image = desktop().image();
    const auto mask = static_cast<std::uint16_t>(1U << bit);
    const std::uint16_t word = image.wordLE(kWord);
    image.setWordLE(kWord, static_cast<std::uint16_t>(ticked ? (word | mask) : (word & ~mask)));
}

QString ExtPane::boxCaption(int bit) {
    static const char16_t* const kPrefixes[] = {u"МДВ", u"БИ", u"МК"};
    return QString::fromUtf16(kPrefixes[bit / 4]) + QString::number(bit % 4 + 1);
}

QString ExtPane::boxName(int bit) {
    static const char* const kPrefixes[] = {"cbMDV", "cbBI", "cbMK"};
    return QString::fromLatin1(kPrefixes[bit / 4]) + QString::number(bit % 4 + 1);
}

}  // namespace v5
