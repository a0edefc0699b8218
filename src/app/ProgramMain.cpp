#include "ProgramMain.h"

#include "DataFolder.h"
#include "FontMapping.h"
#include "Program.h"
#include "TMainForm.h"

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>

int runTessaly(int argc, char* argv[], const std::function<void(TMainForm*)>& started)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(TESSALY_APP_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TESSALY_APP_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tessaly4"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessaly/tessaly4.svg")));
    // The start window ends the program itself; hiding it for the test window must not.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();

    const QString dataFolder =
        DataFolder::resolve(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    Program program(dataFolder);
    program.MainForm->show();
    if (started)
        QTimer::singleShot(0, program.MainForm, [&] { started(program.MainForm); });
    return app.exec();
}
