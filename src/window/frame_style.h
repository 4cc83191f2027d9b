#pragma once

#include <initializer_list>

#include <QIcon>
#include <QProxyStyle>

namespace v5 {

// Fusion draws every group-box frame by stretching a translucent picture over the whole box, which
// costs more than everything else a pane paints; a pane switch repaints several large boxes. This
// style draws the same light panel with a plain fill and outline, and leaves everything else to Fusion.
//
// It also hands out the menu bar's "»" (the extension button a narrow window shows) read as the PNG it
// is. Fusion's own icon asks every image plugin whether it can read the file, and the menu bar asks for
// it when it is made: loading the plugins was a tenth of the window's cold start.
class FrameStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;

private:
    mutable QIcon horizontalExtension_;  // read when first asked for
    mutable QIcon verticalExtension_;
};

// Puts FrameStyle over the application's style, once, when that style is Fusion.
void useFrameStyle();

// An icon of the PNG pictures at `path` (with "%1" standing for the size) in the given sizes, each read
// as PNG and nothing else: a reader allowed to find the format out loads every image plugin to ask it,
// even when told the format. A size whose picture cannot be read is left out.
QIcon pngIcon(const QString& path, std::initializer_list<int> sizes);

}  // namespace v5
