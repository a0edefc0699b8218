#include "DBItemList.h"

#include "DataSource.h"
#include "ErrorBoundary.h"
#include "Table.h"

#include <QHeaderView>
#include <QTimer>

#include <algorithm>

DBItemList::DBItemList(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    ErrorBoundary::connect(this, &QTreeWidget::currentItemChanged, this,
                           [this](QTreeWidgetItem* current) { pick(current); });
}

void DBItemList::bind(DataSource* source)
{
    m_source = source;
    ErrorBoundary::connect(source, &DataSource::stateChanged, this, &DBItemList::sync);
    ErrorBoundary::connect(source, &DataSource::dataChanged, this,
                           [this](const QString& fieldName) {
                               if (fieldName.isEmpty()) // a field assignment changes no key
                                   sync();
                           });
    sync();
}

void DBItemList::setNodeIcon(const QIcon& icon)
{
    m_nodeIcon = icon;
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setIcon(0, icon);
}

qint64 DBItemList::keyOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, Qt::UserRole).toLongLong() : 0;
}

void DBItemList::sync()
{
    // A move started here reports its own outcome once it is over.
    if (m_picking || !m_source)
        return;
    const Table* table = m_source->table();
    const QVector<qint64> keys = table->isActive() ? table->keys() : QVector<qint64>();
    // Sizes first: Qt 6.4 compares two empty lists by handing null pointers to memcmp.
    if (keys.size() != m_keys.size() || (!keys.isEmpty() && keys != m_keys))
        rebuild(keys);
    selectCurrent();
}

void DBItemList::rebuild(const QVector<qint64>& keys)
{
    m_syncing = true;
    clear();
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(keys.size());
    for (const qint64 key : keys) {
        auto* node = new QTreeWidgetItem(QStringList{QString::number(key)});
        node->setData(0, Qt::UserRole, key);
        node->setIcon(0, m_nodeIcon);
        nodes.append(node);
    }
    addTopLevelItems(nodes);
    m_keys = keys;
    m_syncing = false;
}

void DBItemList::selectCurrent()
{
    const Table* table = m_source->table();
    QTreeWidgetItem* node = nullptr;
    const QString keyField = table->schema().keyField;
    if (table->isActive() && table->state() != Table::State::Insert && !keyField.isEmpty()) {
        const qint64 current = table->fieldInt(keyField);
        const auto it = std::lower_bound(m_keys.cbegin(), m_keys.cend(), current);
        if (it != m_keys.cend() && *it == current)
            node = topLevelItem(int(it - m_keys.cbegin()));
    }
    m_syncing = true;
    setCurrentItem(node);
    if (node)
        scrollToItem(node);
    else
        clearSelection();
    m_syncing = false;
}

void DBItemList::pick(QTreeWidgetItem* node)
{
    if (m_syncing || m_picking || !node || !m_source)
        return;
    const qint64 key = keyOf(node);
    Table* table = m_source->table();
    m_picking = true;
    reportErrors(this, [table, key] { table->findKey(key); });
    m_picking = false;
    // The move may have stored a new record (new keys) or failed (the table stayed put). The
    // view is still announcing this pick, so anything to correct is corrected once it is over.
    const QString keyField = table->schema().keyField;
    const bool settled = table->isActive() && table->keys() == m_keys &&
                         table->state() != Table::State::Insert && !keyField.isEmpty() &&
                         table->fieldInt(keyField) == key;
    if (!settled)
        QTimer::singleShot(0, this, &DBItemList::sync);
}
