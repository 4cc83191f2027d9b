#pragma once

#include <functional>

#include <QGroupBox>
#include <QRect>

namespace v5 {

// The view of one pane model in the parameter area: builds its widgets with their objectNames, shows
// the model in render() and forwards only the user's own actions to the model, then emits edited() so
// that the window shows the result everywhere.
class PaneView : public QGroupBox {
    Q_OBJECT
public:
    // The view takes the pane area of `parent` (the parameter area) unless it sets a geometry of its own.
    PaneView(const QString& objectName, const QString& title, QWidget* parent);
    virtual void render() = 0;

    // Where panes sit in the parameter area: below its title, above the option boxes.
    static QRect paneArea(const QWidget* parameterArea);

signals:
    void edited();

protected:
    // A user's own action: runs it on the model, then the window shows the result.
    void forward(const std::function<void()>& action);
};

}  // namespace v5
