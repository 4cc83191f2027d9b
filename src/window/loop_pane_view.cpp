#include "window/loop_pane_view.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "window/fit_font.h"
#include "groups/group_texts.h"
#include "window/loop_grid_view.h"
#include "window/name_field.h"
#include "groups/loop_pane.h"
#include "window/radio_group_box.h"
#include "window/status_tips.h"

namespace v5 {

namespace {
// gbO1 in two rows: the boxes that a type enables together stand side by side.
constexpr int kOptionColumns = 4;

// Where the panel's values are kept, for the status bar's hints.
QString kLoopRecord() {
    return QStringLiteral("записи шлейфа");
}

// The groups of a row are as tall as the tallest; their items stay at the top, as in a list.
void itemsAtTop(RadioGroupBox* box) {
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) grid->setRowStretch(grid->rowCount(), 1);
}
}  // namespace

LoopPaneView::LoopPaneView(LoopPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), groups_text::LoopPaneTitle(), parameterArea), model_(model) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);

    tnShl_ = new QTabWidget(this);
    tnShl_->setObjectName(QStringLiteral("tnShl"));
    tnShl_->setAccessibleName(groups_text::LoopPaneTitle());
    tnShl_->setDocumentMode(true);
    for (int tab = 0; tab < LoopPane::kTabs; ++tab) {
        auto* page = new QWidget(tnShl_);
        page->setObjectName(QStringLiteral("tnShlPage%1").arg(tab + 1));
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(2, 2, 2, 2);
        tnShl_->addTab(page, model_.tabCaption(tab));
    }
    p1_ = buildPanel(tnShl_->widget(0));
    tnShl_->widget(0)->layout()->addWidget(p1_);
    connect(tnShl_, &QTabWidget::currentChanged, this, [this](int tab) {
        model_.tnShlChange(tab);
        emit edited();
    });
    column->addWidget(tnShl_);
    name_ = new NameFieldView(QStringLiteral("edLoopName"), groups_text::NameCaption(), model_, false, this);
    connect(name_, &NameFieldView::edited, this, &PaneView::edited);
    column->addWidget(name_);

    auto* duplicateBox = new QGroupBox(groups_text::DuplicateTitle(), this);
    duplicateBox->setObjectName(QStringLiteral("GroupBox1"));
    duplicateBox->setAccessibleName(duplicateBox->title());
    auto* duplicateLayout = new QGridLayout(duplicateBox);
    duplicateLayout->setContentsMargins(4, 2, 4, 4);
    duplicate_ = new LoopGridView(QStringLiteral("s"), LoopGridView::Shape{8, 2}, duplicateBox);
    connect(duplicate_, &LoopGridView::clicked, this, [this](int loop, bool ticked) {
        model_.sClick(loop, ticked);
        emit edited();
    });
    duplicateLayout->addWidget(duplicate_, 0, 0, 1, 2);
    ok_ = new QPushButton(groups_text::DuplicateOk(), duplicateBox);
    ok_->setObjectName(QStringLiteral("Button1"));
    connect(ok_, &QPushButton::clicked, this, [this] {
        model_.Button1Click();
        emit edited();
    });
    duplicateLayout->addWidget(ok_, 1, 1);
    duplicateLayout->setColumnStretch(0, 1);
    column->addWidget(duplicateBox);
    column->addStretch();
    applyStoredHints(p1_, kLoopRecord());
    fitFontToSize(this);
    // The delay group keeps the width of its longer caption, so the row does not move with the type.
    QGroupBox* delay = radioGroups_.at(static_cast<std::size_t>(LoopControl::Delay));
    int width = 0;
    for (LoopTypeItem type : {LoopTypeItem::Fire, LoopTypeItem::Guard}) {
        delay->setTitle(delayCaption(type));
        width = std::max(width, delay->minimumSizeHint().width());
    }
    delay->setMinimumWidth(width);
}

