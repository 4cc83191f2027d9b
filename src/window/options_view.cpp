#include "window/options_view.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

#include "outputs/panel_options.h"

namespace v5 {

namespace {
const char* const kNames[] = {"cbAvtovziatie", "cbDisableProg", "cbDisableAC"};
const char16_t* const kCaptions[] = {u"Автовзятие шлейфов", u"Запрет программирования по шине",
                                     u"Работа только от внешнего источника 12В."};
constexpr int kHeight = 26;
}  // namespace

OptionsView::OptionsView(PanelOptions& model, QWidget* parameterArea)
    : PaneView(QStringLiteral("pnlOptions"), QString(), parameterArea), model_(model) {
    setFlat(true);
    setGeometry(4, parameterArea->height() - kHeight - 2, parameterArea->width() - 8, kHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(24);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(QString::fromUtf16(kCaptions[i]), this);
        box->setObjectName(QString::fromLatin1(kNames[i]));
        const auto option = static_cast<PanelOptions::Option>(i);
        connect(box, &QCheckBox::clicked, this, [this, option](bool ticked) {
            model_.setOption(option, ticked);
            emit edited();
        });
        row->addWidget(box);
        boxes_.at(static_cast<std::size_t>(i)) = box;
    }
    row->addStretch();
}

void OptionsView::render() {
    for (int i = 0; i < 3; ++i) {
        QCheckBox* box = boxes_.at(static_cast<std::size_t>(i));
        const QSignalBlocker block(box);
        box->setChecked(model_.isTicked(static_cast<PanelOptions::Option>(i)));
    }
}

}  // namespace v5
