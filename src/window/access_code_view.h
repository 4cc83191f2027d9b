#pragma once

#include "window/pane_view.h"
#include "window/typed_field.h"

namespace v5 {

class AccessCodeBox;

// The four-digit edit of the access-code box. It takes decimal digits only, but shows a stored code
// that has other nibbles as it is.
class Ttemp_meKD : public TypedField {
    Q_OBJECT
public:
    explicit Ttemp_meKD(QWidget* parent);
};

// The access-code box, built while the box model is open and destroyed at the next pane reset.
class Ttemp_gbKD : public PaneView {
    Q_OBJECT
public:
    Ttemp_gbKD(AccessCodeBox& model, QWidget* parent);
    void render() override;
    Ttemp_meKD* edit() const { return edit_; }

private:
    AccessCodeBox& model_;
    Ttemp_meKD* edit_;
};

}  // namespace v5
