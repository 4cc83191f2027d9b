#include "window/fit_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
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

bool hasEqualAdvances(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    return width > 0 && metrics.horizontalAdvance(QLatin1Char('i')) == width &&
           metrics.horizontalAdvance(QLatin1Char('W')) == width;
}

QFont fixedPitchFont() {
    return fixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

QFont fixedPitchFont(const QFont& preferred) {
    if (hasEqualAdvances(preferred)) return preferred;
    QStringList families{QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
                         QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")};
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family)) families << family;
    for (const QString& family : std::as_const(families)) {
        if (!QFontDatabase::hasFamily(family)) continue;
        QFont candidate(family);
        candidate.setPointSizeF(preferred.pointSizeF());
        if (hasEqualAdvances(candidate)) return candidate;
    }
    // Fontconfig's own choice for monospaced text, as the last resort.
    QFont hinted = preferred;
    hinted.setStyleHint(QFont::TypeWriter);
    hinted.setFixedPitch(true);
    return hinted;
}

}  // namespace v5
