#include "SqlStatement.h"

#include <QByteArray>

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3* connection, const QString& sql) : m_connection(connection)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_connection, text.constData(), int(text.size()), &m_statement,
                           nullptr) != SQLITE_OK) {
        m_statement = nullptr;
        noteError();
    }
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_statement);
}

void SqlStatement::noteError()
{
    m_failed = true;
    m_errorCode = sqlite3_extended_errcode(m_connection);
    m_errorText = QString::fromUtf8(sqlite3_errmsg(m_connection));
}

bool SqlStatement::lockError() const
{
    const int primary = m_errorCode & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

void SqlStatement::bind(int index, qint64 value)
{
    if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        noteError();
}

void SqlStatement::bindColumn(int index, const SqlStatement& row, int column)
{
    if (sqlite3_bind_value(m_statement, index, sqlite3_column_value(row.m_statement, column)) !=
        SQLITE_OK)
        noteError();
}

void SqlStatement::bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_statement, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
            rc = sqlite3_bind_int64(m_statement, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_statement, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_statement, index, bytes.constData(),
                                     sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_statement, index, text.constData(),
                                     sqlite3_uint64(text.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        noteError();
}

bool SqlStatement::step()
{
    if (!m_statement || m_failed)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        noteError();
    return false;
}

QVariant SqlStatement::column(int index) const
{
    switch (sqlite3_column_type(m_statement, index)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_statement, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, index));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, index)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, index));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_statement, index)));
    }
    default:
        return QVariant();
    }
}

void SqlStatement::reset()
{
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_failed = false;
    m_errorCode = 0;
    m_errorText.clear();
}

sqlite3* SqlStatement::handleOf(const QVariant& driverHandle)
{
    if (!driverHandle.isValid() || qstrcmp(driverHandle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(driverHandle.constData());
}