QWidget* LoopPaneView::buildPanel(QWidget* page) {
    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("p1"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);

    rgTS1_ = new RadioGroupBox(QStringLiteral("rgTS1"), loopTypeCaption(), loopTypeItems(), 1, panel);
    itemsAtTop(rgTS1_);
    connect(rgTS1_, &RadioGroupBox::chosen, this, [this](int item) {
        model_.rgTSClick(item);
        emit edited();
    });
    row->addWidget(rgTS1_);
    for (int c = 0; c < kRadioGroups; ++c) {
        const auto control = static_cast<LoopControl>(c);
        auto* box = new RadioGroupBox(loopControlName(control), loopControlCaption(control),
                                      loopControlItems(control), 1, panel);
        itemsAtTop(box);
        connect(box, &RadioGroupBox::chosen, this, [this, control](int item) {
            model_.setValue(control, item);
            emit edited();
        });
        row->addWidget(box);
        radioGroups_.at(static_cast<std::size_t>(c)) = box;
    }
    row->addStretch();
    column->addLayout(row);

    auto* gbO1 = new QGroupBox(panel);
    gbO1->setObjectName(QStringLiteral("gbO1"));
    auto* options = new QGridLayout(gbO1);
    options->setContentsMargins(6, 4, 6, 4);
    options->setVerticalSpacing(2);
    for (int c = kRadioGroups; c < kLoopControlCount; ++c) {
        const auto control = static_cast<LoopControl>(c);
        auto* box = new QCheckBox(loopControlCaption(control), gbO1);
        box->setObjectName(loopControlName(control));
        box->setEnabled(false);
        connect(box, &QCheckBox::clicked, this, [this, control](bool ticked) {
            model_.setValue(control, ticked ? 1 : 0);
            emit edited();
        });
        const int i = c - kRadioGroups;
        options->addWidget(box, i / kOptionColumns, i % kOptionColumns);
        checkBoxes_.at(static_cast<std::size_t>(i)) = box;
    }
    column->addWidget(gbO1);
    column->addStretch();
    return panel;
}

void LoopPaneView::render() {
    {
        const QSignalBlocker block(tnShl_);
        for (int tab = 0; tab < LoopPane::kTabs; ++tab)
        {
            if (tnShl_->tabText(tab) != model_.tabCaption(tab))
                tnShl_->setTabText(tab, model_.tabCaption(tab));
            tnShl_->setTabToolTip(tab, model_.namedTip(NameField::Loop, model_.tabCaption(tab)));
        }
        tnShl_->setCurrentIndex(model_.currentTab());
    }
    // One panel for all tabs: it stands on the page of the tab shown.
    QWidget* page = tnShl_->widget(model_.currentTab());
    if (p1_->parentWidget() != page) {
        page->layout()->addWidget(p1_);
        p1_->show();
    }

    name_->render();
    rgTS1_->setCurrent(static_cast<int>(model_.type()));
    for (int c = 0; c < kRadioGroups; ++c) {
        const auto control = static_cast<LoopControl>(c);
        RadioGroupBox* box = radioGroups_.at(static_cast<std::size_t>(c));
        box->setEnabled(model_.isEnabled(control));
        box->setCurrent(model_.value(control));
    }
    QGroupBox* delay = radioGroups_.at(static_cast<std::size_t>(LoopControl::Delay));
    if (delay->title() != model_.delayCaption()) {
        delay->setTitle(model_.delayCaption());
        delay->setAccessibleName(delay->title());
        delay->setStatusTip(storedHint(delay->title(), kLoopRecord()));
    }
    for (int c = kRadioGroups; c < kLoopControlCount; ++c) {
        const auto control = static_cast<LoopControl>(c);
        QCheckBox* box = checkBoxes_.at(static_cast<std::size_t>(c - kRadioGroups));
        const QSignalBlocker block(box);
        box->setChecked(model_.value(control) != 0);
        box->setEnabled(model_.isEnabled(control));
    }
    duplicate_->render(model_.duplicateGrid(), LoopGridView::loopNames(model_));
}

}  // namespace v5
