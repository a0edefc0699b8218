#pragma once

#include <QObject>

class Table;

// Connects windows and data-aware editors to a table: it passes on the table's state and data
// changes, and starts an edit when an editor is typed into while the table is browsing.
class DataSource : public QObject {
    Q_OBJECT

public:
    explicit DataSource(Table* table, QObject* parent = nullptr);

    Table* table() const { return m_table; }

    // Called by an editor before it assigns a field: puts a browsing table into edit (or insert,
    // on an empty table). Returns false when the table cannot take the change.
    bool startEdit();

signals:
    void stateChanged();
    void dataChanged(const QString& fieldName);

private:
    Table* m_table;
};
