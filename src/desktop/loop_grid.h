#pragma once

#include <array>

#include "image/loop_mask.h"
#include "image/slots.h"

namespace v5 {

// The window-wide loading flag: raised while a pane fills its controls from the image, so that the
// handlers that store a user's edit know the change is not one. Scopes nest.
class LoadingFlag {
public:
    bool isRaised() const { return depth_ > 0; }

    class Scope {
    public:
        explicit Scope(LoadingFlag& flag) : flag_(flag) { ++flag_.depth_; }
        ~Scope() { --flag_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        LoadingFlag& flag_;
    };

private:
    int depth_ = 0;
};

// The 64 loop boxes of a pane, in eight frames "МШС 1" .. "МШС 8": a tick and an enabled state per loop.
// The loop pane, the zone pane, the relays, the indicators and the sounders each hold one.
class LoopGrid {
public:
    static constexpr int kLoops = 64;

    explicit LoopGrid(LoadingFlag& loading) : loading_(loading) {}

    bool isTicked(int loop) const { return ticked_.at(index(loop)); }
    bool isEnabled(int loop) const { return enabled_.at(index(loop)); }
    void setTicked(int loop, bool ticked) { ticked_.at(index(loop)) = ticked; }
    void setEnabled(int loop, bool enabled) { enabled_.at(index(loop)) = enabled; }
    void untickAll() { ticked_.fill(false); }
    void disableAll() { enabled_.fill(false); }
    // "Выделить": every enabled box gets a tick.
    void tickEnabled();

    // The boxes of loop module m are enabled exactly while МШС m is placed; ticks stay.
    void SBoxUpdate(const SlotCaptions& captions);
    // Ticks exactly the loops of `mask`; enabled states stay. Filling is never a user edit.
    void Shl2Box(LoopMask mask);
    // Disables the boxes of the loops of `mask`; ticks and other boxes stay.
    void Shl2BoxMask(LoopMask mask);

    // What a pane stores: the loops whose box is enabled and ticked.
    LoopMask mask() const;
    // Every ticked box, enabled or not (the sounder grid stores it so).
    LoopMask tickedMask() const;

    const LoadingFlag& loading() const { return loading_; }

private:
    static std::size_t index(int loop);
    LoadingFlag& loading_;
    std::array<bool, kLoops> ticked_{};
    std::array<bool, kLoops> enabled_{};
};

}  // namespace v5
