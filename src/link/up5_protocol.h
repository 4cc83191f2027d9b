#pragma once

#include <cstddef>
#include <cstdint>

#include "image/regions.h"

// The byte exchanges of the input module "УП-5", shared by the driver and the simulator.
namespace v5::up5 {

inline constexpr int kBaudRate = 115200;

// One command byte follows the wake-up on every connection.
inline constexpr std::uint8_t kReadChip = 'R';
inline constexpr std::uint8_t kWriteChip = 'W';
inline constexpr std::uint8_t kReadPanel = 'Q';
inline constexpr std::uint8_t kWritePanel = 'E';
inline constexpr std::uint8_t kKeyReader = 'K';
inline constexpr std::uint8_t kConsoleKeys = 'P';

inline constexpr std::uint8_t kWakeUp = 0x71;          // the module's answer to the DTR pulse
inline constexpr std::uint8_t kPanelReady = 0x31;      // the panel accepts a configuration
inline constexpr std::uint8_t kConsoleMissing = 0x02;  // no keypad console on the module
inline constexpr std::uint8_t kStatusOk = 0x00;        // first byte of a good status reply

inline constexpr std::size_t kStatusSize = 4;
inline constexpr std::size_t kBlockSize = 64;
inline constexpr std::size_t kImageBytes = kImageSize;
inline constexpr std::size_t kPanelBytes = kConfigAreaSize;  // the panel takes the configuration area only
inline constexpr std::size_t kChipBlocks = kImageBytes / kBlockSize;
inline constexpr std::size_t kPanelBlocks = kPanelBytes / kBlockSize;
inline constexpr std::size_t kKeyCodeSize = 8;
inline constexpr std::size_t kConsoleBlockSize = 144;

// Pauses (ms) and poll budgets; the module and the panel are paced by them.
inline constexpr int kDtrPulseMs = 5;
inline constexpr int kWakeWaitMs = 50;
inline constexpr int kReadChipPolls = 1001;
inline constexpr int kReadChipPollMs = 10;
inline constexpr int kWriteChipSettleMs = 20;
inline constexpr int kWriteChipBlockMs = 50;
inline constexpr int kWriteChipCheckPolls = 512;
inline constexpr int kWriteChipCheckMs = 20;
inline constexpr int kReadPanelPolls = 6001;
inline constexpr int kReadPanelPollMs = 100;
inline constexpr int kPanelReadyPolls = 193;
inline constexpr int kPanelReadyPollMs = 20;
inline constexpr int kWritePanelBlockMs = 100;

static_assert(kChipBlocks == 512 && kPanelBlocks == 192);

}  // namespace v5::up5
