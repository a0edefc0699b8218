#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <QVector>

class DataSource;

// A list of a data source's records, one node per record labelled with its key. The node of
// the current record is selected; picking another node moves the table to that record.
// While a new record is pending no node is selected, as the record has no key yet.
class DBItemList : public QTreeWidget {
    Q_OBJECT

public:
    explicit DBItemList(QWidget* parent = nullptr);
    void bind(DataSource* source);

    void setNodeIcon(const QIcon& icon);

    // The key shown by a node.
    static qint64 keyOf(const QTreeWidgetItem* node);

private:
    void sync();
    void rebuild(const QVector<qint64>& keys);
    void selectCurrent();
    void pick(QTreeWidgetItem* node);

    DataSource* m_source = nullptr;
    QIcon m_nodeIcon;
    QVector<qint64> m_keys; // the keys of the nodes, in table order
    bool m_syncing = false;
    bool m_picking = false;
};
