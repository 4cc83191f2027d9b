#include "image/image.h"

#include <algorithm>
#include <stdexcept>

namespace v5 {

bool Image::isZero(std::size_t offset, std::size_t length) const {
    const auto bytes = span(offset, length);
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

void Image::fill(std::size_t offset, std::size_t length, std::uint8_t value) {
    const auto bytes = span(offset, length);
    std::fill(bytes.begin(), bytes.end(), value);
}

QByteArray Image::toByteArray() const {
    return QByteArray(reinterpret_cast<const char*>(bytes_.data()), static_cast<qsizetype>(kSize));
}

void Image::assign(std::span<const std::uint8_t, kSize> source) {
    std::copy(source.begin(), source.end(), bytes_.begin());
}

std::size_t Image::checked(const Region& region, std::size_t index) {
    if (index >= region.count) throw std::out_of_range("record index outside its region");
    return index;
}

std::size_t Image::checkedRange(std::size_t offset, std::size_t length) {
    if (offset > kSize || length > kSize - offset) throw std::out_of_range("byte range outside the image");
    return offset;
}

}  // namespace v5
