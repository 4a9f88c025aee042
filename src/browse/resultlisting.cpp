#include "resultlisting.h"
#include "programstate.h"

namespace zarfan {

ProgramState &programState()
{
    static ProgramState state;
    return state;
}

ResultListing::ResultListing(QObject *parent) : QAbstractListModel(parent) {}

int ResultListing::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : visible_;
}

QVariant ResultListing::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= visible_)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
        return records_[std::size_t(index.row())].line;
    return {};
}

void ResultListing::clear()
{
    ++generation_;
    beginResetModel();
    records_.clear();
    visible_ = 0;
    endResetModel();
}

void ResultListing::append(ResultRecord record) { records_.push_back(std::move(record)); }

void ResultListing::publish()
{
    const int total = int(records_.size());
    if (total == visible_)
        return;
    beginInsertRows(QModelIndex(), visible_, total - 1);
    visible_ = total;
    endInsertRows();
}

void ResultListing::finish()
{
    publish();
    emit finished(visible_);
}

int ResultListing::lineOfAya(const QString &id) const
{
    for (int k = 0; k < visible_; ++k) {
        if (records_.at(std::size_t(k)).id == id)
            return k;
    }
    return -1;
}

} // namespace zarfan
