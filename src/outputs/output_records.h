#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "image/configuration.h"
#include "image/image.h"

namespace v5 {

// The records of the output tables: relays, indicators, communication modules and sounders. The panes
// and the tests reach their bytes through these, never through offsets of their own.

// The ten values a relay run time or a sounder duration can take, in item order (as the configuration
// model reads them).
inline constexpr const auto& kDurationValues = config::kDurationCodes;
// The item that shows a stored value: the first whose value is not smaller. 255 ends the list, so
// every byte has one.
int durationItem(std::uint8_t value);

// Relay record i (0..63): mode byte, loop mask, run time in seconds.
namespace relay {
inline constexpr std::size_t kMode = 0;
inline constexpr std::size_t kMask = 1;
inline constexpr std::size_t kRunTime = 9;
inline constexpr std::uint8_t kModeBits = 0x0F;
inline constexpr std::uint8_t kInternalTamper = config::kRelayTamperGB5;
inline constexpr std::uint8_t kExternalTamper = config::kRelayTamperVT5;
}  // namespace relay
LoopMask relayMask(const Image& image, int index);
void setRelayMask(Image& image, int index, LoopMask mask);

// Indicator x: 0..63 in the indicator table (МД1..МД8), 64..95 in the external one (МДВ1..МДВ4).
inline constexpr int kIndicatorIndexCount = 96;
std::optional<std::size_t> indicatorOffset(int index);

// Communication-module entry n-1: loop-module bits, address.
namespace line {
inline constexpr std::size_t kLoopModules = 0;
inline constexpr std::size_t kAddress = 1;
inline constexpr std::uint8_t kSharedAddress = config::kSharedLineAddress;  // never blocks the others
}  // namespace line

// Sounder record j (0..3): loop mask, three duration codes, option bits.
namespace sounder {
inline constexpr std::size_t kMask = 0;
inline constexpr std::size_t kFault = 8;
inline constexpr std::size_t kAlarm = 9;
inline constexpr std::size_t kFire = 10;
inline constexpr std::size_t kOptions = 11;
}  // namespace sounder
LoopMask sounderMask(const Image& image, int record);
void setSounderMask(Image& image, int record, LoopMask mask);

}  // namespace v5
