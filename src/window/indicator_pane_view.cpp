#include "window/indicator_pane_view.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "window/fit_font.h"
#include "outputs/indicator_pane.h"
#include "window/loop_grid_box.h"

namespace v5 {

IndicatorPaneView::IndicatorPaneView(IndicatorPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), model.caption(), parameterArea), model_(model) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 4);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tnUD"));
    for (int tab = 0; tab < IndicatorPane::kTabs; ++tab) {
        auto* page = new QWidget(tabs_);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(4, 4, 4, 4);
        tabs_->addTab(page, IndicatorPane::tabCaption(tab));
    }
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this](int tab) { forward([this, tab] { model_.tnUDChange(tab); }); });
    column->addWidget(tabs_);
    column->addStretch();

    auto* loops =
        new LoopGridBox({"gbSUD", "cUD", "Button9", "Button12"}, LoopGridView::Shape{4, 4}, tabs_->widget(0));
    loops_ = loops;
    grid_ = loops->grid();
    // The frames of the indicator grid carry the names of the panel's own tool.
    for (int m = 1; m <= 8; ++m)
        if (auto* frame = grid_->findChild<QGroupBox*>(QStringLiteral("cUDFrame%1").arg(m)))
            frame->setObjectName(QStringLiteral("GroupBox%1").arg(33 + m));
    loops->wire([this](int loop, bool ticked) { model_.cUDClick(loop, ticked); },
                [this] { model_.Button9Click(); }, [this] { model_.Button12Click(); },
                [this] { emit edited(); });
    tabs_->widget(0)->layout()->addWidget(loops_);
    fitFontToSize(this);
}

void IndicatorPaneView::render() {
    setTitle(model_.caption());
    setAccessibleName(model_.caption());
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(model_.currentTab());
    }
    QWidget* page = tabs_->currentWidget();
    if (loops_->parentWidget() != page) {
        page->layout()->addWidget(loops_);
        loops_->show();
    }
    grid_->render(model_.grid(), LoopGridView::loopNames(model_));
}

}  // namespace v5
