#include "NameListModel.h"

NameListModel::NameListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int NameListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant NameListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_names.at(index.row());
    return {};
}

void NameListModel::setNames(QStringList names)
{
    if (!m_order)
        qFatal("Names were listed before the list's order was opened");
    m_order->sort(names);
    beginResetModel();
    m_names.swap(names);
    endResetModel();
}
