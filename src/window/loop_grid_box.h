#pragma once

#include <functional>

#include <QGroupBox>
#include <QPushButton>

#include "window/loop_grid_view.h"

namespace v5 {

// "Управляется шлейфами": a loop grid with its two buttons "Выделить" and "Очистить" below it, as the
// relay, indicator and sounder panes show it.
class LoopGridBox : public QGroupBox {
    Q_OBJECT
public:
    struct Names {
        const char* box;     // the group box
        const char* prefix;  // the loop boxes
        const char* select;  // "Выделить"
        const char* clear;   // "Очистить"
    };
    LoopGridBox(const Names& names, LoopGridView::Shape shape, QWidget* parent);

    // The user's clicks on the boxes and on the two buttons run these, then `done`.
    void wire(std::function<void(int loop, bool ticked)> click, std::function<void()> select,
              std::function<void()> clear, std::function<void()> done);

    LoopGridView* grid() const { return grid_; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* clearButton() const { return clear_; }

private:
    LoopGridView* grid_ = nullptr;
    QPushButton* select_ = nullptr;
    QPushButton* clear_ = nullptr;
};

}  // namespace v5
