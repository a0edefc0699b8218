#include "Table.h"

#include "DataError.h"
#include "Session.h"
#include "SqlStatement.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include <sqlite3.h>

namespace {

QAtomicInt connectionCounter;

// SQLite's code for a lock that another connection holds.
bool isLockError(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6") ||
           error.databaseText().contains(QLatin1String("locked"), Qt::CaseInsensitive);
}

} // namespace

Table::Table(Session& session, TableSchema schema, QObject* parent)
    : QObject(parent), m_session(session), m_schema(std::move(schema))
{
    m_connectionName = QStringLiteral("tessaly-%1-%2")
                           .arg(m_schema.fileName)
                           .arg(connectionCounter.fetchAndAddRelaxed(1));
    m_keyColumn = m_schema.keyField.isEmpty() ? QStringLiteral("rowid") : m_schema.keyField;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        m_fieldIndex.insert(m_schema.fields[i].name, i);
        m_fieldIndex.insert(m_schema.fields[i].name.toLower(), i);
    }
}

Table::~Table()
{
    if (isActive()) {
        m_state = State::Inactive; // no signals from a dying object
        releaseConnection();
    }
}

QString Table::filePath() const
{
    return m_session.filePath(m_schema.fileName);
}

void Table::setExclusive(bool exclusive)
{
    m_exclusive = exclusive;
}

[[noreturn]] void Table::fail(const QString& what, const QSqlError& error) const
{
    fail(what, error.databaseText().isEmpty() ? error.text() : error.databaseText(),
         isLockError(error));
}

[[noreturn]] void Table::fail(const QString& what, const SqlStatement& statement) const
{
    fail(what, statement.errorText(), statement.lockError());
}

[[noreturn]] void Table::fail(const QString& what, const QString& reason, bool locked) const
{
    QString text = reason;
    if (locked) {
        text = QStringLiteral("The file is locked by another program; it stayed locked for "
                              "%1 seconds (%2).")
                   .arg(LockWaitMilliseconds / 1000.0)
                   .arg(reason);
    }
    throw DataError(
        QStringLiteral("%1 \"%2\" (%3):\n%4").arg(what, m_schema.fileName, filePath(), text),
        locked ? DataError::Kind::Locked : DataError::Kind::Other);
}

void Table::requireActive(const char* operation) const
{
    if (!isActive()) {
        throw DataError(QStringLiteral("Cannot %1: the table \"%2\" is not open.")
                            .arg(QLatin1String(operation), m_schema.fileName));
    }
}

void Table::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void Table::releaseConnection()
{
    m_selectRow.reset();
    m_insertRow.reset();
    m_handle = nullptr;
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void Table::createFile(const QString& path)
{
    // Built under another name and renamed into place, so that a kill leaves the file whole
    // or absent, never a file without its table.
    const QString building = path + QStringLiteral(".creating");
    QFile::remove(building);
    const QString connection = m_connectionName + QStringLiteral("-create");
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(building);
        if (db.open()) {
            QSqlQuery create(db);
            if (!create.exec(m_schema.createStatement()))
                error = create.lastError();
        } else {
            error = db.lastError();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (error.isValid()) {
        QFile::remove(building);
        fail(QStringLiteral("Cannot create the table file"), error);
    }
#ifdef Q_OS_WIN
    QFile::remove(path); // only ever a file without a table: see holdsNoTable()
#endif
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(path).constData()) !=
        0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(building);
        fail(QStringLiteral("Cannot create the table file"), reason, false);
    }
}

bool Table::holdsNoTable(const QString& path) const
{
    // An empty file, or one a kill left before its table was made: nothing lives in it, so it
    // counts as absent. A file that cannot be read is left to open() to report.
    if (QFileInfo(path).size() == 0)
        return true;
    const QString connection = m_connectionName + QStringLiteral("-probe");
    bool empty = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        // A locked file is not waited for here: open() waits for it and reports it.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=0"));
        if (db.open()) {
            QSqlQuery query(db);
            empty = query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) &&
                    query.next() && query.value(0).toLongLong() == 0;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return empty;
}

