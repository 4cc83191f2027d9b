#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QString>

#include "files/names_file.h"
#include "image/image.h"

namespace v5 {

// The way back through the user's changes to the image. Each step keeps only the bytes it changed
// (before and after), so a long history of ticks costs little; a whole load costs at most the image
// twice. The history follows the image it is shown: record() takes whatever changed since the last
// step as one new step. The names beside the image go with it: a step that changed them restores them.
class UndoHistory {
public:
    // Tells a step in the user's words ("шлейф 17: тип охранный → пожарный").
    using Describe = std::function<QString(const Image& before, const Image& after)>;
    static constexpr std::size_t kDefaultLimit = 256;

    explicit UndoHistory(const Image& start = Image(), std::size_t limit = kDefaultLimit);
    UndoHistory(const Image& start, const SiteNames& names, std::size_t limit = kDefaultLimit);

    void setDescribe(Describe describe) { describe_ = std::move(describe); }

    // The image as it stands now. When it differs from the last step's result, the difference becomes
    // a new step, named by `label` or, when that is empty, by the describer on first ask; redo is
    // cleared. True when a step was taken.
    bool record(const Image& now, QString label = {}) { return record(now, currentNames_, std::move(label)); }
    bool record(const Image& now, const SiteNames& names, QString label = {});
    // The image and names the history stands at: what undo() starts from.
    const Image& current() const { return current_; }
    const SiteNames& currentNames() const { return currentNames_; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    // The name of the step undo() or redo() would take; empty when there is none.
    QString undoLabel();
    QString redoLabel();

    // Puts the bytes of the step before into `image` and returns the step's name; nothing when there is
    // no step. The image must be current() (record() first).
    std::optional<QString> undo(Image& image) { return move(image, currentNames_, Side::Before); }
    std::optional<QString> redo(Image& image) { return move(image, currentNames_, Side::After); }
    // The same, the names put back too.
    std::optional<QString> undo(Image& image, SiteNames& names) { return move(image, names, Side::Before); }
    std::optional<QString> redo(Image& image, SiteNames& names) { return move(image, names, Side::After); }

    // The bytes the steps hold, for the limits on memory.
    std::size_t memoryBytes() const;

private:
    // Changed bytes at `offset`: `length` bytes of before, then `length` bytes of after in `bytes`.
    struct Run {
        std::uint16_t offset;
        std::uint16_t length;
    };
    struct Step {
        std::vector<Run> runs;
        std::vector<std::uint8_t> bytes;
        QString label;
        // The names before and after, when the step changed them.
        std::optional<std::pair<SiteNames, SiteNames>> names;
    };
    enum class Side { Before, After };

    std::optional<QString> move(Image& image, SiteNames& names, Side side);

    static Step difference(const Image& before, const Image& after);
    static void apply(const Step& step, Side side, Image& image);
    QString labelOf(Step& step, Side shown);

    Image current_;
    SiteNames currentNames_;
    std::size_t limit_;
    Describe describe_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
};

}  // namespace v5
