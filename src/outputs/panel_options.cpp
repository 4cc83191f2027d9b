#include "outputs/panel_options.h"

#include "desktop/desktop.h"
#include "image/records.h"

namespace v5 {

void PanelOptions::refresh() {
    const auto options = config::PanelOptionByte::decode(desktop().image());
    for (int bit = 0; bit < 3; ++bit)
        ticks_.at(static_cast<std::size_t>(bit)) = options.bit(bit);
}

void PanelOptions::setOption(Option option, bool ticked) {
    ticks_.at(option) = ticked;
    auto options = config::PanelOptionByte::decode(desktop().image());
    options.setBit(option, ticked);
    options.encode(desktop().image());
}

}  // namespace v5
