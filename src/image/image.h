#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include <QByteArray>

#include "image/loop_mask.h"
#include "image/regions.h"

namespace v5 {

// The panel's whole EEPROM, 32768 bytes, all zero at start. One Image lives for the whole run and is
// edited in place by everything that works on the configuration.
class Image {
public:
    static constexpr std::size_t kSize = kImageSize;
    using Bytes = std::array<std::uint8_t, kSize>;

    Image() { bytes_.fill(0); }

    std::uint8_t byte(std::size_t offset) const { return bytes_.at(offset); }
    void setByte(std::size_t offset, std::uint8_t value) { bytes_.at(offset) = value; }

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    const Bytes& bytes() const { return bytes_; }
    // Bytes offset .. offset+length-1; a range outside the image throws std::out_of_range.
    std::span<std::uint8_t> span(std::size_t offset, std::size_t length) {
        return std::span<std::uint8_t>(bytes_).subspan(checkedRange(offset, length), length);
    }
    std::span<const std::uint8_t> span(std::size_t offset, std::size_t length) const {
        return std::span<const std::uint8_t>(bytes_).subspan(checkedRange(offset, length), length);
    }

    // Record `index` of a region.
    std::span<std::uint8_t> record(const Region& region, std::size_t index) {
        return span(region.at(checked(region, index)), region.stride);
    }
    std::span<const std::uint8_t> record(const Region& region, std::size_t index) const {
        return span(region.at(checked(region, index)), region.stride);
    }

    std::uint16_t wordLE(std::size_t offset) const {
        return static_cast<std::uint16_t>(byte(offset) | (byte(offset + 1) << 8));
    }
    void setWordLE(std::size_t offset, std::uint16_t value) {
        setByte(offset, static_cast<std::uint8_t>(value));
        setByte(offset + 1, static_cast<std::uint8_t>(value >> 8));
    }
    std::uint16_t wordBE(std::size_t offset) const {
        return static_cast<std::uint16_t>((byte(offset) << 8) | byte(offset + 1));
    }

    LoopMask loopMask(std::size_t offset) const {
        return LoopMask::fromBytes(span(offset, kMaskSize).data());
    }
    void setLoopMask(std::size_t offset, LoopMask mask) { mask.toBytes(span(offset, kMaskSize).data()); }

    // Entry `index` (0..111) of the group table: zones, partitions, pass-through records, linked masks.
    LoopMask groupEntry(std::size_t index) const {
        return loopMask(map::GroupTable.at(checked(map::GroupTable, index)));
    }
    void setGroupEntry(std::size_t index, LoopMask mask) {
        setLoopMask(map::GroupTable.at(checked(map::GroupTable, index)), mask);
    }

    bool isZero(std::size_t offset, std::size_t length) const;
    void fill(std::size_t offset, std::size_t length, std::uint8_t value);

    // Whole-image exchange with files and devices.
    QByteArray toByteArray() const;
    void assign(std::span<const std::uint8_t, kSize> source);

    friend bool operator==(const Image&, const Image&) = default;

private:
    static std::size_t checked(const Region& region, std::size_t index);
    static std::size_t checkedRange(std::size_t offset, std::size_t length);
    Bytes bytes_;
};

}  // namespace v5
