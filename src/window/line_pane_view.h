#pragma once

#include <array>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "window/pane_view.h"

namespace v5 {

class LinePane;
class RuleValidator;

// gbLine: the loop modules a communication module serves (tz1..tz8) and its address in MaskEdit1.
class LinePaneView : public PaneView {
    Q_OBJECT
public:
    LinePaneView(LinePane& model, QWidget* parameterArea);
    void render() override;

private:
    LinePane& model_;
    std::array<QCheckBox*, 8> boxes_{};
    QLineEdit* address_ = nullptr;
    RuleValidator* validator_ = nullptr;
    // Beside the field: why what it holds is not the address that will be stored.
    QLabel* note_ = nullptr;
};

}  // namespace v5
