#pragma once

#include <array>
#include <functional>

#include <QCheckBox>
#include <QGroupBox>

namespace v5 {

class ZoneBoxes;

// A frame of 64 zone boxes `<prefix>1` .. `<prefix>64` captioned "1" .. "64" (q of the partition pane,
// w of the linked-zone pane); shows a ZoneBoxes and reports the user's clicks.
class ZoneBoxesView : public QGroupBox {
    Q_OBJECT
public:
    ZoneBoxesView(const QString& objectName, const QString& title, const QString& boxPrefix, QWidget* parent);
    // `tip` gives a box's tooltip from its zone: the site's name of the zone, or nothing.
    void render(const ZoneBoxes& boxes, const std::function<QString(int zona)>& tip = {});

signals:
    void clicked(int zona, bool ticked);

private:
    std::array<QCheckBox*, 64> boxes_{};
};

}  // namespace v5
