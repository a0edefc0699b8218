#include "DataError.h"

DataError::DataError(const QString& message, Kind kind)
    : std::runtime_error(message.toStdString()), m_message(message), m_kind(kind)
{
}
