#pragma once

#include <array>

#include <QCheckBox>
#include <QGroupBox>

namespace v5 {

class ExtPane;

// gbExt: the twelve presence boxes of the external modules.
class ExtPaneView : public QGroupBox {
    Q_OBJECT
public:
    ExtPaneView(ExtPane& model, QWidget* parent);
    void render();

signals:
    void edited();

private:
    ExtPane& model_;
    std::array<QCheckBox*, 12> boxes_{};
};

}  // namespace v5
