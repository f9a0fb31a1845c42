#pragma once

#include "library/ListOrder.h"

#include <QAbstractListModel>
#include <QStringList>

// The entries of the command list, always in list order (ListOrder): a new
// set of names is sorted once as it comes in.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit NameListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Replaces every entry by names, in list order.
    void setNames(QStringList names);
    const QStringList &names() const { return m_names; }

private:
    ListOrder m_order;
    QStringList m_names;
};
