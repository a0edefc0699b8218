#pragma once

#include <QString>
#include <QVariant>

// A record filter of the form FIELD=INT or FIELD<>INT, the only forms the program uses. It is
// parsed once and bound as a parameter, so filter text never becomes part of an SQL statement.
class Filter {
public:
    enum class Op { Equal, NotEqual };

    // Parses the expression; throws DataError for anything else.
    static Filter parse(const QString& expression);

    QString field() const { return m_field; }
    Op op() const { return m_op; }
    qint64 value() const { return m_value; }

    bool matches(const QVariant& fieldValue) const;
    // The SQL condition with the value as its one parameter, e.g. "Q_EXAM_N <> ?".
    QString sqlCondition() const;

private:
    QString m_field;
    Op m_op = Op::Equal;
    qint64 m_value = 0;
};
