#include "BankCompiler.h"

#include "FieldNames.h"
#include "TableSchema.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr qint64 MaximumExhibitBytes = 1024 * 1024;

QByteArray loadExhibit(const QString& base, const QString& relative, const BankItem& item, int line,
                       QVector<BankIssue>& issues)
{
    auto report = [&](const QString& message) {
        issues.append({item.file, line, message});
    };
    QFile file(QDir(base).filePath(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        report(
            QStringLiteral("the exhibit %1 cannot be read: %2").arg(relative, file.errorString()));
        return {};
    }
    if (file.size() > MaximumExhibitBytes) {
        report(QStringLiteral("the exhibit %1 is larger than 1 MB").arg(relative));
        return {};
    }
    const QByteArray bytes = file.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    if (reader.read().isNull()) {
        report(QStringLiteral("the exhibit %1 is not a readable image: %2")
                   .arg(relative, reader.errorString()));
    }
    return bytes;
}

QSqlError writeBank(QSqlDatabase& db, const QVector<BankItem>& items)
{
    const TableSchema schema = Schemas::bank();
    QSqlQuery query(db);
    if (!query.exec(schema.createStatement()))
        return query.lastError();
    QStringList columns;
    QStringList marks;
    for (const FieldDef& field : schema.fields) {
        columns.append(field.name);
        marks.append(QStringLiteral("?"));
    }
    if (!db.transaction())
        return db.lastError();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(schema.sqlTable, columns.join(','), marks.join(',')));
    for (int n = 0; n < items.size(); ++n) {
        const BankItem& item = items[n];
        QMap<QString, QVariant> values;
        values[Field::QId] = n + 1;
        values[Field::QExamN] = item.exam;
        values[Field::QSect] = item.section;
        values[Field::QText] = item.question;
        values[Field::QExpl] = item.explanation;
        values[Field::QType] = item.multiple ? 1 : 0;
        for (int i = 1; i <= 6; ++i) {
            values[Field::choice(i)] = item.choices.value(i - 1);
            values[Field::key(i)] = item.keys.value(i - 1, false) ? 1 : 0;
        }
        values[Field::QSim] = item.sim;
        values[Field::Pict1] = item.pict1;
        values[Field::Pict2] = item.pict2;
        values[Field::UMemo] = QString();
        for (const FieldDef& field : schema.fields)
            insert.addBindValue(values.value(field.name));
        if (!insert.exec())
            return insert.lastError();
    }
    if (!db.commit())
        return db.lastError();
    return QSqlError();
}

} // namespace

QVector<BankItem> BankCompiler::read(const Options& options, QVector<BankIssue>& issues)
{
    QVector<BankItem> items;
    for (const QString& source : options.sources) {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly)) {
            issues.append(
                {source, 0, QStringLiteral("cannot be read: %1").arg(file.errorString())});
            continue;
        }
        const QString text = QString::fromUtf8(file.readAll());
        items += BankSource::parse(source, text, issues);
    }
    for (BankItem& item : items) {
        BankSource::checkItem(item, issues);
        if (!item.exhibit1.isEmpty())
            item.pict1 =
                loadExhibit(options.baseFolder, item.exhibit1, item, item.exhibit1Line, issues);
        if (!item.exhibit2.isEmpty())
            item.pict2 =
                loadExhibit(options.baseFolder, item.exhibit2, item, item.exhibit2Line, issues);
    }
    if (options.bankRules)
        BankSource::checkBank(items, issues);
    return items;
}

QVector<BankIssue> BankCompiler::compile(const Options& options)
{
    QVector<BankIssue> issues;
    const QVector<BankItem> items = read(options, issues);
    if (!issues.isEmpty())
        return issues;

    // Written beside the target and renamed over it, so that the bank is never half-written.
    const QString partial = options.output + QStringLiteral(".partial");
    QFile::remove(partial);
    QSqlError error;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bank-compiler"));
        db.setDatabaseName(partial);
        error = db.open() ? writeBank(db, items) : db.lastError();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bank-compiler"));
    if (error.isValid()) {
        QFile::remove(partial);
        return {{options.output, 0, QStringLiteral("cannot be written: %1").arg(error.text())}};
    }
    QFile::remove(options.output);
    if (!QFile::rename(partial, options.output))
        return {{options.output, 0, QStringLiteral("cannot be replaced")}};
    return {};
}
