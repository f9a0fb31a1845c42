#pragma once

#include "library/ListOrder.h"

#include <QAbstractListModel>
#include <QStringList>

// The entries of the command list, always in list order (ListOrder): entries
// added one by one land in their sorted place, and a whole new set of names
// is sorted once.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit NameListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void clear();
    void addItem(const QString &name);
    // Replaces every entry by names, in list order.
    void setNames(QStringList names);
    const QStringList &names() const { return m_names; }

private:
    ListOrder m_order;
    QStringList m_names;
};
