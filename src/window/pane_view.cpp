#include "window/pane_view.h"

namespace v5 {

namespace {
constexpr int kTitleHeight = 16;
constexpr int kOptionsHeight = 30;
}  // namespace

PaneView::PaneView(const QString& objectName, const QString& title, QWidget* parent)
    : QGroupBox(title, parent) {
    setObjectName(objectName);
    setAccessibleName(title);
    if (parent) setGeometry(paneArea(parent));
}

void PaneView::forward(const std::function<void()>& action) {
    action();
    emit edited();
}

QRect PaneView::paneArea(const QWidget* parameterArea) {
    return QRect(4, kTitleHeight, parameterArea->width() - 8,
                 parameterArea->height() - kTitleHeight - kOptionsHeight);
}

}  // namespace v5
