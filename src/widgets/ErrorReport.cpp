#include "ErrorReport.h"

#include "DataError.h"
#include "Prompt.h"

#include <QString>

bool reportErrors(QWidget* parent, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const DataError& error) {
        Prompt::error(parent, error.message());
    } catch (const std::exception& error) {
        Prompt::error(parent, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
