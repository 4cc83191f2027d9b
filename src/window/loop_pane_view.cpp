#include "loop_pane_view.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "group_texts.h"
#include "loop_grid_view.h"
#include "loop_pane.h"

namespace v5 {

namespace {
// gbO1 in two rows: the boxes that a type enables together stand side by side.
constexpr int kOptionColumns = 4;

void checkItem(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        const QSignalBlocker block(button);
        button->setChecked(true);
    }
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
}

QGroupBox* LoopPaneView::radioGroup(QWidget* parent, const QString& name, const QString& title,
                                    const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setAccessibleName(title);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(1);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items.at(i), box);
        item->setObjectName(name + QStringLiteral("_%1").arg(i));
        group->addButton(item, i);
        layout->addWidget(item);
    }
    layout->addStretch();
    return box;
}

QWidget* LoopPaneView::buildPanel(QWidget* page) {
    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("p1"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);

    rgTS1_ = radioGroup(panel, QStringLiteral("rgTS1"), loopTypeCaption(), loopTypeItems(), types_);
    connect(types_, &QButtonGroup::idClicked, this, [this](int item) {
        model_.rgTSClick(item);
        emit edited();
    });
    row->addWidget(rgTS1_);
    for (int c = 0; c < kRadioGroups; ++c) {
        const auto control = static_cast<LoopControl>(c);
        auto& group = radioGroups_.at(static_cast<std::size_t>(c));
        QGroupBox* box = radioGroup(panel, loopControlName(control), loopControlCaption(control),
                                    loopControlItems(control), group);
        connect(group, &QButtonGroup::idClicked, this, [this, control](int item) {
            model_.setValue(control, item);
            emit edited();
        });
        row->addWidget(box);
        radioBoxes_.at(static_cast<std::size_t>(c)) = box;
    }
    // The delay group keeps the width of its longer caption, so the row does not move with the type.
    QGroupBox* delay = radioBoxes_.at(static_cast<std::size_t>(LoopControl::Delay));
    int width = 0;
    for (LoopType type : {LoopType::Fire, LoopType::Guard}) {
        delay->setTitle(delayCaption(type));
        width = std::max(width, delay->minimumSizeHint().width());
    }
    delay->setMinimumWidth(width);
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
            if (tnShl_->tabText(tab) != model_.tabCaption(tab))
                tnShl_->setTabText(tab, model_.tabCaption(tab));
        tnShl_->setCurrentIndex(model_.currentTab());
    }
    // One panel for all tabs: it stands on the page of the tab shown.
    QWidget* page = tnShl_->widget(model_.currentTab());
    if (p1_->parentWidget() != page) {
        page->layout()->addWidget(p1_);
        p1_->show();
    }

    checkItem(types_, static_cast<int>(model_.type()));
    for (int c = 0; c < kRadioGroups; ++c) {
        const auto control = static_cast<LoopControl>(c);
        QGroupBox* box = radioBoxes_.at(static_cast<std::size_t>(c));
        box->setEnabled(model_.isEnabled(control));
        checkItem(radioGroups_.at(static_cast<std::size_t>(c)), model_.value(control));
    }
    QGroupBox* delay = radioBoxes_.at(static_cast<std::size_t>(LoopControl::Delay));
    if (delay->title() != model_.delayCaption()) {
        delay->setTitle(model_.delayCaption());
        delay->setAccessibleName(delay->title());
    }
    for (int c = kRadioGroups; c < kLoopControlCount; ++c) {
        const auto control = static_cast<LoopControl>(c);
        QCheckBox* box = checkBoxes_.at(static_cast<std::size_t>(c - kRadioGroups));
        const QSignalBlocker block(box);
        box->setChecked(model_.value(control) != 0);
        box->setEnabled(model_.isEnabled(control));
    }
    duplicate_->render(model_.duplicateGrid());
}

}  // namespace v5
