#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QList>
#include <QRadioButton>

namespace v5 {

// A radio group as the panes use it: a titled group box of radio buttons `<name>_0`, `<name>_1`, ...
// in `columns` columns (filled column by column), one QButtonGroup, one item always chosen.
class RadioGroupBox : public QGroupBox {
    Q_OBJECT
public:
    RadioGroupBox(const QString& objectName, const QString& title, const QStringList& items, int columns,
                  QWidget* parent);

    // Shows `item` as chosen without reporting it as the user's choice.
    void setCurrent(int item);
    int current() const { return buttons_.checkedId(); }
    QRadioButton* item(int index) const { return items_.value(index); }

signals:
    // The user chose `item`.
    void chosen(int item);

private:
    QButtonGroup buttons_;
    QList<QRadioButton*> items_;
};

}  // namespace v5
