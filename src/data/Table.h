#pragma once

#include "Filter.h"
#include "TableSchema.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QSqlError;
class Session;
class SqlStatement;
struct sqlite3;

// A cursor over one table file, with the operations the windows need and nothing more.
//
// Record numbers are 1-based positions in key order counted over all rows, whatever the filter
// hides. Moving while a record is being edited stores it when a field was assigned and drops
// the edit otherwise. Every failure throws DataError with a text that names the file or field.
class Table : public QObject {
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    // A lock held by another connection is waited for this long (15 tries, 100 ms apart).
    static constexpr int LockWaitMilliseconds = 15 * 100;

    Table(Session& session, TableSchema schema, QObject* parent = nullptr);
    ~Table() override;

    const TableSchema& schema() const { return m_schema; }
    QString fileName() const { return m_schema.fileName; }
    QString filePath() const;

    // Exclusive access keeps other programs out of the file while it is open. Set while closed.
    void setExclusive(bool exclusive);
    bool exclusive() const { return m_exclusive; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    // Deletes every row. A pending edit is dropped first.
    void emptyTable();

    void setFilter(const QString& expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool filtered);
    bool filtered() const { return m_filtered; }

    // Rows that pass the active filter.
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }

    // 0 when there is no current record.
    int recNo() const;
    // Moves to the record with this number, or to the next one the filter shows.
    void setRecNo(int recordNumber);
    // Moves to the record whose key is `key`; stays put and returns false when there is none.
    bool findKey(qint64 key);

    // The walk over every record passing the filter, without loading the records: their keys,
    // their record numbers, or the values of one field, in table order.
    QVector<qint64> keys() const;
    QVector<qint64> recordNumbers() const;
    QVector<QVariant> columnValues(const QString& name);

    void append();
    void edit();
    void post();
    void cancel();
    void remove();

    bool hasField(const QString& name) const;
    QVariant fieldValue(const QString& name) const;
    qint64 fieldInt(const QString& name) const;
    bool fieldBool(const QString& name) const;
    QString fieldText(const QString& name) const;
    QByteArray fieldBytes(const QString& name) const;
    void setField(const QString& name, const QVariant& value);

    // Fields by position, for copying many records: look the position up once.
    int fieldNumber(const QString& name) const;
    QVariant fieldValueAt(int number) const;
    void setFieldAt(int number, const QVariant& value);

    // A field of another table and the field of this one that receives it, by position.
    struct ColumnCopy {
        int source;
        int target;
    };
    // Appends one new record per key of `source`, in the order given, each holding the copied
    // fields exactly as `source` stores them (same type, same bytes); other fields stay empty
    // and the key is numbered by this table. `copied(i)` runs after the i-th record. Throws
    // when a key has no record. The cursor stands on the last new record afterwards.
    void appendCopies(const Table& source, const QVector<qint64>& sourceKeys,
                      const QVector<ColumnCopy>& columns,
                      const std::function<void(int)>& copied = {});

    // Several writes as one: they all land or none does.
    void beginTransaction();
    void commit();
    void rollback();

signals:
    void stateChanged();
    // The position or the current record changed; `fieldName` names a single assigned field.
    void dataChanged(const QString& fieldName);

private:
    int fieldIndex(const QString& name) const;
    const QVector<qint64>& visibleKeys() const;
    qint64 currentKey() const;
    void requireActive(const char* operation) const;
    void setState(State state);
    void checkBrowseMode();
    void createFile(const QString& path);
    bool holdsNoTable(const QString& path) const;
    void verifySchema();
    void prepareStatements();
    void loadKeys();
    void loadCurrent();
    void moveTo(int position);
    bool passesFilter(const QVector<QVariant>& values) const;
    // Both return whether the stored row is the current one afterwards.
    bool insertRow();
    bool updateRow();
    [[noreturn]] void fail(const QString& what, const QSqlError& error) const;
    [[noreturn]] void fail(const QString& what, const QString& reason, bool locked) const;
    [[noreturn]] void fail(const QString& what, const SqlStatement& statement) const;
    void releaseConnection();

    Session& m_session;
    TableSchema m_schema;
    QString m_connectionName;
    QString m_keyColumn;
    QHash<QString, int> m_fieldIndex; // exact and lower-case names

    QSqlDatabase m_db;
    sqlite3* m_handle = nullptr;
    std::unique_ptr<SqlStatement> m_selectRow;
    std::unique_ptr<SqlStatement> m_insertRow;

    bool m_exclusive = false;
    State m_state = State::Inactive;

    QString m_filterText;
    std::optional<Filter> m_filter;
    bool m_filtered = false;

    QVector<qint64> m_allKeys;     // every row, in key order
    QVector<qint64> m_visibleKeys; // rows passing the filter, when filtering
    int m_position = -1;
    bool m_eof = true;

    QVector<QVariant> m_record; // the current row as stored
    QVector<QVariant> m_buffer; // the row being edited or inserted
    QVector<bool> m_assigned;
    bool m_modified = false;
    int m_positionBeforeInsert = -1;
};
