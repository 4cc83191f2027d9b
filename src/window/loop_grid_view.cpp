#include "window/loop_grid_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>

#include "desktop/loop_grid.h"
#include "desktop/pane.h"

namespace v5 {

LoopGridView::LoopGridView(const QString& boxPrefix, Shape shape, QWidget* parent) : QWidget(parent) {
    setObjectName(boxPrefix + QStringLiteral("Grid"));
    auto* frames = new QGridLayout(this);
    frames->setContentsMargins(0, 0, 0, 0);
    frames->setSpacing(2);
    for (int m = 1; m <= 8; ++m) {
        auto* frame = new QGroupBox(QStringLiteral("МШС %1").arg(m), this);
        frame->setObjectName(boxPrefix + QStringLiteral("Frame%1").arg(m));
        frame->setAccessibleName(frame->title());
        auto* inner = new QGridLayout(frame);
        inner->setContentsMargins(4, 2, 2, 2);
        inner->setHorizontalSpacing(2);
        inner->setVerticalSpacing(0);
        for (int j = 0; j < 8; ++j) {
            const int loop = 8 * (m - 1) + j + 1;
            auto* box = new QCheckBox(QString::number(loop), frame);
            box->setObjectName(boxPrefix + QString::number(loop));
            box->setEnabled(false);
            connect(box, &QCheckBox::clicked, this,
                    [this, loop](bool ticked) { emit clicked(loop, ticked); });
            inner->addWidget(box, j / shape.boxColumns, j % shape.boxColumns);
            boxes_.at(static_cast<std::size_t>(loop - 1)) = box;
        }
        frames->addWidget(frame, (m - 1) / shape.frameColumns, (m - 1) % shape.frameColumns);
    }
}

void LoopGridView::render(const LoopGrid& grid, const Tip& tip) {
    for (int loop = 1; loop <= LoopGrid::kLoops; ++loop) {
        QCheckBox* b = box(loop);
        const QSignalBlocker block(b);
        b->setChecked(grid.isTicked(loop));
        b->setEnabled(grid.isEnabled(loop));
        if (tip) {
            const QString text = tip(loop);
            if (b->toolTip() != text) b->setToolTip(text);
        }
    }
}

LoopGridView::Tip LoopGridView::loopNames(const Pane& pane) {
    return [&pane](int loop) { return pane.namedTip(NameField::Loop, QString::number(loop)); };
}

}  // namespace v5
