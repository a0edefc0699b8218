#include "TableSchema.h"

#include "FieldNames.h"

QString Field::choice(int i)
{
    return QStringLiteral("Q%1").arg(i);
}

QString Field::key(int i)
{
    return QStringLiteral("A%1").arg(i);
}

namespace {

QString sqlType(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Boolean:
        return QStringLiteral("INTEGER");
    case FieldType::Text:
        return QStringLiteral("TEXT");
    case FieldType::Bytes:
        return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

// The question fields shared by all three tables, in their stored order.
QVector<FieldDef> questionFields(bool withExamNumber, bool withSimAndPictures)
{
    QVector<FieldDef> fields;
    if (withExamNumber)
        fields.append({Field::QExamN, FieldType::Integer});
    fields.append({Field::QSect, FieldType::Integer});
    fields.append({Field::QText, FieldType::Text});
    fields.append({Field::QExpl, FieldType::Text});
    fields.append({Field::QType, FieldType::Boolean});
    for (int i = 1; i <= 6; ++i)
        fields.append({Field::choice(i), FieldType::Text});
    for (int i = 1; i <= 6; ++i)
        fields.append({Field::key(i), FieldType::Boolean});
    if (withSimAndPictures) {
        fields.append({Field::QSim, FieldType::Text});
        fields.append({Field::Pict1, FieldType::Bytes});
        fields.append({Field::Pict2, FieldType::Bytes});
    }
    return fields;
}

} // namespace

QString TableSchema::createStatement() const
{
    QStringList columns;
    for (const FieldDef& field : fields) {
        if (field.name == keyField) {
            columns.append(
                keyAssignedByTable
                    ? QStringLiteral("%1 INTEGER PRIMARY KEY AUTOINCREMENT").arg(keyField)
                    : QStringLiteral("%1 INTEGER PRIMARY KEY").arg(keyField));
        } else {
            columns.append(QStringLiteral("%1 %2").arg(field.name, sqlType(field.type)));
        }
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(sqlTable, columns.join(QStringLiteral(", ")));
}

TableSchema Schemas::bank()
{
    TableSchema schema;
    schema.fileName = BankFile;
    schema.sqlTable = QStringLiteral("tsl4");
    schema.keyField = Field::QId;
    schema.fields = {{Field::QId, FieldType::Integer}};
    schema.fields += questionFields(true, true);
    schema.fields.append({Field::UMemo, FieldType::Text});
    return schema;
}

TableSchema Schemas::currentExam()
{
    TableSchema schema;
    schema.fileName = CurrentExamFile;
    schema.sqlTable = QStringLiteral("ces");
    schema.createWhenMissing = true;
    schema.fields = questionFields(true, true);
    schema.fields.append({Field::QOrNumber, FieldType::Integer});
    schema.fields.append({Field::UMemo, FieldType::Text});
    return schema;
}

TableSchema Schemas::personal()
{
    TableSchema schema;
    schema.fileName = PersonalFile;
    schema.sqlTable = QStringLiteral("tsl4usr");
    schema.keyField = Field::QId;
    schema.keyAssignedByTable = true;
    schema.createWhenMissing = true;
    schema.fields = {{Field::QId, FieldType::Integer}};
    schema.fields += questionFields(false, false);
    schema.fields.append({Field::UMemo, FieldType::Text});
    return schema;
}
