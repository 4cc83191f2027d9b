#include "window/sounder_pane_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "window/status_tips.h"
#include "window/fit_font.h"
#include "window/loop_grid_box.h"
#include "window/radio_group_box.h"

namespace v5 {

namespace {
// The controls of each tab as the panel's own tool names them: the duration groups in event order
// (alarm, fire, fault) and the option boxes by record bit (0 where the tab has no such box).
constexpr int kDurationGroups[SounderPane::kTabs][3] = {
    {6, 16, 17}, {18, 19, 20}, {21, 22, 24}, {25, 26, 27}};
constexpr int kOptionBoxes[SounderPane::kTabs][SounderPane::kOptionBits] = {
    {0, 0, 0, 76, 77}, {78, 79, 80, 81, 82}, {85, 86, 87, 83, 84}, {90, 91, 92, 88, 89}};
}  // namespace

SounderPaneView::SounderPaneView(SounderPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), QStringLiteral("Звуковые оповещатели"), parameterArea), model_(model) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(4);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("TabbedNotebook4"));
    for (int tab = 0; tab < SounderPane::kTabs; ++tab)
        tabs_->addTab(buildPanel(tab, tabs_), SounderPane::tabCaptions().at(tab));
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this](int page) { forward([this, page] { model_.TabbedNotebook4Change(page); }); });
    column->addWidget(tabs_);

    auto* loops =
        new LoopGridBox({"GroupBox24", "cbZO", "Button6", "Button8"}, LoopGridView::Shape{4, 4}, this);
    grid_ = loops->grid();
    loops->wire([this](int loop, bool ticked) { model_.cbZO1Click(loop, ticked); },
                [this] { model_.Button6Click(); }, [this] { model_.Button8Click(); },
                [this] { emit edited(); });
    column->addWidget(loops);
    column->addStretch();
    fitFontToSize(this);
}

QWidget* SounderPaneView::buildPanel(int tab, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("Panel%1").arg(28 + tab));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto* groups = new QHBoxLayout;
    for (const SounderPane::Event event : {SounderPane::Alarm, SounderPane::Fire, SounderPane::Fault}) {
        auto* group =
            new RadioGroupBox(QStringLiteral("RadioGroup%1").arg(kDurationGroups[tab][event]),
                              SounderPane::eventCaptions().at(event), SounderPane::durationItems(), 2, panel);
        connect(group, &RadioGroupBox::chosen, this, [this, tab, event](int item) {
            forward([this, tab, event, item] { model_.durationClick(tab, event, item); });
        });
        groups->addWidget(group);
        durations_.at(static_cast<std::size_t>(tab)).at(event) = group;
    }
    groups->addStretch();
    layout->addLayout(groups);
    // Repeating the relays in the left column, the tamper options in the right one.
    auto* boxes = new QGridLayout;
    boxes->setVerticalSpacing(0);
    for (int bit = 0; bit < SounderPane::kOptionBits; ++bit) {
        if (!SounderPane::hasOption(tab, bit)) continue;
        auto* box = new QCheckBox(SounderPane::optionCaption(bit), panel);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(kOptionBoxes[tab][bit]));
        connect(box, &QCheckBox::clicked, this, [this, tab, bit](bool ticked) {
            forward([this, tab, bit, ticked] { model_.optionClick(tab, bit, ticked); });
        });
        const bool tamper = bit >= 3;
        boxes->addWidget(box, tamper ? bit - 3 : bit, tamper ? 1 : 0);
        options_.at(static_cast<std::size_t>(tab)).at(static_cast<std::size_t>(bit)) = box;
    }
    applyStoredHints(panel, QStringLiteral("записи оповещателя"));
    boxes->setColumnStretch(2, 1);
    layout->addLayout(boxes);
    layout->addStretch();
    return panel;
}

void SounderPaneView::render() {
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(model_.currentPage());
    }
    for (int tab = 0; tab < SounderPane::kTabs; ++tab) {
        for (const SounderPane::Event event : {SounderPane::Alarm, SounderPane::Fire, SounderPane::Fault})
            durations_.at(static_cast<std::size_t>(tab))
                .at(event)
                ->setCurrent(model_.durationItemOf(tab, event));
        for (int bit = 0; bit < SounderPane::kOptionBits; ++bit) {
            QCheckBox* box = options_.at(static_cast<std::size_t>(tab)).at(static_cast<std::size_t>(bit));
            if (!box) continue;
            const QSignalBlocker block(box);
            box->setChecked(model_.optionTicked(tab, bit));
        }
    }
    grid_->render(model_.grid(), LoopGridView::loopNames(model_));
}

}  // namespace v5
