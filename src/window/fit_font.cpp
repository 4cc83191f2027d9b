#include "fit_font.h"

#include <QLayout>
#include <QWidget>

namespace v5 {

namespace {
constexpr double kSmallestPointSize = 6;
}

void fitFontToSize(QWidget* pane) {
    QLayout* layout = pane->layout();
    if (!layout) return;
    QFont font = pane->font();
    auto tooBig = [&] {
        layout->invalidate();
        const QSize need = layout->minimumSize();
        return need.width() > pane->width() || need.height() > pane->height();
    };
    while (tooBig() && font.pointSizeF() > kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        pane->setFont(font);
    }
}

}  // namespace v5
