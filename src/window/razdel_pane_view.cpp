#include "window/razdel_pane_view.h"

#include <QHBoxLayout>

#include "window/fit_font.h"
#include "window/group_list_view.h"
#include "groups/group_texts.h"
#include "groups/razdel_pane.h"
#include "window/zone_boxes_view.h"

namespace v5 {

RazdelPaneView::RazdelPaneView(RazdelPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), groups_text::RazdelTitle(), parameterArea), model_(model) {
    auto* row = new QHBoxLayout(this);
    list_ = new GroupListView(QStringLiteral("lbRazdel"), title(), this);
    connect(list_, &GroupListView::rowChosen, this, [this](int r) {
        model_.selectRow(r);
        emit edited();
    });
    row->addLayout(groupListColumn(list_, {{QStringLiteral("Button10"), groups_text::CreateRazdel(),
                                            [this] {
                                                model_.Button10Click();
                                                emit edited();
                                            }},
                                           {QStringLiteral("Button11"), groups_text::DeleteRazdel(), [this] {
                                                model_.Button11Click();
                                                emit edited();
                                            }}}));
    boxes_ = new ZoneBoxesView(QStringLiteral("GroupBox42"), groups_text::RazdelZonesTitle(),
                               QStringLiteral("q"), this);
    connect(boxes_, &ZoneBoxesView::clicked, this, [this](int zona, bool ticked) {
        model_.qClick(zona, ticked);
        emit edited();
    });
    row->addWidget(boxes_, 1, Qt::AlignTop);
    fitFontToSize(this);
}

void RazdelPaneView::render() {
    list_->render(model_.list());
    boxes_->render(model_.boxes());
}

}  // namespace v5