void Table::open()
{
    if (isActive())
        return;
    const QString path = filePath();
    if (!QFileInfo::exists(path) || (m_schema.createWhenMissing && holdsNoTable(path))) {
        if (!m_schema.createWhenMissing) {
            throw DataError(QStringLiteral("The table file \"%1\" was not found.\nIt should be "
                                           "at %2.")
                                .arg(m_schema.fileName, path),
                            DataError::Kind::Missing);
        }
        createFile(path);
    }

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockWaitMilliseconds));
    try {
        if (!m_db.open())
            fail(QStringLiteral("Cannot open the table file"), m_db.lastError());
        QSqlQuery pragma(m_db);
        if (m_exclusive) {
            // The exclusive lock is taken by the first write and kept until the file closes.
            if (!pragma.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) ||
                !pragma.exec(QStringLiteral("BEGIN EXCLUSIVE")) ||
                !pragma.exec(QStringLiteral("COMMIT")))
                fail(QStringLiteral("Cannot open the table file exclusively"), pragma.lastError());
        }
        verifySchema();
        prepareStatements();
        loadKeys();
    } catch (const DataError& error) {
        releaseConnection();
        // Whatever stops a file from opening, other than a lock, is damage to the file.
        if (error.kind() == DataError::Kind::Other)
            throw DataError(error.message(), DataError::Kind::Damaged);
        throw;
    }
    m_modified = false;
    m_state = State::Browse;
    m_position = visibleKeys().isEmpty() ? -1 : 0;
    m_eof = visibleKeys().isEmpty();
    try {
        loadCurrent();
    } catch (...) {
        m_state = State::Inactive;
        releaseConnection();
        throw;
    }
    emit stateChanged();
    emit dataChanged(QString());
}

void Table::verifySchema()
{
    QSqlQuery info(m_db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(m_schema.sqlTable)))
        fail(QStringLiteral("Cannot read the table file"), info.lastError());
    QSet<QString> columns;
    while (info.next())
        columns.insert(info.value(1).toString().toLower());
    if (info.lastError().isValid())
        fail(QStringLiteral("Cannot read the table file"), info.lastError());
    if (columns.isEmpty()) {
        throw DataError(QStringLiteral("The file \"%1\" (%2) is not a question table of this "
                                       "program: it holds no table \"%3\".")
                            .arg(m_schema.fileName, filePath(), m_schema.sqlTable));
    }
    for (const FieldDef& field : m_schema.fields) {
        if (!columns.contains(field.name.toLower())) {
            throw DataError(QStringLiteral("The table file \"%1\" (%2) lacks the field %3.")
                                .arg(m_schema.fileName, filePath(), field.name));
        }
    }
}

void Table::prepareStatements()
{
    m_handle = SqlStatement::handleOf(m_db.driver()->handle());
    if (!m_handle)
        fail(QStringLiteral("Cannot read the table file"), QStringLiteral("no SQLite driver"),
             false);
    QStringList columns;
    for (const FieldDef& field : m_schema.fields)
        columns.append(field.name);
    m_selectRow = std::make_unique<SqlStatement>(
        m_handle, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                      .arg(columns.join(QLatin1Char(',')), m_schema.sqlTable, m_keyColumn));
    if (!m_selectRow->isValid())
        fail(QStringLiteral("Cannot read the table file"), *m_selectRow);
    m_insertRow.reset();
}

void Table::loadKeys()
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(m_keyColumn, m_schema.sqlTable)))
        fail(QStringLiteral("Cannot read the table file"), query.lastError());
    m_allKeys.clear();
    while (query.next())
        m_allKeys.append(query.value(0).toLongLong());
    if (query.lastError().isValid())
        fail(QStringLiteral("Cannot read the table file"), query.lastError());

    m_visibleKeys.clear();
    if (m_filtered && m_filter) {
        QSqlQuery filtered(m_db);
        filtered.setForwardOnly(true);
        filtered.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %1")
                             .arg(m_keyColumn, m_schema.sqlTable, m_filter->sqlCondition()));
        filtered.addBindValue(m_filter->value());
        if (!filtered.exec())
            fail(QStringLiteral("Cannot filter the table file"), filtered.lastError());
        while (filtered.next())
            m_visibleKeys.append(filtered.value(0).toLongLong());
        if (filtered.lastError().isValid())
            fail(QStringLiteral("Cannot read the table file"), filtered.lastError());
    }
}

const QVector<qint64>& Table::visibleKeys() const
{
    return (m_filtered && m_filter) ? m_visibleKeys : m_allKeys;
}

qint64 Table::currentKey() const
{
    return m_position >= 0 ? visibleKeys().at(m_position) : 0;
}

