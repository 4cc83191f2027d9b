#pragma once

#include <array>

#include <QCheckBox>

#include "window/pane_view.h"

namespace v5 {

class ExtPane;

// gbExt: the twelve presence boxes of the external modules.
class ExtPaneView : public PaneView {
    Q_OBJECT
public:
    ExtPaneView(ExtPane& model, QWidget* parameterArea);
    void render() override;

private:
    ExtPane& model_;
    std::array<QCheckBox*, 12> boxes_{};
};

}  // namespace v5
