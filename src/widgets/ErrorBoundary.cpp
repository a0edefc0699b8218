#include "ErrorBoundary.h"

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
    } catch (...) {
        Prompt::error(parent, QStringLiteral("The operation failed for an unknown reason."));
    }
    return false;
}
