#pragma once

#include <array>
#include <functional>

#include <QCheckBox>
#include <QWidget>

namespace v5 {

class LoopGrid;

// The 64 loop boxes `<prefix>1` .. `<prefix>64` in eight frames "МШС 1" .. "МШС 8"; shows a LoopGrid and
// reports the user's clicks. Every loop grid of the window is one of these.
class Pane;

class LoopGridView : public QWidget {
    Q_OBJECT
public:
    struct Shape {
        int frameColumns = 4;  // frames side by side
        int boxColumns = 4;    // boxes side by side inside a frame
    };

    LoopGridView(const QString& boxPrefix, QWidget* parent) : LoopGridView(boxPrefix, Shape(), parent) {}
    LoopGridView(const QString& boxPrefix, Shape shape, QWidget* parent);
    // A box's tooltip for its loop: the site's name of the loop, or nothing.
    using Tip = std::function<QString(int loop)>;
    void render(const LoopGrid& grid, const Tip& tip = {});
    // The loops' names of the site `pane` belongs to, for render().
    static Tip loopNames(const Pane& pane);
    QCheckBox* box(int loop) const { return boxes_.at(static_cast<std::size_t>(loop - 1)); }

signals:
    // The user ticked or unticked the box of `loop`.
    void clicked(int loop, bool ticked);

private:
    std::array<QCheckBox*, 64> boxes_{};
};

}  // namespace v5
