#pragma once

#include <array>
#include <cstdint>

#include <QString>
#include <QStringList>

#include "image/records.h"

namespace v5 {

// Items of the loop type group rgTS1, in the order the pane lists them.
enum class LoopTypeItem : int { Fire = 0, Guard = 1, Alarm = 2, Control = 3, Off = 4 };

// The controls of the loop panel p1 besides the type: four radio groups (value = item index) and the
// boxes of gbO1 (value 0 or 1).
enum class LoopControl : int {
    Delay = 0,     // rgDS1
    Reaction,      // rgVR1
    Confirmation,  // rgPS1
    Selection,     // rgVS1: "нет", "1 извещатель", "2 извещателя"
    Limit,         // cbLS1
    Round,         // cbK1
    Verification,  // cbV1
    Paired,        // cbP1
    Tamper,        // cbT1
    Sound,         // cbPZ1
    Szu,           // cbSZU: shown only, never stored
    Count,
};
inline constexpr int kLoopControlCount = static_cast<int>(LoopControl::Count);

// What the panel shows for one loop: the type and a value per control.
struct LoopValues {
    LoopTypeItem type = LoopTypeItem::Off;
    std::array<int, kLoopControlCount> values{};

    int& operator[](LoopControl c) { return values.at(static_cast<std::size_t>(c)); }
    int operator[](LoopControl c) const { return values.at(static_cast<std::size_t>(c)); }
    friend bool operator==(const LoopValues&, const LoopValues&) = default;
};

using config::LoopRecord;

// The three bytes of a loop as the panel reads them. A disabled loop is "отключен" whatever its type
// code; "2 извещателя" wins over "1 извещатель".
LoopValues decodeLoop(const LoopRecord& record);
// Built from zero: bits that carry no field are 0, and cbSZU is not stored.
LoopRecord encodeLoop(const LoopValues& values);

// A control's state after a type rule: enabled or not, and its value (or kKept: the value stays).
struct LoopControlRule {
    bool enabled;
    int value;
};
inline constexpr int kKept = -1;

// The rules that tie the controls to the type: one table for the user's choice of a type (every value
// is reset), one for showing a stored loop (values that fit the type are kept).
enum class TypeRuleMode { Choice, Show };
const std::array<LoopControlRule, kLoopControlCount>& typeRule(TypeRuleMode mode, LoopTypeItem type);

// Captions and items of the loop panel's controls.
QString loopControlName(LoopControl control);
QString loopControlCaption(LoopControl control);
// Items of a radio group (empty for a check box).
QStringList loopControlItems(LoopControl control);
QStringList loopTypeItems();
QString loopTypeCaption();
// rgDS1 is the signal delay of a fire loop and the entry/exit delay of every other.
QString delayCaption(LoopTypeItem type);

}  // namespace v5
