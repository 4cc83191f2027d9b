#include "image/slots.h"

namespace v5 {

namespace {
struct KindInfo {
    ModuleKind kind;
    const char16_t* prefix;
    int count;
};
// In the order of the slot menu.
constexpr std::array<KindInfo, 4> kKinds{{
    {ModuleKind::MShS, u"МШС", 8},
    {ModuleKind::MR, u"МР", 16},
    {ModuleKind::MD, u"МД", 8},
    {ModuleKind::MS, u"МС", 8},
}};

const KindInfo* infoOf(ModuleKind kind) {
    for (const KindInfo& info : kKinds)
        if (info.kind == kind) return &info;
    return nullptr;
}
}  // namespace

QString Type2Capt(std::uint8_t kind) {
    const KindInfo* info = infoOf(static_cast<ModuleKind>(kind));
    return info ? QString::fromUtf16(info->prefix) : QString();
}

int moduleCount(ModuleKind kind) {
    const KindInfo* info = infoOf(kind);
    return info ? info->count : 0;
}

QString moduleName(ModuleId id) {
    return Type2Capt(static_cast<std::uint8_t>(id.kind)) + QString::number(id.number);
}

const QStringList& allModuleNames() {
    static const QStringList names = [] {
        QStringList out;
        for (const KindInfo& info : kKinds)
            for (int n = 1; n <= info.count; ++n)
                out << QString::fromUtf16(info.prefix) + QString::number(n);
        return out;
    }();
    return names;
}

std::optional<ModuleId> parseModuleName(const QString& name) {
    for (const KindInfo& info : kKinds) {
        const QString prefix = QString::fromUtf16(info.prefix);
        if (!name.startsWith(prefix)) continue;
        bool ok = false;
        const QStringView digits = QStringView(name).mid(prefix.size());
        const int number = digits.toInt(&ok);
        // Only the canonical spelling counts: "МР01" or "МР+1" is not a module name.
        if (ok && number >= 1 && number <= info.count && QString::number(number) == digits)
            return ModuleId{info.kind, number};
    }
    return std::nullopt;
}

SlotCaptions::SlotCaptions() {
    for (int s = 1; s <= kSlotCount; ++s)
        set(s, QString::number(s));
}

void SlotCaptions::bntSlotsUpdate(const Image& image) {
    for (int s = 1; s <= kSlotCount; ++s) {
        const auto entry = image.record(map::SlotTable, static_cast<std::size_t>(s - 1));
        // An unknown kind has an empty prefix and so shows only its number, as the panel's own tools do.
        set(s, entry[0] != 0 ? Type2Capt(entry[0]) + QString::number(entry[1] + 1) : QString::number(s));
    }
}

bool SlotCaptions::isPlaced(const QString& name) const {
    return SlotText(*this).isPlaced(name);
}

SlotText::SlotText(const SlotCaptions& captions) : text_(QStringLiteral(" ")) {
    for (int s = 1; s <= kSlotCount; ++s)
        text_ += captions.at(s) + QLatin1Char(' ');
}

// The same as text_.contains(name + ' '), without building that string.
bool SlotText::isPlaced(const QString& name) const {
    const qsizetype last = text_.size() - name.size() - 1;
    for (qsizetype at = text_.indexOf(name); at >= 0 && at <= last; at = text_.indexOf(name, at + 1))
        if (text_.at(at + name.size()) == QLatin1Char(' ')) return true;
    return false;
}

int SlotCaptions::slotOf(const QString& caption) const {
    for (int s = 1; s <= kSlotCount; ++s)
        if (at(s) == caption) return s;
    return 0;
}

std::size_t slotEntryOffset(int slot) {
    return map::SlotTable.at(static_cast<std::size_t>(slot - 1));
}

void writeSlotEntry(Image& image, int slot, const QString& caption) {
    const std::size_t offset = slotEntryOffset(slot);
    if (const auto id = parseModuleName(caption)) {
        image.setByte(offset, static_cast<std::uint8_t>(id->kind));
        image.setByte(offset + 1, static_cast<std::uint8_t>(id->number - 1));
    } else if (caption.isEmpty()) {
        image.setByte(offset, 0);
        image.setByte(offset + 1, 0);
    }
}

}  // namespace v5
