#include "NameListModel.h"

#include "library/CommandIndex.h"

NameListModel::NameListModel(const CommandIndex &library, QObject *parent)
    : QAbstractListModel(parent)
    , m_library(library)
{
}

int NameListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant NameListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_rows.size() || role != Qt::DisplayRole)
        return {};
    return m_library.shownNameOf(m_rows[std::size_t(index.row())]);
}

void NameListModel::setRows(std::vector<int> rows)
{
    beginResetModel();
    m_rows.swap(rows);
    endResetModel();
}
