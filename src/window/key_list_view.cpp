#include "window/key_list_view.h"

#include <functional>

#include <QLabel>

#include "window/fit_font.h"
#include "keys/key_list_pane.h"
#include "keys/key_texts.h"

namespace v5 {

namespace {

constexpr int kListLeft = 12;
constexpr int kCaptionsTop = 18;
constexpr int kCaptionsHeight = 46;
// Where each column of a list line begins, in characters: "Ключ 001 - 0123456789ab   зона  005       003".
constexpr int kCodeColumn = 11;
constexpr int kAssignmentColumn = 25;
constexpr int kTarniaColumn = 37;
constexpr int kLineChars = 45;
// The owner the site keeps for a key stands beside its line, clear of the СПИ caption; a longer one
// scrolls.
constexpr int kOwnerChars = 18;
constexpr int kOwnerColumn = kLineChars + 4;

}  // namespace

KeyListView::KeyListView(KeyListPane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), keytext::List(), parameterArea), model_(model) {
    const QFont fixed = fixedPitchFont();
    const QFontMetrics metrics(fixed);
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const int listWidth = charWidth * (kOwnerColumn + kOwnerChars) + 40;  // the frame and the scroll bar

    clbKey_ = new QListWidget(this);
    clbKey_->setObjectName(QStringLiteral("clbKey"));
    clbKey_->setAccessibleName(keytext::List());
    clbKey_->setFont(fixed);
    clbKey_->setUniformItemSizes(true);
    clbKey_->setGeometry(kListLeft, kCaptionsTop + kCaptionsHeight, listWidth,
                         height() - kCaptionsTop - kCaptionsHeight - 8);
    const auto open = [this](QListWidgetItem* item) {
        model_.clbKeyClick(clbKey_->row(item));
        emit edited();
    };
    // A click, or Enter on the current line.
    connect(clbKey_, &QListWidget::itemClicked, this, open);
    connect(clbKey_, &QListWidget::itemActivated, this, open);

    // The captions stand over their columns of the fixed-pitch lines.
    const int textLeft = kListLeft + clbKey_->frameWidth() + 2;
    const struct {
        const char* name;
        QString text;
        int column;
        int columns;
    } captions[] = {{"lbKeyNumber", keytext::NumberColumn(), 0, kCodeColumn},
                    {"lbKeyCode", keytext::CodeColumn(), kCodeColumn, kAssignmentColumn - kCodeColumn},
                    {"lbKeyAssignment", keytext::AssignmentColumn(), kAssignmentColumn,
                     kTarniaColumn - kAssignmentColumn},
                    {"lbKeyTarnia", keytext::TarniaColumn(), kTarniaColumn, kOwnerColumn - kTarniaColumn},
                    {"lbKeyOwner", keytext::Owner(), kOwnerColumn, kOwnerChars}};
    for (const auto& c : captions) {
        auto* caption = new QLabel(c.text, this);
        caption->setObjectName(QString::fromLatin1(c.name));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        caption->setGeometry(textLeft + c.column * charWidth, kCaptionsTop, c.columns * charWidth - 2,
                             kCaptionsHeight - 2);
    }

    const int buttonsLeft = kListLeft + listWidth + 16;
    const struct {
        QPushButton** button;
        const char* name;
        QString text;
        std::function<void()> click;
    } buttons[] = {{&btnNmb_, "btnNmb", keytext::ByNumber(), [this] { model_.btnNmbClick(); }},
                   {&btnZona_, "btnZona", keytext::ByZona(), [this] { model_.btnZonaClick(); }},
                   {&btnEmpty_, "btnEmpty", keytext::Unused(), [this] { model_.btnEmptyClick(); }}};
    int top = kCaptionsTop + kCaptionsHeight;
    for (const auto& b : buttons) {
        *b.button = new QPushButton(b.text, this);
        (*b.button)->setObjectName(QString::fromLatin1(b.name));
        (*b.button)->setGeometry(buttonsLeft, top, 190, 25);
        connect(*b.button, &QPushButton::clicked, this, [this, click = b.click] {
            click();
            emit edited();
        });
        top += 33;
    }
}

void KeyListView::render() {
    btnNmb_->setEnabled(model_.orderEnabled(KeyOrder::Number));
    btnZona_->setEnabled(model_.orderEnabled(KeyOrder::Zona));
    btnEmpty_->setEnabled(model_.orderEnabled(KeyOrder::Unused));

    QStringList lines;
    QStringList tips;  // the owner and note the site keeps for a key, beside its line
    lines.reserve(static_cast<qsizetype>(model_.lines().size()));
    for (const KeyListPane::Line& line : model_.lines()) {
        const int number = static_cast<int>(line.record) + 1;
        const QString owner = model_.siteName({NameField::KeyOwner, number});
        // The list's own line as it always reads; the owner, when the site has one, beside it.
        lines << (owner.isEmpty() ? line.text
                                  : line.text.leftJustified(kOwnerColumn) + owner);
        QStringList named;
        for (const NameField field : {NameField::KeyOwner, NameField::KeyNote})
            if (const QString name = model_.siteName({field, number}); !name.isEmpty()) named << name;
        tips << named.join(QStringLiteral("; "));
    }
    if (lines == shown_ && tips == shownTips_) return;
    shown_ = lines;
    shownTips_ = tips;
    clbKey_->clear();
    clbKey_->addItems(shown_);
    for (int row = 0; row < clbKey_->count(); ++row)
        clbKey_->item(row)->setToolTip(tips.at(row));
}

}  // namespace v5
