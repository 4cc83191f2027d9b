#include "window/journal_window.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "files/settings_file.h"
#include "image/records.h"
#include "journal/journal_csv.h"

namespace v5 {

namespace {

QString windowTitleText() {
    return QStringLiteral("Журнал событий");
}

// The boxes' objectNames, in kind order.
constexpr std::array<const char*, kEventKindCount> kKindBoxes{
    "cbKindAlarm",   "cbKindFault",   "cbKindFire",    "cbKindArming",   "cbKindDisarming", "cbKindInstaller",
    "cbKindResponse", "cbKindPower",  "cbKindHousing", "cbKindLink",     "cbKindSettings",  "cbKindOther"};

// A row that starts a run after power-on stands out in bold on a tinted band, with a rule on the side
// where its run begins: above it oldest first, below it newest first.
class PowerOnDelegate : public QStyledItemDelegate {
public:
    PowerOnDelegate(const JournalProxy& proxy, QObject* parent) : QStyledItemDelegate(parent), proxy_(proxy) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!index.data(JournalModel::kPowerOnRole).toBool()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem shown(option);
        shown.font.setBold(true);
        painter->fillRect(option.rect, option.palette.alternateBase());
        QStyledItemDelegate::paint(painter, shown, index);
        const QRect r = option.rect;
        const int y = proxy_.order() == JournalOrder::OldestFirst ? r.top() : r.bottom() - 1;
        painter->fillRect(QRect(r.left(), y, r.width(), 2), option.palette.text());
    }

private:
    const JournalProxy& proxy_;
};

// The caption before a control, which gives the control its accessible name and Alt letter.
QLabel* labelFor(QWidget* control, const char* objectName, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setBuddy(control);
    const QString plain = QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(':'));
    label->setAccessibleName(plain);
    control->setAccessibleName(plain);
    return label;
}

}  // namespace

