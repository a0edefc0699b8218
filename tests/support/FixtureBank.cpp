#include "FixtureBank.h"

#include "FieldNames.h"
#include "TableSchema.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

QAtomicInt fixtureConnections;

template <typename Work> void withDatabase(const QString& path, Work work)
{
    const QString name = QStringLiteral("fixture-%1").arg(fixtureConnections.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("fixture: cannot open %s", qPrintable(path));
        work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void exec(QSqlQuery& query, const QString& what)
{
    if (!query.exec())
        qFatal("fixture: %s: %s", qPrintable(what), qPrintable(query.lastError().text()));
}

void writeItems(QSqlDatabase& db, const TableSchema& schema, const QVector<FixtureItem>& items,
                const QVector<qint64>& ids)
{
    QSqlQuery create(db);
    if (!create.exec(schema.createStatement()))
        qFatal("fixture: %s", qPrintable(create.lastError().text()));
    db.transaction();
    for (int n = 0; n < items.size(); ++n) {
        const FixtureItem& item = items[n];
        QStringList columns;
        QVariantList values;
        auto put = [&](const QString& column, const QVariant& value) {
            for (const FieldDef& field : schema.fields) {
                if (field.name == column) {
                    columns.append(column);
                    values.append(value);
                }
            }
        };
        put(Field::QId, ids.value(n, n + 1));
        put(Field::QExamN, item.examNumber);
        put(Field::QSect, item.section);
        put(Field::QText, item.text);
        put(Field::QExpl, item.explanation);
        put(Field::QType, item.multiple ? 1 : 0);
        for (int i = 1; i <= 6; ++i) {
            put(Field::choice(i), item.choices.value(i - 1));
            put(Field::key(i), item.keys.value(i - 1, false) ? 1 : 0);
        }
        put(Field::QSim, item.sim);
        put(Field::Pict1, item.pict1);
        put(Field::Pict2, item.pict2);
        put(Field::UMemo, item.memo);
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks.append(QStringLiteral("?"));
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(schema.sqlTable, columns.join(','), marks.join(',')));
        for (const QVariant& value : values)
            insert.addBindValue(value);
        exec(insert, QStringLiteral("insert"));
    }
    db.commit();
}

} // namespace

void FixtureBank::writeBank(const QString& path, const QVector<FixtureItem>& items)
{
    withDatabase(path, [&](QSqlDatabase& db) { writeItems(db, Schemas::bank(), items, {}); });
}

void FixtureBank::writePersonal(const QString& path, const QVector<FixtureItem>& items,
                                const QVector<qint64>& ids)
{
    withDatabase(path, [&](QSqlDatabase& db) { writeItems(db, Schemas::personal(), items, ids); });
}

QVector<FixtureItem> FixtureBank::generate(int count, int outOfExamsEvery)
{
    QVector<FixtureItem> items;
    items.reserve(count);
    for (int id = 1; id <= count; ++id) {
        FixtureItem item;
        item.examNumber = (outOfExamsEvery > 0 && id % outOfExamsEvery == 0) ? 0 : (id - 1) % 6 + 1;
        item.section = (id - 1) % 7 + 1;
        item.text = QStringLiteral("Question %1").arg(id);
        item.explanation = QStringLiteral("Explanation %1").arg(id);
        item.multiple = id % 4 == 0;
        item.choices = {QStringLiteral("first %1").arg(id), QStringLiteral("second %1").arg(id),
                        QStringLiteral("third %1").arg(id), QStringLiteral("fourth %1").arg(id)};
        item.keys = item.multiple ? QVector<bool>{true, false, true, false}
                                  : QVector<bool>{false, true, false, false};
        item.sim = QStringLiteral("sim %1").arg(id);
        item.memo = id % 5 == 0 ? QStringLiteral("note %1").arg(id) : QString();
        items.append(item);
    }
    return items;
}

QStringList FixtureBank::query(const QString& path, const QString& sql)
{
    QStringList rows;
    withDatabase(path, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(sql))
            qFatal("fixture query: %s", qPrintable(q.lastError().text()));
        while (q.next())
            rows.append(q.value(0).toString());
    });
    return rows;
}
