#include "HistoryStore.h"

#include "DataError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// How long a write waits for another program's lock before it gives up: short, since the
// candidate waits for the score window meanwhile.
constexpr int LockWaitMilliseconds = 1500;
constexpr int SchemaVersion = 1;

const char* const Schema[] = {
    "CREATE TABLE attempts ("
    " id INTEGER PRIMARY KEY,"
    " finished_at TEXT NOT NULL,"
    " exam_title TEXT NOT NULL,"
    " candidate TEXT NOT NULL,"
    " source TEXT NOT NULL CHECK (source IN ('bank', 'user')),"
    " item_count INTEGER NOT NULL,"
    " correct INTEGER NOT NULL,"
    " score REAL NOT NULL,"
    " passed INTEGER NOT NULL,"
    " time_limit_min INTEGER NOT NULL,"
    " elapsed_s INTEGER NOT NULL,"
    " timer_on INTEGER NOT NULL)",
    "CREATE TABLE attempt_items ("
    " attempt_id INTEGER NOT NULL REFERENCES attempts(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " q_or_number INTEGER NOT NULL,"
    " section INTEGER NOT NULL,"
    " selected TEXT NOT NULL,"
    " marked INTEGER NOT NULL,"
    " correct INTEGER NOT NULL,"
    " learned INTEGER NOT NULL,"
    " PRIMARY KEY (attempt_id, position))",
    "CREATE INDEX attempt_items_item ON attempt_items (q_or_number)",
};

bool isLock(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6");
}

QString reasonOf(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

Attempt attemptFrom(const QSqlQuery& row)
{
    Attempt attempt;
    attempt.id = row.value(0).toLongLong();
    attempt.finishedAt = QDateTime::fromString(row.value(1).toString(), Qt::ISODate);
    attempt.examTitle = row.value(2).toString();
    attempt.candidate = row.value(3).toString();
    attempt.source = row.value(4).toString() == QLatin1String("user") ? Attempt::Source::User
                                                                      : Attempt::Source::Bank;
    attempt.itemCount = row.value(5).toInt();
    attempt.correct = row.value(6).toInt();
    attempt.score = row.value(7).toDouble();
    attempt.passed = row.value(8).toInt() != 0;
    attempt.timeLimitMinutes = row.value(9).toInt();
    attempt.elapsedSeconds = row.value(10).toInt();
    attempt.timerOn = row.value(11).toInt() != 0;
    return attempt;
}

const QString AttemptColumns =
    QStringLiteral("id, finished_at, exam_title, candidate, source, item_count, correct, score, "
                   "passed, time_limit_min, elapsed_s, timer_on");

// Qt binds a null text as NULL; the history keeps an empty one.
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

const QString HistoryStore::FileName = QStringLiteral("tsl4hist.DAT");

QString Attempt::sourceName(Source source)
{
    return source == Source::User ? QStringLiteral("user") : QStringLiteral("bank");
}

HistoryStore::HistoryStore(const QString& path) : m_path(path) {}

[[noreturn]] void HistoryStore::fail(const QString& what, const QString& reason, bool locked) const
{
    const QString text =
        locked ? QStringLiteral("The file is locked by another program (%1).").arg(reason) : reason;
    throw DataError(
        QStringLiteral("%1 \"%2\" (%3):\n%4").arg(what, QFileInfo(m_path).fileName(), m_path, text),
        locked ? DataError::Kind::Locked : DataError::Kind::Other);
}

// Opens a connection for the length of `work` and closes it whatever happens.
template <typename Work> auto HistoryStore::withDatabase(bool write, Work work) const
{
    const QString name = QStringLiteral("tessaly-history-") + QUuid::createUuid().toString();
    struct Closer {
        QString name;
        ~Closer() { QSqlDatabase::removeDatabase(name); }
    } closer{name};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(m_path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockWaitMilliseconds);
    if (!write)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        fail(QStringLiteral("Cannot open the study history"), reasonOf(db.lastError()),
             isLock(db.lastError()));
    struct DbCloser {
        QSqlDatabase& db;
        ~DbCloser() { db.close(); }
    } dbCloser{db};
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    return work(db);
}

QString HistoryStore::prepare()
{
    auto check = [this]() -> std::optional<QString> {
        // Nothing or an empty file: a new history. Otherwise it must be ours.
        if (!QFileInfo::exists(m_path) || QFileInfo(m_path).size() == 0)
            return std::nullopt;
        try {
            return withDatabase(false, [&](QSqlDatabase& db) -> std::optional<QString> {
                QSqlQuery query(db);
                if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
                    if (isLock(query.lastError()))
                        fail(QStringLiteral("Cannot read the study history"),
                             reasonOf(query.lastError()), true);
                    return reasonOf(query.lastError());
                }
                const int version = query.value(0).toInt();
                if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
                    !query.next())
                    return reasonOf(query.lastError());
                const int objects = query.value(0).toInt();
                if (objects == 0)
                    return std::nullopt;
                if (version != SchemaVersion)
                    return QStringLiteral("It holds something other than a study history.");
                if (!query.exec(QStringLiteral("SELECT count(*) FROM attempt_items WHERE "
                                               "attempt_id NOT IN (SELECT id FROM attempts)")) ||
                    !query.next())
                    return reasonOf(query.lastError());
                return std::nullopt;
            });
        } catch (const DataError& error) {
            if (error.kind() == DataError::Kind::Locked)
                throw;
            return error.message();
        }
    };

    // Only a file is ever set aside; anything else in its place is left as it is.
    if (QFileInfo::exists(m_path) && !QFileInfo(m_path).isFile())
        fail(QStringLiteral("Cannot open the study history"),
             QStringLiteral("Something other than a file is in its place."), false);
    QString notice;
    if (const std::optional<QString> damage = check()) {
        const QString aside = m_path + QStringLiteral(".damaged");
        QFile::remove(aside);
        if (!QFile::rename(m_path, aside))
            fail(QStringLiteral("Cannot set aside the damaged study history"), *damage, false);
        notice = QStringLiteral("The study history, %1, was damaged. It was set aside as %2, and "
                                "a new history was started.\n\n%3")
                     .arg(QFileInfo(m_path).fileName(), QFileInfo(aside).fileName(), *damage);
    }
    withDatabase(true, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
            fail(QStringLiteral("Cannot read the study history"), reasonOf(query.lastError()),
                 isLock(query.lastError()));
        if (query.value(0).toInt() > 0)
            return;
        if (!db.transaction())
            fail(QStringLiteral("Cannot create the study history"), reasonOf(db.lastError()),
                 isLock(db.lastError()));
        for (const char* statement : Schema) {
            if (!query.exec(QLatin1String(statement))) {
                const QSqlError error = query.lastError();
                db.rollback();
                fail(QStringLiteral("Cannot create the study history"), reasonOf(error),
                     isLock(error));
            }
        }
        query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
        if (!db.commit()) {
            const QSqlError error = db.lastError();
            db.rollback();
            fail(QStringLiteral("Cannot create the study history"), reasonOf(error), isLock(error));
        }
    });
    return notice;
}

