#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "image/image.h"

namespace v5 {

// The way back through the user's changes to the image. Each step keeps only the bytes it changed
// (before and after), so a long history of ticks costs little; a whole load costs at most the image
// twice. The history follows the image it is shown: record() takes whatever changed since the last
// step as one new step.
class UndoHistory {
public:
    // Tells a step in the user's words ("шлейф 17: тип охранный → пожарный").
    using Describe = std::function<QString(const Image& before, const Image& after)>;
    static constexpr std::size_t kDefaultLimit = 256;

    explicit UndoHistory(const Image& start = Image(), std::size_t limit = kDefaultLimit);

    void setDescribe(Describe describe) { describe_ = std::move(describe); }

    // The image as it stands now. When it differs from the last step's result, the difference becomes
    // a new step, named by `label` or, when that is empty, by the describer on first ask; redo is
    // cleared. True when a step was taken.
    bool record(const Image& now, QString label = {});
    // The image the history stands at: what undo() starts from.
    const Image& current() const { return current_; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    // The name of the step undo() or redo() would take; empty when there is none.
    QString undoLabel();
    QString redoLabel();

    // Puts the bytes of the step before into `image` and returns the step's name; nothing when there is
    // no step. The image must be current() (record() first).
    std::optional<QString> undo(Image& image);
    std::optional<QString> redo(Image& image);

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
    };
    enum class Side { Before, After };

    static Step difference(const Image& before, const Image& after);
    static void apply(const Step& step, Side side, Image& image);
    QString labelOf(Step& step, Side shown);

    Image current_;
    std::size_t limit_;
    Describe describe_;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

}  // namespace v5
