#include "window/frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
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

QIcon pngIcon(const QString& path, std::initializer_list<int> sizes) {
    QIcon icon;
    for (const int size : sizes) {
        QImageReader reader(path.arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

namespace {
// Qt's own pictures of the extension arrow; a null icon when this Qt has none of them.
QIcon extensionIcon(const char* stem, std::initializer_list<int> sizes) {
    return pngIcon(QStringLiteral(":/qt-project.org/styles/commonstyle/images/") + QLatin1StringView(stem) +
                       QStringLiteral("-%1.png"),
                   sizes);
}
}  // namespace

QIcon FrameStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                               const QWidget* widget) const {
    const bool rightToLeft =
        (option ? option->direction : QGuiApplication::layoutDirection()) == Qt::RightToLeft;
    if (!rightToLeft && standardIcon == SP_ToolBarHorizontalExtensionButton) {
        if (horizontalExtension_.isNull()) horizontalExtension_ = extensionIcon("toolbar-ext-h", {8, 16, 32});
        if (!horizontalExtension_.isNull()) return horizontalExtension_;
    } else if (standardIcon == SP_ToolBarVerticalExtensionButton) {
        if (verticalExtension_.isNull()) verticalExtension_ = extensionIcon("toolbar-ext-v", {5, 10, 20});
        if (!verticalExtension_.isNull()) return verticalExtension_;
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void useFrameStyle() {
    QStyle* current = QApplication::style();
    if (qobject_cast<FrameStyle*>(current) ||
        current->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive))
        return;
    QApplication::setStyle(new FrameStyle(QStyleFactory::create(current->name())));
}

}  // namespace v5
