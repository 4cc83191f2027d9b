#pragma once

#include <QProxyStyle>

namespace v5 {

// Fusion draws every group-box frame by stretching a translucent picture over the whole box, which
// costs more than everything else a pane paints; a pane switch repaints several large boxes. This
// style draws the same light panel with a plain fill and outline, and leaves everything else to Fusion.
class FrameStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

// Puts FrameStyle over the application's style, once, when that style is Fusion.
void useFrameStyle();

}  // namespace v5
