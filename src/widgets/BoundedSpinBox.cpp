#include "BoundedSpinBox.h"

#include <QLocale>

#include <algorithm>

BoundedSpinBox::BoundedSpinBox(QWidget* parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QString BoundedSpinBox::digitsOf(const QString& input) const
{
    QString text = input;
    if (!prefix().isEmpty() && text.startsWith(prefix()))
        text.remove(0, prefix().size());
    if (!suffix().isEmpty() && text.endsWith(suffix()))
        text.chop(suffix().size());
    text = text.trimmed();
    text.remove(locale().groupSeparator());
    for (const QChar c : text) {
        if (!c.isDigit())
            return QString();
    }
    return text;
}

QValidator::State BoundedSpinBox::validate(QString& input, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid)
        return state;
    // Digits beyond the maximum are kept as typed; fixup() brings them into range.
    const QString digits = digitsOf(input);
    return digits.isEmpty() || digits.size() > 18 ? QValidator::Invalid : QValidator::Intermediate;
}

void BoundedSpinBox::fixup(QString& input) const
{
    const QString digits = digitsOf(input);
    if (digits.isEmpty()) {
        QSpinBox::fixup(input);
        return;
    }
    bool ok = false;
    const qlonglong typed = digits.toLongLong(&ok);
    const qlonglong bounded = !ok ? maximum() : std::clamp<qlonglong>(typed, minimum(), maximum());
    input = prefix() + textFromValue(int(bounded)) + suffix();
}
