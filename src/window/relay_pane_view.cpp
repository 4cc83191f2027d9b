#include "window/relay_pane_view.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "groups/group_texts.h"
#include "window/name_field.h"
#include "window/status_tips.h"
#include "window/fit_font.h"
#include "window/loop_grid_box.h"
#include "window/radio_group_box.h"
#include "outputs/relay_pane.h"

namespace v5 {

RelayPaneView::RelayPaneView(RelayPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), QStringLiteral("Режим работы для реле"), parameterArea), model_(model) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 4);
    row->setSpacing(4);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tnRele"));
    for (int tab = 0; tab < RelayPane::kTabs; ++tab) {
        auto* page = new QWidget(tabs_);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(2, 2, 2, 2);
        tabs_->addTab(page, model_.tabCaption(tab));
    }
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this](int tab) { forward([this, tab] { model_.tnReleChange(tab); }); });

    panel_ = new QWidget(tabs_->widget(0));
    panel_->setObjectName(QStringLiteral("PanelRele"));
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(2);
    mode_ = new RadioGroupBox(QStringLiteral("rgReleMode"), QStringLiteral("Режим работы"),
                              RelayPane::modeItems(), 1, panel_);
    time_ = new RadioGroupBox(QStringLiteral("rgReleTime"), QStringLiteral("Время работы, сек."),
                              RelayPane::timeItems(), 10, panel_);
    connect(mode_, &RadioGroupBox::chosen, this,
            [this](int item) { forward([this, item] { model_.rgReleModeClick(item); }); });
    connect(time_, &RadioGroupBox::chosen, this,
            [this](int item) { forward([this, item] { model_.rgReleTimeClick(item); }); });
    auto* tamper = new QGroupBox(panel_);
    tamper->setObjectName(QStringLiteral("GroupBox11"));
    auto* tamperRow = new QHBoxLayout(tamper);
    tamperRow->setContentsMargins(6, 2, 6, 2);
    internal_ = new QCheckBox(QStringLiteral("Контроль тампера ГБ-5"), tamper);
    internal_->setObjectName(QStringLiteral("cbInternal"));
    external_ = new QCheckBox(QStringLiteral("Контроль тампера ВТ-5"), tamper);
    external_->setObjectName(QStringLiteral("cbExternal"));
    tamperRow->addWidget(internal_);
    tamperRow->addWidget(external_);
    tamperRow->addStretch();
    connect(internal_, &QCheckBox::clicked, this,
            [this](bool ticked) { forward([this, ticked] { model_.cbInternalClick(ticked); }); });
    connect(external_, &QCheckBox::clicked, this,
            [this](bool ticked) { forward([this, ticked] { model_.cbExternalClick(ticked); }); });
    applyStoredHints(panel_, QStringLiteral("записи реле"));
    name_ = new NameFieldView(QStringLiteral("edRelayName"), groups_text::NameCaption(), model_, false, panel_);
    connect(name_, &NameFieldView::edited, this, &PaneView::edited);
    panelLayout->addWidget(name_);
    panelLayout->addWidget(mode_);
    panelLayout->addWidget(time_);
    panelLayout->addWidget(tamper);
    panelLayout->addStretch();
    tabs_->widget(0)->layout()->addWidget(panel_);
    row->addWidget(tabs_, 1);

    auto* loops =
        new LoopGridBox({"GroupBox15", "cR", "Button4", "Button5"}, LoopGridView::Shape{2, 2}, this);
    grid_ = loops->grid();
    loops->wire([this](int loop, bool ticked) { model_.cRClick(loop, ticked); },
                [this] { model_.Button4Click(); }, [this] { model_.Button5Click(); },
                [this] { emit edited(); });
    row->addWidget(loops, 0, Qt::AlignTop);
    fitFontToSize(this);
}

void RelayPaneView::render() {
    {
        const QSignalBlocker block(tabs_);
        for (int tab = 0; tab < RelayPane::kTabs; ++tab)
        {
            tabs_->setTabText(tab, model_.tabCaption(tab));
            tabs_->setTabToolTip(tab, model_.namedTip(NameField::Relay, model_.tabCaption(tab)));
        }
        tabs_->setCurrentIndex(model_.currentTab());
    }
    QWidget* page = tabs_->widget(model_.panelTab());
    if (panel_->parentWidget() != page) {
        page->layout()->addWidget(panel_);
        panel_->show();
    }
    name_->render();
    mode_->setCurrent(model_.mode());
    time_->setCurrent(model_.timeItem());
    for (auto [box, ticked] :
         {std::pair{internal_, model_.internalTamper()}, {external_, model_.externalTamper()}}) {
        const QSignalBlocker block(box);
        box->setChecked(ticked);
    }
    grid_->render(model_.grid(), LoopGridView::loopNames(model_));
}

}  // namespace v5
