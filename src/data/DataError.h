#pragma once

#include <QString>
#include <stdexcept>

// An error of the table layer: a missing, damaged or locked file, an unknown field, a refused
// filter. It carries the text shown to the candidate, which always names the file or field.
class DataError : public std::runtime_error {
public:
    // What went wrong, where a caller can do something about it.
    enum class Kind { Other, Missing, Damaged, Locked };

    explicit DataError(const QString& message, Kind kind = Kind::Other);

    QString message() const { return m_message; }
    Kind kind() const { return m_kind; }

private:
    QString m_message;
    Kind m_kind;
};
