#pragma once

#include <optional>

#include <QDialog>

#include "files/names_file.h"

class QLineEdit;
class QPlainTextEdit;

namespace v5 {

// "Объект…": the site's name, address, customer, phone and notes, kept beside the settings file and
// printed on the site card. The texts are taken exactly as typed.
class SiteDataDialog : public QDialog {
    Q_OBJECT
public:
    SiteDataDialog(const SiteData& site, QWidget* parent);
    SiteData site() const;

    // Shows the dialog; the data entered, or nothing when the user cancels.
    static std::optional<SiteData> edit(const SiteData& site, QWidget* parent);

private:
    QLineEdit* name_;
    QLineEdit* address_;
    QLineEdit* customer_;
    QLineEdit* phone_;
    QPlainTextEdit* notes_;
};

}  // namespace v5
