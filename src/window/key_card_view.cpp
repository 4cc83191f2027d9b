#include "window/key_card_view.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "keys/key_card_pane.h"
#include "keys/key_texts.h"
#include "window/name_field.h"

namespace v5 {

namespace {

constexpr int kLeft = 16;
constexpr int kLineWidth = 300;
constexpr int kLineHeight = 22;

// The zone and СПИ lines open their pickers: ordinary raised buttons, so that they look clickable, as
// wide as their text (render()) and standing where the labels' text starts.
QToolButton* clickableLine(const char* name, QWidget* parent, int top) {
    auto* line = new QToolButton(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setAutoRaise(false);
    line->setToolButtonStyle(Qt::ToolButtonTextOnly);
    line->setGeometry(kLeft, top, kLineWidth, kLineHeight);
    return line;
}

QLabel* label(const char* name, QWidget* parent, int top) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(kLeft + 2, top, kLineWidth, kLineHeight);
    return l;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent, int left, int top) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, top, 100, 25);
    return b;
}

}  // namespace

KeyCardView::KeyCardView(KeyCardPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), keytext::Card(), parameterArea), model_(model) {
    stWait_ = label("stWait", this, 28);
    stWait_->setText(keytext::Wait());
    QFont big = stWait_->font();
    big.setPointSize(big.pointSize() + 4);
    stWait_->setFont(big);
    stWait_->setGeometry(kLeft + 2, 28, kLineWidth, 32);

    LabelKey_ = label("LabelKey", this, 28);
    LabelZone_ = clickableLine("LabelZone", this, 54);
    LabelTarnia_ = clickableLine("LabelTarnia", this, 80);
    LabelNmb_ = label("LabelNmb", this, 108);
    connect(LabelZone_, &QToolButton::clicked, this,
            [this] { forward([this] { model_.LabelZoneClick(); }); });
    connect(LabelTarnia_, &QToolButton::clicked, this,
            [this] { forward([this] { model_.LabelTarniaClick(); }); });

    QStringList types;
    for (int item = KeyCardPane::Khozyain; item <= KeyCardPane::GZ; ++item)
        types << keytext::UserTypeItem(item);
    rgFunction_ = new RadioGroupBox(QStringLiteral("rgFunction"), keytext::UserType(), types, 1, this);
    rgFunction_->setGeometry(kLeft, 140, 200, 96);
    connect(rgFunction_, &RadioGroupBox::chosen, this,
            [this](int item) { forward([this, item] { model_.rgFunctionClick(item); }); });

    ButtonAgain_ = button("ButtonAgain", keytext::Again(), this, kLeft, 250);
    bDelete_ = button("bDelete", keytext::Delete(), this, kLeft + 108, 250);
    Button3_ = button("Button3", keytext::Next(), this, kLeft + 216, 250);
    connect(ButtonAgain_, &QPushButton::clicked, this, [this] { forward([this] { model_.keyAddClick(); }); });
    connect(bDelete_, &QPushButton::clicked, this, [this] { forward([this] { model_.bDeleteClick(); }); });
    connect(Button3_, &QPushButton::clicked, this, [this] { forward([this] { model_.Button3Click(); }); });

    owner_ = new NameFieldView(QStringLiteral("edKeyOwner"), keytext::Owner(), model_, false, this);
    owner_->setGeometry(kLeft, 284, kLineWidth, 26);
    note_ = new NameFieldView(QStringLiteral("edKeyNote"), keytext::Note(), model_, true, this);
    note_->setGeometry(kLeft, 314, kLineWidth, 26);
    for (NameFieldView* field : {owner_, note_})
        connect(field, &NameFieldView::edited, this, &PaneView::edited);

    buildPickers();
}

void KeyCardView::buildPickers() {
    gbKeyZone_ = new QGroupBox(keytext::ZonePicker(), this);
    gbKeyZone_->setObjectName(QStringLiteral("gbKeyZone"));
    gbKeyZone_->setGeometry(360, 20, 190, height() - 32);
    ListBox1_ = new QListWidget(gbKeyZone_);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setAccessibleName(keytext::ZonePicker());
    (new QVBoxLayout(gbKeyZone_))->addWidget(ListBox1_);
    const auto pick = [this](QListWidgetItem* item) {
        const int row = ListBox1_->row(item);
        forward([this, row] { model_.ListBox1Click(row); });
    };
    // A click, or Enter on the current item.
    connect(ListBox1_, &QListWidget::itemClicked, this, pick);
    connect(ListBox1_, &QListWidget::itemActivated, this, pick);

    QStringList numbers;
    for (int number = 1; number <= 15; ++number)
        numbers << QString::number(number);
    rgTarniaNmb_ =
        new RadioGroupBox(QStringLiteral("rgTarniaNmb"), keytext::TarniaPicker(), numbers, 3, this);
    rgTarniaNmb_->setGeometry(570, 20, 190, 130);
    connect(rgTarniaNmb_, &RadioGroupBox::chosen, this,
            [this](int item) { forward([this, item] { model_.rgTarniaNmbClick(item); }); });
}

void KeyCardView::render() {
    setTitle(model_.caption());
    setAccessibleName(model_.caption());
    const bool details = model_.card() != KeyCardPane::Card::Waiting;
    stWait_->setVisible(!details);
    for (QWidget* w : std::initializer_list<QWidget*>{LabelKey_, LabelZone_, LabelTarnia_, LabelNmb_,
                                                      rgFunction_, ButtonAgain_, bDelete_, Button3_, owner_, note_})
        w->setVisible(details);
    owner_->render();
    note_->render();
    LabelKey_->setText(model_.labelKey());
    for (const auto& [line, text] :
         {std::pair{LabelZone_, model_.labelZone()}, std::pair{LabelTarnia_, model_.labelTarnia()}}) {
        line->setText(text);
        line->setAccessibleName(text);
        line->resize(line->sizeHint().width(), kLineHeight);
    }
    LabelNmb_->setText(model_.labelNmb());
    rgFunction_->setCurrent(model_.userType());

    gbKeyZone_->setVisible(model_.zonePickerShown());
    if (model_.zonePickerShown()) {
        QStringList items;
        for (const KeyCardPane::PickerItem& item : model_.zonePickerItems())
            items << item.text;
        QStringList shown;
        for (int row = 0; row < ListBox1_->count(); ++row)
            shown << ListBox1_->item(row)->text();
        if (shown != items) {
            ListBox1_->clear();
            ListBox1_->addItems(items);
        }
    }

    rgTarniaNmb_->setVisible(model_.tarniaPickerShown());
    rgTarniaNmb_->setCurrent(model_.tarniaSelected());
}

}  // namespace v5
