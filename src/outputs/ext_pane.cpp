#include "outputs/ext_pane.h"

#include "desktop/desktop.h"
#include "image/records.h"

namespace v5 {

void ExtPane::mExtClick() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    readTicks();
}

void ExtPane::readTicks() {
    const auto modules = config::ExternalModules::decode(desktop().image());
    for (int bit = 0; bit < kBoxCount; ++bit)
        ticks_.at(static_cast<std::size_t>(bit)) = modules.bit(bit);
}

void ExtPane::setTicked(int bit, bool ticked) {
    if (bit < 0 || bit >= kBoxCount) return;
    ticks_.at(static_cast<std::size_t>(bit)) = ticked;
    auto modules = config::ExternalModules::decode(desktop().image());
    modules.setBit(bit, ticked);
    modules.encode(desktop().image());
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
