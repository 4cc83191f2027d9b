#pragma once

#include <QGroupBox>
#include <QLineEdit>

namespace v5 {

class AccessCodeBox;

// The four-digit edit of the access-code box.
class Ttemp_meKD : public QLineEdit {
    Q_OBJECT
public:
    explicit Ttemp_meKD(QWidget* parent);
    // The four positions, a blank one as a space.
    QString digits() const;
};

// The access-code box, built while the box model is open and destroyed at the next pane reset.
class Ttemp_gbKD : public QGroupBox {
    Q_OBJECT
public:
    Ttemp_gbKD(AccessCodeBox& model, QWidget* parent);
    void render();
    Ttemp_meKD* edit() const { return edit_; }

private:
    AccessCodeBox& model_;
    Ttemp_meKD* edit_;
};

}  // namespace v5
