#pragma once

#include <QString>
#include <stdexcept>

// An error of the table layer: a missing, damaged or locked file, an unknown field, a refused
// filter. It carries the text shown to the candidate, which always names the file or field.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& message);

    QString message() const { return m_message; }

private:
    QString m_message;
};
