#include "PrintDialog.h"

#include "Prompt.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {
struct TestHook {
    bool active = false;
    QList<PrintDialog::Answer> answers;
    int shown = 0;
};

TestHook& hook()
{
    static TestHook instance;
    return instance;
}
} // namespace

bool PrintDialog::exec(QPrinter& printer, QWidget* parent)
{
    TestHook& test = hook();
    if (test.active) {
        ++test.shown;
        const Answer answer = test.answers.isEmpty() ? Answer() : test.answers.takeFirst();
        if (answer.accept) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(answer.pdfFile);
        }
        return answer.accept;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialog::reportFailure(const QPrinter& printer, QWidget* parent)
{
    const QString target = printer.outputFileName().isEmpty()
                               ? QStringLiteral("The printer \"%1\"").arg(printer.printerName())
                               : QStringLiteral("The file \"%1\"").arg(printer.outputFileName());
    Prompt::error(parent, QStringLiteral("%1 could not be opened, so nothing was printed.\nCheck "
                                         "the printer or the folder and print again.")
                              .arg(target));
}

void PrintDialog::setNextAnswers(const QList<Answer>& answers)
{
    hook().active = true;
    hook().answers = answers;
}

int PrintDialog::timesShown()
{
    return hook().shown;
}

void PrintDialog::resetTestMode()
{
    hook() = TestHook();
}