qint64 HistoryStore::record(const Attempt& attempt)
{
    return withDatabase(true, [&](QSqlDatabase& db) {
        auto failed = [&](const QSqlError& error) {
            db.rollback();
            fail(QStringLiteral("Cannot record the attempt in the study history"), reasonOf(error),
                 isLock(error));
        };
        QSqlQuery begin(db);
        // Taken at once, so that a lock is found before anything is written.
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            fail(QStringLiteral("Cannot record the attempt in the study history"),
                 reasonOf(begin.lastError()), isLock(begin.lastError()));
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO attempts (finished_at, exam_title, candidate, source, item_count, "
            "correct, score, passed, time_limit_min, elapsed_s, timer_on) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.addBindValue(attempt.finishedAt.toString(Qt::ISODate));
        insert.addBindValue(notNull(attempt.examTitle));
        insert.addBindValue(notNull(attempt.candidate));
        insert.addBindValue(Attempt::sourceName(attempt.source));
        insert.addBindValue(attempt.itemCount);
        insert.addBindValue(attempt.correct);
        insert.addBindValue(attempt.score);
        insert.addBindValue(attempt.passed ? 1 : 0);
        insert.addBindValue(attempt.timeLimitMinutes);
        insert.addBindValue(attempt.elapsedSeconds);
        insert.addBindValue(attempt.timerOn ? 1 : 0);
        if (!insert.exec())
            failed(insert.lastError());
        const qint64 id = insert.lastInsertId().toLongLong();

        QSqlQuery item(db);
        item.prepare(QStringLiteral("INSERT INTO attempt_items (attempt_id, position, "
                                    "q_or_number, section, selected, marked, correct, learned) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const AttemptItem& row : attempt.items) {
            item.bindValue(0, id);
            item.bindValue(1, row.position);
            item.bindValue(2, row.itemId);
            item.bindValue(3, row.section);
            item.bindValue(4, notNull(row.selected));
            item.bindValue(5, row.marked ? 1 : 0);
            item.bindValue(6, row.correct ? 1 : 0);
            item.bindValue(7, row.learned ? 1 : 0);
            if (!item.exec())
                failed(item.lastError());
        }
        if (!db.commit())
            failed(db.lastError());
        return id;
    });
}

QVector<Attempt> HistoryStore::attempts() const
{
    return withDatabase(false, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(
                QStringLiteral("SELECT %1 FROM attempts ORDER BY id DESC").arg(AttemptColumns)))
            fail(QStringLiteral("Cannot read the study history"), reasonOf(query.lastError()),
                 isLock(query.lastError()));
        QVector<Attempt> list;
        while (query.next())
            list.append(attemptFrom(query));
        return list;
    });
}

