#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement on a connection that Qt SQL opened. The table layer runs its
// per-record reads and writes through it: Qt SQL's generic binding costs more than the copy
// of a record itself.
class SqlStatement {
public:
    SqlStatement(sqlite3* connection, const QString& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool isValid() const { return m_statement != nullptr; }

    void bind(int index, const QVariant& value); // index from 1
    void bind(int index, qint64 value);
    // Binds column `column` of the row `row` stands on, exactly as stored: same type, same
    // bytes, without a detour through QVariant.
    void bindColumn(int index, const SqlStatement& row, int column);
    // Runs one step: true when it produced a row, false when it is done. Throws nothing; check
    // failed() after it.
    bool step();
    bool failed() const { return m_failed; }
    QString errorText() const { return m_errorText; }
    bool lockError() const;

    QVariant column(int index) const; // index from 0
    void reset();

    // The SQLite handle behind a Qt SQL connection, or null when the driver is not SQLite.
    static sqlite3* handleOf(const QVariant& driverHandle);

private:
    void noteError();

    sqlite3* m_connection;
    sqlite3_stmt* m_statement = nullptr;
    bool m_failed = false;
    int m_errorCode = 0;
    QString m_errorText;
};
