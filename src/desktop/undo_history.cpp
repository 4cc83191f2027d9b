#include "desktop/undo_history.h"

#include <algorithm>
#include <cstring>

#include "desktop/site_names.h"

namespace v5 {

namespace {
// Equal bytes shorter than this between two changes stay inside one run: a run costs four bytes.
constexpr std::size_t kJoinGap = 4;
}  // namespace

UndoHistory::UndoHistory(const Image& start, std::size_t limit) : UndoHistory(start, SiteNames(), limit) {}

UndoHistory::UndoHistory(const Image& start, const SiteNames& names, std::size_t limit)
    : current_(start), currentNames_(names), limit_(std::max<std::size_t>(limit, 1)) {}

UndoHistory::Step UndoHistory::difference(const Image& before, const Image& after) {
    Step step;
    const std::uint8_t* a = before.data();
    const std::uint8_t* b = after.data();
    std::size_t i = 0;
    while (i < Image::kSize) {
        if (a[i] == b[i]) {
            ++i;
            continue;
        }
        // The run ends at the last changed byte that is followed by kJoinGap equal ones.
        std::size_t end = i + 1;
        for (std::size_t j = end; j < Image::kSize && j < end + kJoinGap; ++j)
            if (a[j] != b[j]) end = j + 1;
        step.runs.push_back({static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(end - i)});
        step.bytes.insert(step.bytes.end(), a + i, a + end);
        step.bytes.insert(step.bytes.end(), b + i, b + end);
        i = end;
    }
    step.bytes.shrink_to_fit();
    return step;
}

void UndoHistory::apply(const Step& step, Side side, Image& image) {
    std::size_t at = 0;
    for (const Run& run : step.runs) {
        const std::uint8_t* source = step.bytes.data() + at + (side == Side::After ? run.length : 0);
        std::memcpy(image.data() + run.offset, source, run.length);
        at += 2 * std::size_t{run.length};
    }
}

bool UndoHistory::record(const Image& now, const SiteNames& names, QString label) {
    const bool namesChanged = names != currentNames_;
    if (now == current_ && !namesChanged) return false;
    Step step = difference(current_, now);
    step.label = std::move(label);
    if (namesChanged) {
        if (step.label.isEmpty() && now == current_) step.label = describeNamesChange(currentNames_, names);
        step.names.emplace(currentNames_, names);
        currentNames_ = names;
    }
    undo_.push_back(std::move(step));
    if (undo_.size() > limit_) undo_.pop_front();
    redo_.clear();
    current_ = now;
    return true;
}

QString UndoHistory::labelOf(Step& step, Side shown) {
    if (step.label.isEmpty() && describe_) {
        Image other = current_;
        apply(step, shown == Side::After ? Side::Before : Side::After, other);
        step.label = shown == Side::After ? describe_(other, current_) : describe_(current_, other);
    }
    return step.label;
}

QString UndoHistory::undoLabel() {
    return undo_.empty() ? QString() : labelOf(undo_.back(), Side::After);
}

QString UndoHistory::redoLabel() {
    return redo_.empty() ? QString() : labelOf(redo_.back(), Side::Before);
}

std::optional<QString> UndoHistory::move(Image& image, SiteNames& names, Side side) {
    auto& from = side == Side::Before ? undo_ : redo_;
    if (from.empty()) return std::nullopt;
    Step& step = from.back();
    const QString label = labelOf(step, side == Side::Before ? Side::After : Side::Before);
    apply(step, side, current_);
    image = current_;
    if (step.names) currentNames_ = side == Side::Before ? step.names->first : step.names->second;
    names = currentNames_;
    Step moved = std::move(step);
    from.pop_back();
    (side == Side::Before ? redo_ : undo_).push_back(std::move(moved));
    return label;
}

std::size_t UndoHistory::memoryBytes() const {
    std::size_t total = 0;
    const auto add = [&](const Step& step) {
        total += sizeof(Step) + step.runs.capacity() * sizeof(Run) + step.bytes.capacity() +
                 static_cast<std::size_t>(step.label.capacity()) * sizeof(QChar);
    };
    std::for_each(undo_.begin(), undo_.end(), add);
    std::for_each(redo_.begin(), redo_.end(), add);
    return total;
}

}  // namespace v5
