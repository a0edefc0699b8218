#include "FontMapping.h"
#include "Program.h"
#include "TMainForm.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(TESSALY_APP_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TESSALY_APP_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessaly/tessaly4.svg")));
    // The start window ends the program itself; hiding it for the test window must not.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();

    Program program(QCoreApplication::applicationDirPath());
    program.MainForm->show();
    return app.exec();
}
