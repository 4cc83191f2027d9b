#pragma once

#include <array>
#include <cstddef>

namespace v5 {

// One check box per zone, "1" .. "64" (q1..q64 of the partition pane, w1..w64 of the linked-zone pane):
// a tick, an enabled state and whether the box is shown.
class ZoneBoxes {
public:
    static constexpr int kZones = 64;

    ZoneBoxes() { shown_.fill(true); }

    bool isTicked(int zona) const { return ticked_.at(index(zona)); }
    bool isEnabled(int zona) const { return enabled_.at(index(zona)); }
    bool isShown(int zona) const { return shown_.at(index(zona)); }
    void setTicked(int zona, bool on) { ticked_.at(index(zona)) = on; }
    void setEnabled(int zona, bool on) { enabled_.at(index(zona)) = on; }
    void setShown(int zona, bool on) { shown_.at(index(zona)) = on; }
    const std::array<bool, kZones>& ticks() const { return ticked_; }
    bool anyTicked() const {
        for (bool t : ticked_)
            if (t) return true;
        return false;
    }

private:
    static std::size_t index(int zona) { return static_cast<std::size_t>(zona - 1); }
    std::array<bool, kZones> ticked_{};
    std::array<bool, kZones> enabled_{};
    std::array<bool, kZones> shown_{};
};

}  // namespace v5
