#pragma once

#include <QLineEdit>
#include <QWidget>


namespace v5 {

class Pane;

// A name the panel does not keep, beside a pane's controls: "Название" of the loop, zone, partition or
// relay shown, or the owner or note of the key on the card. What the user types goes into the site's
// names as typed, keystroke by keystroke, so that nothing typed is lost whatever the next command is;
// the step for undo is taken when the field is left (edited()), as after any command.
class NameFieldView : public QWidget {
    Q_OBJECT
public:
    // `note`: the key card's note rather than the owner.
    // `stacked`: the caption above the field, for a narrow column.
    NameFieldView(const QString& objectName, const QString& caption, Pane& pane, bool note, QWidget* parent,
                  bool stacked = false);
    // Shows the name of the object the pane shows now; disabled when it shows none.
    void render();
    QLineEdit* edit() const { return edit_; }

signals:
    void edited();

private:
    Pane& pane_;
    bool note_;
    QLineEdit* edit_;
};

}  // namespace v5
