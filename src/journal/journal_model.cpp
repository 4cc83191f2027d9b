#include "journal/journal_model.h"

namespace v5 {

void JournalModel::setRows(std::vector<JournalRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kJournalColumns;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kJournalColumns) return {};
    const JournalRow& r = row(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return r.cells[static_cast<std::size_t>(index.column())];
        case kPowerOnRole:
            return r.powerOn;
        case kRunRole:
            return r.run;
        default:
            return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kJournalColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return journalHeader(static_cast<JournalColumn>(section));
}

JournalProxy::JournalProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    // Sorted once by the order chosen; a new filter keeps it.
    setDynamicSortFilter(true);
}

void JournalProxy::setJournal(JournalModel* model) {
    journal_ = model;
    setSourceModel(model);
    sort(0, order_ == JournalOrder::OldestFirst ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void JournalProxy::setFilter(const JournalFilter& filter) {
    if (filter == filter_) return;
    filter_ = filter;
    foldedText_ = filter_.text.toCaseFolded();
    // One layout change for the whole table: invalidateFilter() would tell the view of every run of
    // rows that comes or goes, which for a text spread over the archive costs more than the filter.
    invalidate();
}

void JournalProxy::setOrder(JournalOrder order) {
    order_ = order;
    sort(0, order_ == JournalOrder::OldestFirst ? Qt::AscendingOrder : Qt::DescendingOrder);
}

std::vector<const JournalRow*> JournalProxy::shownRows() const {
    std::vector<const JournalRow*> shown;
    if (!journal_) return shown;
    const int count = rowCount();
    shown.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r)
        shown.push_back(&journal_->row(mapToSource(index(r, 0)).row()));
    return shown;
}

bool JournalProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return journal_ && filter_.accepts(journal_->row(sourceRow), foldedText_);
}

// The model's rows are oldest first.
bool JournalProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return left.row() < right.row();
}

}  // namespace v5
