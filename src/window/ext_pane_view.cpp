#include "window/ext_pane_view.h"

#include <QGridLayout>
#include <QSignalBlocker>

#include "outputs/ext_pane.h"

namespace v5 {

ExtPaneView::ExtPaneView(ExtPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), QStringLiteral("Внешние модули"), parameterArea), model_(model) {
    setGeometry(8, 20, 320, 150);
    auto* grid = new QGridLayout(this);
    for (int bit = 0; bit < ExtPane::kBoxCount; ++bit) {
        auto* box = new QCheckBox(ExtPane::boxCaption(bit), this);
        box->setObjectName(ExtPane::boxName(bit));
        grid->addWidget(box, bit % 4, bit / 4);
        connect(box, &QCheckBox::clicked, this, [this, bit](bool ticked) {
            model_.setTicked(bit, ticked);
            emit edited();
        });
        boxes_.at(static_cast<std::size_t>(bit)) = box;
    }
}

void ExtPaneView::render() {
    for (int bit = 0; bit < ExtPane::kBoxCount; ++bit) {
        QCheckBox* box = boxes_.at(static_cast<std::size_t>(bit));
        const QSignalBlocker block(box);
        box->setChecked(model_.isTicked(bit));
    }
}

}  // namespace v5