void Table::loadCurrent()
{
    const int count = m_schema.fields.size();
    if (m_position < 0) {
        m_record = QVector<QVariant>(count);
        return;
    }
    SqlStatement& select = *m_selectRow;
    select.reset();
    select.bind(1, currentKey());
    if (!select.step()) {
        if (select.failed())
            fail(QStringLiteral("Cannot read the table file"), select);
        throw DataError(QStringLiteral("A record of \"%1\" (%2) was removed by another program.")
                            .arg(m_schema.fileName, filePath()));
    }
    m_record.resize(count);
    for (int i = 0; i < count; ++i)
        m_record[i] = select.column(i);
    select.reset();
}

void Table::close()
{
    if (!isActive())
        return;
    if (m_state == State::Edit || m_state == State::Insert) {
        m_buffer.clear();
        m_modified = false;
    }
    releaseConnection();
    m_allKeys.clear();
    m_visibleKeys.clear();
    m_position = -1;
    m_eof = true;
    m_record.clear();
    setState(State::Inactive);
}

void Table::emptyTable()
{
    requireActive("empty the table");
    if (m_state != State::Browse)
        cancel();
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(m_schema.sqlTable)))
        fail(QStringLiteral("Cannot empty the table file"), query.lastError());
    m_allKeys.clear();
    m_visibleKeys.clear();
    m_position = -1;
    m_eof = true;
    loadCurrent();
    emit dataChanged(QString());
}

void Table::setFilter(const QString& expression)
{
    if (expression.trimmed().isEmpty()) {
        m_filter.reset();
        m_filterText.clear();
    } else {
        Filter filter = Filter::parse(expression);
        if (!hasField(filter.field())) {
            throw DataError(QStringLiteral("The filter \"%1\" names the field %2, which the table "
                                           "\"%3\" does not have.")
                                .arg(expression, filter.field(), m_schema.fileName));
        }
        m_filter = filter;
        m_filterText = expression;
    }
    if (isActive() && m_filtered) {
        checkBrowseMode();
        loadKeys();
        first();
    }
}

void Table::setFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    m_filtered = filtered;
    if (isActive()) {
        checkBrowseMode();
        loadKeys();
        first();
    }
}

int Table::recordCount() const
{
    return isActive() ? visibleKeys().size() : 0;
}

void Table::checkBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Table::moveTo(int position)
{
    m_position = position;
    loadCurrent();
    emit dataChanged(QString());
}

void Table::first()
{
    requireActive("move to the first record");
    checkBrowseMode();
    m_eof = visibleKeys().isEmpty();
    moveTo(visibleKeys().isEmpty() ? -1 : 0);
}

void Table::last()
{
    requireActive("move to the last record");
    checkBrowseMode();
    m_eof = true;
    moveTo(visibleKeys().size() - 1);
}

void Table::next()
{
    requireActive("move to the next record");
    checkBrowseMode();
    if (m_position + 1 < visibleKeys().size()) {
        m_eof = false;
        moveTo(m_position + 1);
    } else {
        m_eof = true;
    }
}

void Table::prior()
{
    requireActive("move to the previous record");
    checkBrowseMode();
    if (m_position > 0) {
        m_eof = false;
        moveTo(m_position - 1);
    }
}

int Table::recNo() const
{
    if (!isActive() || m_position < 0 || m_state == State::Insert)
        return 0;
    const qint64 key = currentKey();
    const auto it = std::lower_bound(m_allKeys.cbegin(), m_allKeys.cend(), key);
    return int(it - m_allKeys.cbegin()) + 1;
}

void Table::setRecNo(int recordNumber)
{
    requireActive("move to a record number");
    if (recordNumber < 1 || recordNumber > m_allKeys.size()) {
        throw DataError(QStringLiteral("The table \"%1\" has no record number %2 (it holds %3 "
                                       "records).")
                            .arg(m_schema.fileName)
                            .arg(recordNumber)
                            .arg(m_allKeys.size()));
    }
    checkBrowseMode();
    const qint64 key = m_allKeys.at(recordNumber - 1);
    const QVector<qint64>& keys = visibleKeys();
    const auto it = std::lower_bound(keys.cbegin(), keys.cend(), key);
    if (it == keys.cend()) {
        m_eof = true;
        moveTo(keys.size() - 1);
        return;
    }
    m_eof = false;
    moveTo(int(it - keys.cbegin()));
}

bool Table::findKey(qint64 key)
{
    requireActive("look up a record");
    checkBrowseMode();
    const QVector<qint64>& keys = visibleKeys();
    const auto it = std::lower_bound(keys.cbegin(), keys.cend(), key);
    if (it == keys.cend() || *it != key)
        return false;
    m_eof = false;
    moveTo(int(it - keys.cbegin()));
    return true;
}

