#pragma once

#include <QListWidget>
#include <QPushButton>

#include "window/pane_view.h"

namespace v5 {

class KeyListPane;

// gbKey: the list of stored keys in a fixed-pitch font under its column captions, and the three orders.
class KeyListView : public PaneView {
    Q_OBJECT
public:
    KeyListView(KeyListPane& model, QWidget* parameterArea);
    void render() override;

private:
    KeyListPane& model_;
    QListWidget* clbKey_;
    QPushButton* btnNmb_;
    QPushButton* btnZona_;
    QPushButton* btnEmpty_;
    // The lines the list holds; it is refilled only when the model's lines differ.
    QStringList shown_;
    QStringList shownTips_;
};

}  // namespace v5