QVector<AttemptItem> HistoryStore::items(qint64 attemptId) const
{
    return withDatabase(false, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT position, q_or_number, section, selected, marked, "
                                     "correct, learned FROM attempt_items WHERE attempt_id = ? "
                                     "ORDER BY position"));
        query.addBindValue(attemptId);
        if (!query.exec())
            fail(QStringLiteral("Cannot read the study history"), reasonOf(query.lastError()),
                 isLock(query.lastError()));
        QVector<AttemptItem> list;
        while (query.next()) {
            AttemptItem item;
            item.position = query.value(0).toInt();
            item.itemId = query.value(1).toLongLong();
            item.section = query.value(2).toInt();
            item.selected = query.value(3).toString();
            item.marked = query.value(4).toInt() != 0;
            item.correct = query.value(5).toInt() != 0;
            item.learned = query.value(6).toInt() != 0;
            list.append(item);
        }
        return list;
    });
}

std::optional<Attempt> HistoryStore::latest() const
{
    const QVector<Attempt> all = attempts();
    if (all.isEmpty())
        return std::nullopt;
    Attempt newest = all.first();
    newest.items = items(newest.id);
    return newest;
}

void HistoryStore::clear()
{
    withDatabase(true, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!db.transaction() || !query.exec(QStringLiteral("DELETE FROM attempt_items")) ||
            !query.exec(QStringLiteral("DELETE FROM attempts")) || !db.commit()) {
            const QSqlError error =
                query.lastError().isValid() ? query.lastError() : db.lastError();
            db.rollback();
            fail(QStringLiteral("Cannot delete the study history"), reasonOf(error), isLock(error));
        }
    });
}

std::array<HistoryStore::SectionTally, 7> HistoryStore::sectionTallies(int lastAttempts) const
{
    return withDatabase(false, [&](QSqlDatabase& db) {
        QString attemptsWanted = QStringLiteral("SELECT id FROM attempts WHERE source = 'bank' "
                                                "ORDER BY id DESC");
        if (lastAttempts > 0)
            attemptsWanted += QStringLiteral(" LIMIT %1").arg(lastAttempts);
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT section, count(*), sum(correct) FROM "
                                       "attempt_items WHERE attempt_id IN (%1) GROUP BY section")
                            .arg(attemptsWanted)))
            fail(QStringLiteral("Cannot read the study history"), reasonOf(query.lastError()),
                 isLock(query.lastError()));
        std::array<SectionTally, 7> tallies{};
        while (query.next()) {
            const int section = query.value(0).toInt();
            if (section < 1 || section > 7)
                continue;
            tallies[std::size_t(section - 1)] = {query.value(1).toInt(), query.value(2).toInt()};
        }
        return tallies;
    });
}

QSet<qint64> HistoryStore::everCorrectBankItems() const
{
    return withDatabase(false, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral(
                "SELECT DISTINCT q_or_number FROM attempt_items JOIN attempts ON attempts.id = "
                "attempt_items.attempt_id WHERE attempts.source = 'bank' AND "
                "attempt_items.correct = 1")))
            fail(QStringLiteral("Cannot read the study history"), reasonOf(query.lastError()),
                 isLock(query.lastError()));
        QSet<qint64> ids;
        while (query.next())
            ids.insert(query.value(0).toLongLong());
        return ids;
    });
}

QString HistoryStore::csv() const
{
    return withDatabase(false, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral(
                "SELECT a.id, a.finished_at, a.exam_title, a.candidate, a.source, a.item_count, "
                "a.correct, a.score, a.passed, a.time_limit_min, a.elapsed_s, a.timer_on, "
                "i.position, i.q_or_number, i.section, i.selected, i.marked, i.correct, "
                "i.learned FROM attempts a LEFT JOIN attempt_items i ON i.attempt_id = a.id "
                "ORDER BY a.id, i.position")))
            fail(QStringLiteral("Cannot read the study history"), reasonOf(query.lastError()),
                 isLock(query.lastError()));
        QString text = QStringLiteral(
            "attempt_id,finished_at,exam_title,candidate,source,item_count,correct,score,passed,"
            "time_limit_min,elapsed_s,timer_on,position,q_or_number,section,selected,marked,"
            "item_correct,learned\r\n");
        while (query.next()) {
            QStringList fields;
            for (int column = 0; column < 19; ++column) {
                const QVariant value = query.value(column);
                fields.append(column == 7 ? QString::number(value.toDouble(), 'g', 17)
                                          : csvField(value.toString()));
            }
            text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        }
        return text;
    });
}
