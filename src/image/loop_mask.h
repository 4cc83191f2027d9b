#pragma once

#include <cstdint>
#include <vector>

namespace v5 {

// A set of the 64 loops as the panel stores it: 8 bytes, loop L is bit (L-1) mod 8 of byte (L-1) div 8.
// Held as one 64-bit word whose bit L-1 is loop L, which is exactly the bytes read little-endian.
class LoopMask {
public:
    constexpr LoopMask() = default;
    constexpr explicit LoopMask(std::uint64_t bits) : bits_(bits) {}

    static LoopMask fromBytes(const std::uint8_t* bytes) {
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | bytes[i];
        return LoopMask(bits);
    }
    void toBytes(std::uint8_t* bytes) const {
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<std::uint8_t>(bits_ >> (8 * i));
    }

    constexpr std::uint64_t bits() const { return bits_; }
    constexpr bool isEmpty() const { return bits_ == 0; }
    // Loops are numbered 1..64; numbers outside that range are never members.
    constexpr bool has(int loop) const { return loop >= 1 && loop <= 64 && ((bits_ >> (loop - 1)) & 1U); }
    constexpr void set(int loop, bool on = true) {
        if (loop < 1 || loop > 64) return;
        const std::uint64_t bit = std::uint64_t{1} << (loop - 1);
        bits_ = on ? (bits_ | bit) : (bits_ & ~bit);
    }
    // Byte m-1 of the stored mask: the loops of loop module m.
    constexpr std::uint8_t moduleByte(int module) const {
        return static_cast<std::uint8_t>(bits_ >> (8 * (module - 1)));
    }
    constexpr bool intersects(LoopMask other) const { return (bits_ & other.bits_) != 0; }
    std::vector<int> loops() const {
        std::vector<int> out;
        for (int loop = 1; loop <= 64; ++loop)
            if (has(loop)) out.push_back(loop);
        return out;
    }

    friend constexpr bool operator==(LoopMask, LoopMask) = default;
    friend constexpr LoopMask operator|(LoopMask a, LoopMask b) { return LoopMask(a.bits_ | b.bits_); }
    friend constexpr LoopMask operator&(LoopMask a, LoopMask b) { return LoopMask(a.bits_ & b.bits_); }

private:
    std::uint64_t bits_ = 0;
};

}  // namespace v5