QVector<qint64> Table::keys() const
{
    return isActive() ? visibleKeys() : QVector<qint64>();
}

QVector<qint64> Table::recordNumbers() const
{
    QVector<qint64> numbers;
    if (!isActive())
        return numbers;
    const QVector<qint64>& keys = visibleKeys();
    numbers.reserve(keys.size());
    auto from = m_allKeys.cbegin();
    for (qint64 key : keys) {
        from = std::lower_bound(from, m_allKeys.cend(), key);
        numbers.append(qint64(from - m_allKeys.cbegin()) + 1);
    }
    return numbers;
}

QVector<QVariant> Table::columnValues(const QString& name)
{
    requireActive("read a column");
    const QString column = m_schema.fields.at(fieldIndex(name)).name;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    const QString where =
        (m_filtered && m_filter) ? QStringLiteral(" WHERE ") + m_filter->sqlCondition() : QString();
    query.prepare(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                      .arg(column, m_schema.sqlTable, where, m_keyColumn));
    if (!where.isEmpty())
        query.addBindValue(m_filter->value());
    if (!query.exec())
        fail(QStringLiteral("Cannot read the table file"), query.lastError());
    QVector<QVariant> values;
    values.reserve(visibleKeys().size());
    while (query.next())
        values.append(query.value(0));
    if (query.lastError().isValid())
        fail(QStringLiteral("Cannot read the table file"), query.lastError());
    return values;
}

void Table::append()
{
    requireActive("add a record");
    checkBrowseMode();
    m_positionBeforeInsert = m_position;
    m_buffer = QVector<QVariant>(m_schema.fields.size());
    // A truth value starts false rather than empty: an unchecked answer key is "not correct".
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        if (m_schema.fields[i].type == FieldType::Boolean)
            m_buffer[i] = 0;
    }
    m_assigned = QVector<bool>(m_schema.fields.size(), false);
    m_modified = false;
    setState(State::Insert);
    emit dataChanged(QString());
}

void Table::edit()
{
    requireActive("edit a record");
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_position < 0) {
        append(); // editing an empty table starts a new record
        return;
    }
    m_buffer = m_record;
    m_assigned = QVector<bool>(m_schema.fields.size(), false);
    m_modified = false;
    setState(State::Edit);
}

bool Table::passesFilter(const QVector<QVariant>& values) const
{
    if (!m_filtered || !m_filter)
        return true;
    return m_filter->matches(values.at(fieldIndex(m_filter->field())));
}

bool Table::insertRow()
{
    const bool keyByTable = m_schema.keyAssignedByTable;
    if (!m_insertRow) {
        QStringList columns;
        QStringList marks;
        for (const FieldDef& field : m_schema.fields) {
            if (keyByTable && field.name == m_schema.keyField)
                continue;
            columns.append(field.name);
            marks.append(QStringLiteral("?"));
        }
        m_insertRow = std::make_unique<SqlStatement>(
            m_handle, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(m_schema.sqlTable, columns.join(QLatin1Char(',')),
                               marks.join(QLatin1Char(','))));
        if (!m_insertRow->isValid())
            fail(QStringLiteral("Cannot store a record in the table file"), *m_insertRow);
    }
    SqlStatement& insert = *m_insertRow;
    insert.reset();
    int parameter = 1;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        if (keyByTable && m_schema.fields[i].name == m_schema.keyField)
            continue;
        insert.bind(parameter++, m_buffer[i]);
    }
    insert.step();
    if (insert.failed())
        fail(QStringLiteral("Cannot store a record in the table file"), insert);
    insert.reset();

    qint64 key = sqlite3_last_insert_rowid(m_handle);
    if (!m_schema.keyField.isEmpty()) {
        const int keyIndex = fieldIndex(m_schema.keyField);
        if (!keyByTable && !m_buffer[keyIndex].isNull())
            key = m_buffer[keyIndex].toLongLong();
        m_buffer[keyIndex] = key;
    }

    const auto place = std::lower_bound(m_allKeys.begin(), m_allKeys.end(), key);
    m_allKeys.insert(place, key);
    int position = m_positionBeforeInsert;
    bool visible = true;
    if (m_filtered && m_filter) {
        visible = passesFilter(m_buffer);
        if (visible) {
            const auto visiblePlace =
                std::lower_bound(m_visibleKeys.begin(), m_visibleKeys.end(), key);
            position = int(visiblePlace - m_visibleKeys.begin());
            m_visibleKeys.insert(visiblePlace, key);
        }
    } else {
        position =
            int(std::lower_bound(m_allKeys.cbegin(), m_allKeys.cend(), key) - m_allKeys.cbegin());
    }
    m_position = position;
    m_eof = false;
    return visible;
}

