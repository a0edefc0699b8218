#pragma once

#include <QString>
#include <QVector>

enum class FieldType { Integer, Boolean, Text, Bytes };

struct FieldDef {
    QString name;
    FieldType type;
};

// What one table file holds: its single SQL table, its fields and how its rows are ordered.
struct TableSchema {
    QString fileName; // bare file name in the data folder, e.g. "tsl4.DAT"
    QString sqlTable; // the table inside the file
    QString keyField; // the primary key field, or empty when rows are kept in append order
    bool keyAssignedByTable = false; // the table numbers new rows itself
    bool createWhenMissing = false;  // an absent file is created empty with this schema
    QVector<FieldDef> fields;        // every field, the key included

    QString createStatement() const;
};

namespace Schemas {
inline const QString BankFile = QStringLiteral("tsl4.DAT");
inline const QString CurrentExamFile = QStringLiteral("ces.DAT");
inline const QString PersonalFile = QStringLiteral("tsl4usr.DAT");

TableSchema bank();
TableSchema currentExam();
TableSchema personal();
} // namespace Schemas
