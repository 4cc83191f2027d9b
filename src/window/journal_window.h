#pragma once

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QWidget>

#include "desktop/user_prompts.h"
#include "files/names_file.h"
#include "image/image.h"
#include "journal/journal_model.h"

namespace v5 {

// "Журнал событий": the event archive as a table with filters, a search and the CSV export, beside
// the main window. It shows the archive it was last given (follow) and only reads it.
class JournalWindow : public QWidget {
    Q_OBJECT
public:
    // `folder`: where "Сохранить как CSV…" proposes the file.
    JournalWindow(UserPrompts& prompts, QString folder, QWidget* parent = nullptr);

    // Shows the archive of `image` with `names`; nothing is rebuilt while neither changed.
    void follow(const Image& image, const SiteNames& names);
    const JournalProxy& proxy() const { return proxy_; }
    // "Сохранить как CSV…".
    void saveCsv();

private:
    void buildFilters(QWidget* area);
    // The filter of the controls, applied to the table.
    void applyFilter();
    void showCount();

    UserPrompts& prompts_;
    QString folder_;
    JournalModel model_;
    JournalProxy proxy_;
    bool built_ = false;
    Image source_;
    SiteNames names_;

    QTableView* table_ = nullptr;
    std::array<QCheckBox*, kEventKindCount> kinds_{};
    QSpinBox* key_ = nullptr;
    QComboBox* placeKind_ = nullptr;
    QSpinBox* place_ = nullptr;
    QLineEdit* search_ = nullptr;
    QComboBox* order_ = nullptr;
    QLabel* count_ = nullptr;
    QCheckBox* excel_ = nullptr;
    QLabel* saved_ = nullptr;
};

}  // namespace v5
