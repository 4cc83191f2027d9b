#include "window/site_data_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace v5 {

namespace {
QLineEdit* line(const char* name, const QString& caption, const QString& text, QFormLayout* form) {
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    edit->setMinimumWidth(360);
    form->addRow(caption, edit);
    return edit;
}
}  // namespace

SiteDataDialog::SiteDataDialog(const SiteData& site, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SiteDataDialog"));
    setWindowTitle(QStringLiteral("Объект"));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = line("edSiteName", QStringLiteral("Название объекта"), site.name, form);
    address_ = line("edSiteAddress", QStringLiteral("Адрес"), site.address, form);
    customer_ = line("edSiteCustomer", QStringLiteral("Заказчик"), site.customer, form);
    phone_ = line("edSitePhone", QStringLiteral("Телефон"), site.phone, form);
    notes_ = new QPlainTextEdit(site.notes);
    notes_->setObjectName(QStringLiteral("edSiteNotes"));
    notes_->setAccessibleName(QStringLiteral("Примечания"));
    notes_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("Примечания"), notes_);
    column->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("SiteDataButtons"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

SiteData SiteDataDialog::site() const {
    return {name_->text(), address_->text(), customer_->text(), phone_->text(), notes_->toPlainText()};
}

std::optional<SiteData> SiteDataDialog::edit(const SiteData& site, QWidget* parent) {
    SiteDataDialog dialog(site, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.site();
}

}  // namespace v5
