#include "window/loop_grid_box.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace v5 {

LoopGridBox::LoopGridBox(const Names& names, LoopGridView::Shape shape, QWidget* parent)
    : QGroupBox(QStringLiteral("Управляется шлейфами"), parent) {
    setObjectName(QString::fromLatin1(names.box));
    setAccessibleName(title());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(4);
    grid_ = new LoopGridView(QString::fromLatin1(names.prefix), shape, this);
    column->addWidget(grid_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    select_ = new QPushButton(QStringLiteral("Выделить"), this);
    select_->setObjectName(QString::fromLatin1(names.select));
    clear_ = new QPushButton(QStringLiteral("Очистить"), this);
    clear_->setObjectName(QString::fromLatin1(names.clear));
    buttons->addWidget(select_);
    buttons->addWidget(clear_);
    column->addLayout(buttons);
}

void LoopGridBox::wire(std::function<void(int, bool)> click, std::function<void()> select,
                       std::function<void()> clear, std::function<void()> done) {
    connect(grid_, &LoopGridView::clicked, this, [click, done](int loop, bool ticked) {
        click(loop, ticked);
        done();
    });
    connect(select_, &QPushButton::clicked, this, [select, done] {
        select();
        done();
    });
    connect(clear_, &QPushButton::clicked, this, [clear, done] {
        clear();
        done();
    });
}

}  // namespace v5
