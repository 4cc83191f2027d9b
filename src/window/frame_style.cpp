#include "window/frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace v5 {

namespace {
constexpr int kTopMargin = 3;  // above the frame, below the title if there is one, as Fusion leaves it
}

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool titled = !box || box->isCheckable() || !box->title().isEmpty();
    const int top =
        kTopMargin +
        (titled ? qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) : 0);
    const QColor window = option->palette.window().color();
    painter->save();
    painter->setPen(window.darker(125));
    painter->setBrush(window.darker(103));
    painter->drawRoundedRect(option->rect.adjusted(0, top, -1, -1), 2, 2);
    painter->restore();
}

void useFrameStyle() {
    QStyle* current = QApplication::style();
    if (qobject_cast<FrameStyle*>(current) ||
        current->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive))
        return;
    QApplication::setStyle(new FrameStyle(QStyleFactory::create(current->name())));
}

}  // namespace v5
