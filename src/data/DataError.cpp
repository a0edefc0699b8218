#include "DataError.h"

DataError::DataError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}
