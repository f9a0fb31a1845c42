#pragma once

#include "library/ListOrder.h"

#include <QAbstractListModel>
#include <QStringList>

#include <optional>

// The entries of the command list, always in list order (ListOrder): a new
// set of names is sorted once as it comes in.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit NameListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The order of the list, opened at start-up before any name is listed.
    void setOrder(ListOrder order) { m_order.emplace(std::move(order)); }
    // Replaces every entry by names, in list order.
    void setNames(QStringList names);
    const QStringList &names() const { return m_names; }

private:
    std::optional<ListOrder> m_order;
    QStringList m_names;
};
