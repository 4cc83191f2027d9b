#include "desktop/loop_grid.h"

#include <stdexcept>

namespace v5 {

std::size_t LoopGrid::index(int loop) {
    if (loop < 1 || loop > kLoops) throw std::out_of_range("loop number outside 1..64");
    return static_cast<std::size_t>(loop - 1);
}

void LoopGrid::tickEnabled() {
    for (int loop = 1; loop <= kLoops; ++loop)
        if (isEnabled(loop)) setTicked(loop, true);
}

void LoopGrid::SBoxUpdate(const SlotCaptions& captions) {
    const SlotText text(captions);
    for (int m = 1; m <= 8; ++m) {
        const bool placed = text.isPlaced(ModuleId{ModuleKind::MShS, m});
        for (int j = 1; j <= 8; ++j)
            setEnabled(8 * (m - 1) + j, placed);
    }
}

void LoopGrid::Shl2Box(LoopMask mask) {
    const LoadingFlag::Scope loading(loading_);
    for (int loop = 1; loop <= kLoops; ++loop)
        setTicked(loop, mask.has(loop));
}

void LoopGrid::Shl2BoxMask(LoopMask mask) {
    for (int loop : mask.loops())
        setEnabled(loop, false);
}

LoopMask LoopGrid::mask() const {
    LoopMask out;
    for (int loop = 1; loop <= kLoops; ++loop)
        out.set(loop, isEnabled(loop) && isTicked(loop));
    return out;
}

LoopMask LoopGrid::tickedMask() const {
    LoopMask out;
    for (int loop = 1; loop <= kLoops; ++loop)
        out.set(loop, isTicked(loop));
    return out;
}

}  // namespace v5
