#include "window/zone_boxes_view.h"

#include <QGridLayout>
#include <QSignalBlocker>

#include "groups/zone_boxes.h"

namespace v5 {

namespace {
constexpr int kColumns = 8;
}

ZoneBoxesView::ZoneBoxesView(const QString& objectName, const QString& title, const QString& boxPrefix,
                             QWidget* parent)
    : QGroupBox(title, parent) {
    setObjectName(objectName);
    setAccessibleName(title);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int z = 1; z <= ZoneBoxes::kZones; ++z) {
        auto* box = new QCheckBox(QString::number(z), this);
        box->setObjectName(boxPrefix + QString::number(z));
        box->setEnabled(false);
        // A hidden box keeps its place, so the others do not move when zones come and go.
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
        connect(box, &QCheckBox::clicked, this, [this, z](bool ticked) { emit clicked(z, ticked); });
        grid->addWidget(box, (z - 1) / kColumns, (z - 1) % kColumns);
        boxes_.at(static_cast<std::size_t>(z - 1)) = box;
    }
}

void ZoneBoxesView::render(const ZoneBoxes& boxes, const std::function<QString(int zona)>& tip) {
    for (int z = 1; z <= ZoneBoxes::kZones; ++z) {
        QCheckBox* box = boxes_.at(static_cast<std::size_t>(z - 1));
        const QSignalBlocker block(box);
        box->setChecked(boxes.isTicked(z));
        box->setEnabled(boxes.isEnabled(z));
        box->setVisible(boxes.isShown(z));
        if (tip) {
            const QString text = tip(z);
            if (box->toolTip() != text) box->setToolTip(text);
        }
    }
}

}  // namespace v5
