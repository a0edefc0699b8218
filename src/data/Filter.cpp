#include "Filter.h"

#include "DataError.h"

#include <QRegularExpression>

Filter Filter::parse(const QString& expression)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*(=|<>)\s*([+-]?\d{1,18})\s*$)"));
    const QRegularExpressionMatch match = form.match(expression);
    if (!match.hasMatch()) {
        throw DataError(QStringLiteral("The filter \"%1\" is not supported: a filter compares one "
                                       "field with a whole number, as in Q_EXAM_N=1 or "
                                       "Q_EXAM_N<>0.")
                            .arg(expression));
    }
    Filter filter;
    filter.m_field = match.captured(1);
    filter.m_op = match.captured(2) == QLatin1String("=") ? Op::Equal : Op::NotEqual;
    filter.m_value = match.captured(3).toLongLong();
    return filter;
}

bool Filter::matches(const QVariant& fieldValue) const
{
    // SQL semantics: a comparison with an empty (NULL) field is never true.
    if (fieldValue.isNull())
        return false;
    const bool equal = fieldValue.toLongLong() == m_value;
    return m_op == Op::Equal ? equal : !equal;
}

QString Filter::sqlCondition() const
{
    // The field name matched an identifier when parsed, and the table checked it exists.
    return m_field + (m_op == Op::Equal ? QStringLiteral(" = ?") : QStringLiteral(" <> ?"));
}
