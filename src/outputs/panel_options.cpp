#include "outputs/panel_options.h"

#include "desktop/desktop.h"

namespace v5 {

void PanelOptions::refresh() {
    const std::uint8_t options = desktop().image().byte(map::OptionByte.offset);
    for (int bit = 0; bit < 3; ++bit)
        ticks_.at(static_cast<std::size_t>(bit)) = (options >> bit) & 1U;
}

void PanelOptions::setOption(Option option, bool ticked) {
    ticks_.at(option) = ticked;
    Image& image = desktop().image();
    const auto bit = static_cast<std::uint8_t>(1U << option);
    const std::uint8_t old = image.byte(map::OptionByte.offset);
    image.setByte(map::OptionByte.offset, ticked ? (old | bit) : (old & ~bit));
}

}  // namespace v5
