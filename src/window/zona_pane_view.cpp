#include "window/zona_pane_view.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "window/fit_font.h"
#include "window/group_list_view.h"
#include "window/name_field.h"
#include "groups/group_texts.h"
#include "window/loop_grid_view.h"
#include "groups/zona_pane.h"

namespace v5 {

ZonaPaneView::ZonaPaneView(ZonaPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), groups_text::ZonaTitle(), parameterArea), model_(model) {
    auto* row = new QHBoxLayout(this);
    list_ = new GroupListView(QStringLiteral("lbZona"), title(), this);
    connect(list_, &GroupListView::rowChosen, this, [this](int r) {
        model_.selectRow(r);
        emit edited();
    });
    QVBoxLayout* column = groupListColumn(list_, {{QStringLiteral("Button2"), groups_text::CreateZona(),
                                            [this] {
                                                model_.Button2Click();
                                                emit edited();
                                            }},
                                           {QStringLiteral("Button7"), groups_text::DeleteZona(), [this] {
                                                model_.Button7Click();
                                                emit edited();
                                            }}});
    name_ = new NameFieldView(QStringLiteral("edZonaName"), groups_text::NameCaption(), model_, false, this, true);
    connect(name_, &NameFieldView::edited, this, &PaneView::edited);
    column->addWidget(name_);
    row->addLayout(column);

    frame_ = new QGroupBox(model_.gridCaption(), this);
    frame_->setObjectName(QStringLiteral("GroupBox43"));
    auto* frameLayout = new QVBoxLayout(frame_);
    grid_ = new LoopGridView(QStringLiteral("z"), LoopGridView::Shape{4, 2}, frame_);
    connect(grid_, &LoopGridView::clicked, this, [this](int loop, bool ticked) {
        model_.ZoneClick(loop, ticked);
        emit edited();
    });
    frameLayout->addWidget(grid_);
    row->addWidget(frame_, 1, Qt::AlignTop);
    fitFontToSize(this);
}

void ZonaPaneView::render() {
    list_->render(model_.list(), [this](const QString& item) {
        return model_.namedTip(NameField::Zone, QString::number(GroupList::numberOf(item)));
    });
    name_->render();
    frame_->setTitle(model_.gridCaption());
    frame_->setAccessibleName(frame_->title());
    grid_->render(model_.grid(), LoopGridView::loopNames(model_));
}

}  // namespace v5
