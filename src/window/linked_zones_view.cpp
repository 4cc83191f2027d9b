#include "window/linked_zones_view.h"

#include <QHBoxLayout>

#include "window/fit_font.h"
#include "window/group_list_view.h"
#include "groups/group_texts.h"
#include "groups/linked_zones_pane.h"
#include "window/zone_boxes_view.h"

namespace v5 {

LinkedZonesView::LinkedZonesView(LinkedZonesPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), groups_text::LinkedPaneTitle(), parameterArea), model_(model) {
    auto* row = new QHBoxLayout(this);
    list_ = new GroupListView(QStringLiteral("lbPZona"), title(), this);
    connect(list_, &GroupListView::rowChosen, this, [this](int r) {
        model_.selectRow(r);
        emit edited();
    });
    row->addLayout(groupListColumn(list_, {}));
    boxes_ = new ZoneBoxesView(QStringLiteral("GroupBox52"), groups_text::LinkedZonesTitle(),
                               QStringLiteral("w"), this);
    connect(boxes_, &ZoneBoxesView::clicked, this, [this](int zona, bool ticked) {
        model_.wClick(zona, ticked);
        emit edited();
    });
    row->addWidget(boxes_, 1, Qt::AlignTop);
    fitFontToSize(this);
}

void LinkedZonesView::render() {
    list_->render(model_.list(), [this](const QString& item) {
        return model_.namedTip(NameField::Zone, QString::number(GroupList::numberOf(item)));
    });
    boxes_->render(model_.boxes(),
                   [this](int zona) { return model_.namedTip(NameField::Zone, QString::number(zona)); });
}

}  // namespace v5
