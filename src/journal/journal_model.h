#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include "journal/journal.h"
#include "journal/journal_filter.h"

namespace v5 {

// The journal's rows for a table view, oldest first.
class JournalModel : public QAbstractTableModel {
public:
    // Beside the display texts: whether a row starts a power-on run, and its run.
    static constexpr int kPowerOnRole = Qt::UserRole + 1;
    static constexpr int kRunRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<JournalRow> rows);
    const std::vector<JournalRow>& rows() const { return rows_; }
    const JournalRow& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<JournalRow> rows_;
};

// The rows a JournalFilter accepts, in the order chosen: what the window shows and exports.
class JournalProxy : public QSortFilterProxyModel {
public:
    explicit JournalProxy(QObject* parent = nullptr);

    void setJournal(JournalModel* model);
    const JournalFilter& filter() const { return filter_; }
    void setFilter(const JournalFilter& filter);
    JournalOrder order() const { return order_; }
    void setOrder(JournalOrder order);
    // The rows shown, top to bottom.
    std::vector<const JournalRow*> shownRows() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    JournalModel* journal_ = nullptr;
    JournalFilter filter_;
    QString foldedText_;
    JournalOrder order_ = JournalOrder::OldestFirst;
};

}  // namespace v5