JournalWindow::JournalWindow(UserPrompts& prompts, QString folder, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(windowTitleText());
    setAccessibleName(windowTitleText());
    proxy_.setJournal(&model_);

    auto* layout = new QVBoxLayout(this);
    buildFilters(this);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("tvJournal"));
    table_->setAccessibleName(windowTitleText());
    table_->setModel(&proxy_);
    table_->setItemDelegate(new PowerOnDelegate(proxy_, table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Rows of one height and columns of fixed widths: a filter over the whole archive lays out nothing
    // row by row.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[] = {6, 8, 10, 32, 44};
    for (int c = 0; c < static_cast<int>(std::size(widths)); ++c)
        table_->setColumnWidth(c, widths[c] * digit);
    layout->addWidget(table_, 1);

    auto* bottom = new QHBoxLayout;
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblCount"));
    count_->setAccessibleName(QStringLiteral("Показано записей"));
    bottom->addWidget(count_, 1);
    saved_ = new QLabel(this);
    saved_->setObjectName(QStringLiteral("lblSaved"));
    saved_->setAccessibleName(QStringLiteral("Сохранённый файл"));
    saved_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(saved_, 1);
    excel_ = new QCheckBox(QStringLiteral("Для Excel (;)"), this);
    excel_->setObjectName(QStringLiteral("cbExcel"));
    excel_->setAccessibleName(excel_->text());
    excel_->setToolTip(QStringLiteral("Разделитель ';' и метка UTF-8: русский Excel открывает файл как есть"));
    bottom->addWidget(excel_);
    auto* save = new QPushButton(QStringLiteral("Сохранить как CSV…"), this);
    save->setObjectName(QStringLiteral("btnSaveCsv"));
    save->setAccessibleName(save->text());
    save->setToolTip(QStringLiteral("Записать показанные строки в файл CSV"));
    connect(save, &QPushButton::clicked, this, &JournalWindow::saveCsv);
    bottom->addWidget(save);
    layout->addLayout(bottom);

    resize(980, 640);
    showCount();
}

void JournalWindow::buildFilters(QWidget* area) {
    auto* kindsBox = new QGroupBox(QStringLiteral("События"), area);
    kindsBox->setObjectName(QStringLiteral("gbKinds"));
    kindsBox->setAccessibleName(kindsBox->title());
    auto* grid = new QGridLayout(kindsBox);
    constexpr int kPerRow = 6;
    for (int k = 0; k < kEventKindCount; ++k) {
        auto* box = new QCheckBox(kindName(static_cast<EventKind>(k)), kindsBox);
        box->setObjectName(QString::fromLatin1(kKindBoxes[static_cast<std::size_t>(k)]));
        box->setAccessibleName(box->text());
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, &JournalWindow::applyFilter);
        grid->addWidget(box, k / kPerRow, k % kPerRow);
        kinds_[static_cast<std::size_t>(k)] = box;
    }
    auto* all = new QPushButton(QStringLiteral("Все"), kindsBox);
    all->setObjectName(QStringLiteral("btnAllKinds"));
    all->setAccessibleName(QStringLiteral("Все события"));
    all->setToolTip(QStringLiteral("Отметить все виды событий, или снять все отметки, если все отмечены"));
    connect(all, &QPushButton::clicked, this, [this] {
        const bool every = std::all_of(kinds_.begin(), kinds_.end(), [](const QCheckBox* b) { return b->isChecked(); });
        for (QCheckBox* box : kinds_) {
            const QSignalBlocker quiet(box);
            box->setChecked(!every);
        }
        applyFilter();
    });
    grid->addWidget(all, 0, kPerRow, 2, 1);

    auto* row = new QHBoxLayout;
    key_ = new QSpinBox(area);
    key_->setObjectName(QStringLiteral("sbKey"));
    key_->setRange(0, config::kKeyCount);
    key_->setSpecialValueText(QStringLiteral("любой"));
    row->addWidget(labelFor(key_, "lblKey", QStringLiteral("&Ключ:"), area));
    row->addWidget(key_);

    placeKind_ = new QComboBox(area);
    placeKind_->setObjectName(QStringLiteral("cbPlace"));
    placeKind_->addItems({QStringLiteral("Шлейф"), QStringLiteral("Зона")});
    placeKind_->setAccessibleName(QStringLiteral("Шлейф или зона"));
    place_ = new QSpinBox(area);
    place_->setObjectName(QStringLiteral("sbPlace"));
    place_->setRange(0, 64);
    place_->setSpecialValueText(QStringLiteral("любой"));
    place_->setAccessibleName(QStringLiteral("Номер шлейфа или зоны"));
    row->addSpacing(12);
    row->addWidget(placeKind_);
    row->addWidget(place_);

    search_ = new QLineEdit(area);
    search_->setObjectName(QStringLiteral("edSearch"));
    search_->setPlaceholderText(QStringLiteral("текст в любом столбце"));
    search_->setClearButtonEnabled(true);
    row->addSpacing(12);
    row->addWidget(labelFor(search_, "lblSearch", QStringLiteral("&Поиск:"), area));
    row->addWidget(search_, 1);

    order_ = new QComboBox(area);
    order_->setObjectName(QStringLiteral("cbOrder"));
    order_->addItems({QStringLiteral("Сначала старые"), QStringLiteral("Сначала новые")});
    order_->setAccessibleName(QStringLiteral("Порядок записей"));
    row->addSpacing(12);
    row->addWidget(order_);

    connect(key_, &QSpinBox::valueChanged, this, &JournalWindow::applyFilter);
    connect(placeKind_, &QComboBox::currentIndexChanged, this, [this](int index) {
        place_->setSpecialValueText(index == 0 ? QStringLiteral("любой") : QStringLiteral("любая"));
        applyFilter();
    });
    connect(place_, &QSpinBox::valueChanged, this, &JournalWindow::applyFilter);
    connect(search_, &QLineEdit::textChanged, this, &JournalWindow::applyFilter);
    connect(order_, &QComboBox::currentIndexChanged, this, [this](int index) {
        proxy_.setOrder(index == 0 ? JournalOrder::OldestFirst : JournalOrder::NewestFirst);
        table_->scrollToTop();
    });

    auto* layout = static_cast<QVBoxLayout*>(area->layout());
    layout->addWidget(kindsBox);
    layout->addLayout(row);
}

void JournalWindow::applyFilter() {
    JournalFilter filter;
    filter.kinds = 0;
    for (int k = 0; k < kEventKindCount; ++k)
        if (kinds_[static_cast<std::size_t>(k)]->isChecked()) filter.kinds |= kindBit(static_cast<EventKind>(k));
    filter.key = key_->value();
    (placeKind_->currentIndex() == 0 ? filter.loop : filter.zone) = place_->value();
    filter.text = search_->text();
    proxy_.setFilter(filter);
    showCount();
}

void JournalWindow::showCount() {
    count_->setText(QStringLiteral("Показано %1 из %2").arg(proxy_.rowCount()).arg(model_.rowCount()));
}

void JournalWindow::follow(const Image& image, const SiteNames& names) {
    if (built_ && sameJournalSource(source_, image) && names_ == names) return;
    built_ = true;
    source_ = image;
    names_ = names;
    model_.setRows(buildJournal(image, names));
    showCount();
}

void JournalWindow::saveCsv() {
    const std::optional<QString> path = prompts_.saveFileName(
        QDir(folder_).filePath(journalCsvFileName()), QStringLiteral("Таблица CSV (*.csv)|*.csv"),
        QStringLiteral("csv"));
    if (!path) return;
    const QByteArray bytes =
        journalCsv(proxy_.shownRows(), excel_->isChecked() ? CsvStyle::Excel : CsvStyle::Standard);
    if (const auto error = writeFileAtomically(*path, bytes)) {
        prompts_.message(error->message);
        return;
    }
    saved_->setText(QStringLiteral("Записано: %1").arg(QDir::toNativeSeparators(*path)));
}

}  // namespace v5
