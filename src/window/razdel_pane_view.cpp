#include "window/razdel_pane_view.h"

#include <QHBoxLayout>

#include "window/fit_font.h"
#include "window/group_list_view.h"
#include "window/name_field.h"
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
    QVBoxLayout* column = groupListColumn(list_, {{QStringLiteral("Button10"), groups_text::CreateRazdel(),
                                            [this] {
                                                model_.Button10Click();
                                                emit edited();
                                            }},
                                           {QStringLiteral("Button11"), groups_text::DeleteRazdel(), [this] {
                                                model_.Button11Click();
                                                emit edited();
                                            }}});
    name_ = new NameFieldView(QStringLiteral("edRazdelName"), groups_text::NameCaption(), model_, false, this, true);
    connect(name_, &NameFieldView::edited, this, &PaneView::edited);
    column->addWidget(name_);
    row->addLayout(column);
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
    list_->render(model_.list(), [this](const QString& item) {
        return model_.namedTip(NameField::Partition, QString::number(GroupList::numberOf(item)));
    });
    name_->render();
    boxes_->render(model_.boxes(),
                   [this](int zona) { return model_.namedTip(NameField::Zone, QString::number(zona)); });
}

}  // namespace v5
