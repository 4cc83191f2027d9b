#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QStringList>

#include "image/image.h"

namespace v5 {

// The kind byte of a slot-table entry.
enum class ModuleKind : std::uint8_t { Empty = 0, MD = 1, MR = 2, MShS = 3, MS = 4 };

struct ModuleId {
    ModuleKind kind = ModuleKind::Empty;
    int number = 0;  // 1-based: МШС1..8, МР1..16, МД1..8, МС1..8
    friend bool operator==(const ModuleId&, const ModuleId&) = default;
};

inline constexpr int kSlotCount = 20;

// Module-name prefix of a kind byte; any other kind has an empty prefix.
QString Type2Capt(std::uint8_t kind);
// How many modules of a kind the panel takes (0 for Empty or unknown).
int moduleCount(ModuleKind kind);
QString moduleName(ModuleId id);
// One of the forty slot-module names ("МШС1" .. "МС8"), or nothing.
std::optional<ModuleId> parseModuleName(const QString& name);
// The forty names in the order of the slot menu: МШС, МР, МД, МС.
const QStringList& allModuleNames();

// The captions of the twenty slot buttons: the working copy of what is placed where.
class SlotCaptions {
public:
    SlotCaptions();  // "1" .. "20"

    const QString& at(int slot) const { return captions_.at(static_cast<std::size_t>(slot - 1)); }
    void set(int slot, const QString& caption) { captions_.at(static_cast<std::size_t>(slot - 1)) = caption; }

    // Rebuild from the slot table of the image (bntSlotsUpdate).
    void bntSlotsUpdate(const Image& image);

    // A module counts as placed when its name followed by a blank occurs in the slot text (SlotText).
    // Each call builds that text; a pass over many modules builds a SlotText once instead.
    bool isPlaced(const QString& name) const;
    bool isPlaced(ModuleId id) const { return isPlaced(moduleName(id)); }
    // The slot holding a caption, or 0.
    int slotOf(const QString& caption) const;

private:
    std::array<QString, kSlotCount> captions_;
};

// The slot text: a blank, then each slot caption followed by a blank, as it stands when built. A module
// counts as placed when its name followed by a blank occurs in it, so that "МР1" does not match "МР10".
class SlotText {
public:
    explicit SlotText(const SlotCaptions& captions);

    bool isPlaced(const QString& name) const;
    bool isPlaced(ModuleId id) const { return isPlaced(moduleName(id)); }

private:
    QString text_;
};

// Slot-table entry of slot s (1..20).
std::size_t slotEntryOffset(int slot);
void writeSlotEntry(Image& image, int slot, const QString& caption);

}  // namespace v5
