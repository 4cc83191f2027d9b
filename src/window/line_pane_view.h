#pragma once

#include <array>

#include <QCheckBox>
#include <QLineEdit>

#include "pane_view.h"

namespace v5 {

class LinePane;

// gbLine: the loop modules a communication module serves (tz1..tz8) and its address in MaskEdit1.
class LinePaneView : public PaneView {
    Q_OBJECT
public:
    LinePaneView(LinePane& model, QWidget* parameterArea);
    void render() override;

private:
    // The three positions of the edit, a blank one as a space.
    QString typedAddress() const;

    LinePane& model_;
    std::array<QCheckBox*, 8> boxes_{};
    QLineEdit* address_ = nullptr;
};

}  // namespace v5