bool Table::updateRow()
{
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        if (!m_assigned[i])
            continue;
        assignments.append(m_schema.fields[i].name + QStringLiteral("=?"));
        values.append(m_buffer[i]);
    }
    if (assignments.isEmpty())
        return true;
    QSqlQuery update(m_db);
    update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                       .arg(m_schema.sqlTable, assignments.join(QLatin1Char(',')), m_keyColumn));
    for (const QVariant& value : values)
        update.addBindValue(value);
    update.addBindValue(currentKey());
    if (!update.exec())
        fail(QStringLiteral("Cannot store a record in the table file"), update.lastError());
    if (update.numRowsAffected() == 0) {
        throw DataError(QStringLiteral("A record of \"%1\" (%2) was removed by another program; "
                                       "the change was not stored.")
                            .arg(m_schema.fileName, filePath()));
    }
    if (m_filtered && m_filter && !passesFilter(m_buffer)) {
        m_visibleKeys.removeAt(m_position);
        m_position = std::min(m_position, int(m_visibleKeys.size()) - 1);
        return false;
    }
    return true;
}

void Table::post()
{
    requireActive("store a record");
    if (m_state == State::Browse)
        return;
    const bool storedRowIsCurrent = m_state == State::Insert ? insertRow() : updateRow();
    if (storedRowIsCurrent)
        m_record = m_buffer;
    m_buffer.clear();
    m_modified = false;
    if (!storedRowIsCurrent)
        loadCurrent(); // the filter hides the stored row
    setState(State::Browse);
    emit dataChanged(QString());
}

void Table::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    // Dropping an edit must work when the file does not: an edit leaves the stored row in
    // m_record, and a failed read-back after an insert still ends the insert.
    std::exception_ptr failure;
    if (m_state == State::Insert) {
        m_position = m_positionBeforeInsert;
        try {
            loadCurrent();
        } catch (...) {
            m_record = QVector<QVariant>(m_schema.fields.size());
            failure = std::current_exception();
        }
    }
    m_buffer.clear();
    m_modified = false;
    setState(State::Browse);
    emit dataChanged(QString());
    if (failure)
        std::rethrow_exception(failure);
}

void Table::remove()
{
    requireActive("delete a record");
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_position < 0)
        return;
    const qint64 key = currentKey();
    QSqlQuery query(m_db);
    query.prepare(
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_schema.sqlTable, m_keyColumn));
    query.addBindValue(key);
    if (!query.exec())
        fail(QStringLiteral("Cannot delete a record of the table file"), query.lastError());
    m_allKeys.removeOne(key);
    if (m_filtered && m_filter)
        m_visibleKeys.removeOne(key);
    const int count = visibleKeys().size();
    m_eof = count == 0;
    moveTo(std::min(m_position, count - 1));
}

bool Table::hasField(const QString& name) const
{
    return m_fieldIndex.contains(name) || m_fieldIndex.contains(name.toLower());
}

int Table::fieldIndex(const QString& name) const
{
    auto it = m_fieldIndex.constFind(name);
    if (it == m_fieldIndex.cend())
        it = m_fieldIndex.constFind(name.toLower());
    if (it == m_fieldIndex.cend()) {
        throw DataError(
            QStringLiteral("The table \"%1\" has no field %2.").arg(m_schema.fileName, name));
    }
    return it.value();
}

int Table::fieldNumber(const QString& name) const
{
    return fieldIndex(name);
}

QVariant Table::fieldValueAt(int number) const
{
    const QVector<QVariant>& row =
        (m_state == State::Edit || m_state == State::Insert) ? m_buffer : m_record;
    return number >= 0 && number < row.size() ? row.at(number) : QVariant();
}

QVariant Table::fieldValue(const QString& name) const
{
    return fieldValueAt(fieldIndex(name));
}

qint64 Table::fieldInt(const QString& name) const
{
    return fieldValue(name).toLongLong();
}

bool Table::fieldBool(const QString& name) const
{
    const QVariant value = fieldValue(name);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
               text.toLongLong() != 0;
    }
    return value.toLongLong() != 0;
}

