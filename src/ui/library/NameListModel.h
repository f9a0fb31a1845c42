#pragma once

#include <QAbstractListModel>

#include <vector>

class CommandIndex;

// The entries of the command list: rows of the command library, in the
// order given (the library gives them in list order), each shown by its
// name, a huge one cut (CommandIndex::shownNameOf).
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit NameListModel(const CommandIndex &library, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Replaces every entry by these rows of the library.
    void setRows(std::vector<int> rows);
    // The library's row shown at an entry.
    int libraryRow(const QModelIndex &index) const { return m_rows.at(std::size_t(index.row())); }

private:
    const CommandIndex &m_library;
    std::vector<int> m_rows;
};