QString Table::fieldText(const QString& name) const
{
    const QVariant value = fieldValue(name);
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

QByteArray Table::fieldBytes(const QString& name) const
{
    return fieldValue(name).toByteArray();
}

void Table::setField(const QString& name, const QVariant& value)
{
    setFieldAt(fieldIndex(name), value);
}

void Table::setFieldAt(int index, const QVariant& value)
{
    if (index < 0 || index >= m_schema.fields.size())
        throw DataError(QStringLiteral("The table \"%1\" has no field number %2.")
                            .arg(m_schema.fileName)
                            .arg(index));
    if (m_state != State::Edit && m_state != State::Insert) {
        throw DataError(QStringLiteral("Cannot assign the field %1: the table \"%2\" is not being "
                                       "edited.")
                            .arg(m_schema.fields[index].name, m_schema.fileName));
    }
    const FieldType type = m_schema.fields[index].type;
    QVariant stored = value;
    if (type == FieldType::Boolean && !value.isNull())
        stored = value.toBool() ? 1 : 0;
    else if (type == FieldType::Integer && !value.isNull())
        stored = value.toLongLong();
    else if (type == FieldType::Text && value.typeId() == QMetaType::QByteArray)
        stored = QString::fromUtf8(value.toByteArray());
    m_buffer[index] = stored;
    m_assigned[index] = true;
    m_modified = true;
    emit dataChanged(m_schema.fields[index].name);
}

void Table::appendCopies(const Table& source, const QVector<qint64>& sourceKeys,
                         const QVector<ColumnCopy>& columns, const std::function<void(int)>& copied)
{
    requireActive("add records");
    source.requireActive("copy records");
    checkBrowseMode();
    QStringList read;
    QStringList written;
    QStringList marks;
    for (const ColumnCopy& column : columns) {
        read.append(source.m_schema.fields.at(column.source).name);
        written.append(m_schema.fields.at(column.target).name);
        marks.append(QStringLiteral("?"));
    }
    SqlStatement select(source.m_handle, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                             .arg(read.join(QLatin1Char(',')),
                                                  source.m_schema.sqlTable, source.m_keyColumn));
    if (!select.isValid())
        source.fail(QStringLiteral("Cannot read the table file"), select);
    SqlStatement insert(m_handle, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(m_schema.sqlTable, written.join(QLatin1Char(',')),
                                           marks.join(QLatin1Char(','))));
    if (!insert.isValid())
        fail(QStringLiteral("Cannot store a record in the table file"), insert);

    // One read transaction over the whole copy: in autocommit mode every single read would
    // take and drop the source file's lock again, which costs more than the read itself.
    struct ReadTransaction {
        sqlite3* handle = nullptr;
        explicit ReadTransaction(sqlite3* source)
        {
            if (sqlite3_get_autocommit(source) &&
                sqlite3_exec(source, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
                handle = source;
        }
        ~ReadTransaction()
        {
            if (handle)
                sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
        }
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;
    } reading(source.m_handle);

    for (int i = 0; i < sourceKeys.size(); ++i) {
        select.reset();
        select.bind(1, sourceKeys[i]);
        if (!select.step()) {
            if (select.failed())
                source.fail(QStringLiteral("Cannot read the table file"), select);
            throw DataError(QStringLiteral("The item %1 of \"%2\" disappeared while the exam "
                                           "was being prepared.")
                                .arg(sourceKeys[i])
                                .arg(source.fileName()));
        }
        insert.reset();
        for (int c = 0; c < columns.size(); ++c)
            insert.bindColumn(c + 1, select, c);
        insert.step();
        if (insert.failed())
            fail(QStringLiteral("Cannot store a record in the table file"), insert);
        if (copied)
            copied(i);
    }
    select.reset();
    insert.reset();

    loadKeys();
    m_eof = true;
    moveTo(visibleKeys().size() - 1);
}

void Table::beginTransaction()
{
    requireActive("start a transaction");
    if (!m_db.transaction())
        fail(QStringLiteral("Cannot write to the table file"), m_db.lastError());
}

void Table::commit()
{
    requireActive("commit");
    if (!m_db.commit())
        fail(QStringLiteral("Cannot write to the table file"), m_db.lastError());
}

void Table::rollback()
{
    if (!isActive())
        return;
    m_buffer.clear();
    m_modified = false;
    m_db.rollback();
    m_state = State::Browse;
    try {
        loadKeys();
        m_position = visibleKeys().isEmpty() ? -1 : 0;
        m_eof = visibleKeys().isEmpty();
        loadCurrent();
    } catch (const DataError&) {
        // The original error is the one worth reporting; leave the table closed and clean.
        close();
        return;
    }
    emit stateChanged();
    emit dataChanged(QString());
}
