#include "TddgRunButton.h"

#include "Look.h"
#include "Prompt.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

// A small calculator, for programs without an icon of their own.
QIcon calculatorIcon()
{
    return Look::svgIcon(QStringLiteral(":/tessaly/calculator.svg"), QSize(32, 32));
}

// The icon the desktop shows for a program: the Icon= of the application entry whose Exec
// runs it, from the icon theme.
QIcon desktopIcon(const QString& program)
{
    const QString name = QFileInfo(program).fileName();
    const QStringList folders =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("applications"), QStandardPaths::LocateDirectory);
    for (const QString& folder : folders) {
        QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files);
        while (entries.hasNext()) {
            QSettings entry(entries.next(), QSettings::IniFormat);
            entry.beginGroup(QStringLiteral("Desktop Entry"));
            const QString exec = entry.value(QStringLiteral("Exec")).toString().section(' ', 0, 0);
            if (exec != program && QFileInfo(exec).fileName() != name)
                continue;
            const QIcon icon = QIcon::fromTheme(entry.value(QStringLiteral("Icon")).toString());
            if (!icon.isNull())
                return icon;
        }
    }
    return {};
}

int startErrorCode(const QString& program)
{
#ifdef Q_OS_WIN
    Q_UNUSED(program)
    return 2;
#else
    errno = 0;
    if (::access(QFile::encodeName(program).constData(), X_OK) != 0)
        return errno;
    return ENOEXEC; // present and executable, yet it would not start: a bad program format
#endif
}

} // namespace

TddgRunButton::TddgRunButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true); // flat
    setIcon(calculatorIcon());
    setIconSize(QSize(24, 24));
    setToolTip(QStringLiteral("Calculator"));
    connect(this, &QToolButton::clicked, this, &TddgRunButton::run);
}

QString TddgRunButton::rejection(const QString& path)
{
    const QString notExecutable = path + QStringLiteral(" is not an executable file.");
    const QString notFound =
        QStringLiteral("The file: ") + path + QStringLiteral(" cannot be found.");
#ifdef Q_OS_WIN
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot >= 0 ? name.mid(dot).left(4) : QString();
    if (extension.compare(QLatin1String(".EXE"), Qt::CaseInsensitive) != 0)
        return notExecutable;
    if (!QFileInfo::exists(path))
        return notFound;
    return {};
#else
    // Here a program is a file with the execute permission, whatever its name.
    const QFileInfo info(path);
    if (path.isEmpty() || (info.exists() && (!info.isFile() || !info.isExecutable())))
        return notExecutable;
    if (!info.exists())
        return notFound;
    return {};
#endif
}

bool TddgRunButton::setCommandLine(const QString& path)
{
    const QString problem = rejection(path);
    if (!problem.isEmpty()) {
        Prompt::error(this, problem);
        return false;
    }
    m_commandLine = path;
    const QIcon icon = desktopIcon(path);
    setIcon(icon.isNull() ? calculatorIcon() : icon);
    return true;
}

void TddgRunButton::run()
{
    QProcess process;
    process.setProgram(m_commandLine);
    process.setArguments({});
    if (!m_commandLine.isEmpty() && process.startDetached())
        return;
    const int code = startErrorCode(m_commandLine) & 0xFFFF;
    Prompt::error(this, QStringLiteral("Error executing program. Error Code:; %1\n%2")
                            .arg(code)
                            .arg(QString::fromLocal8Bit(std::strerror(code))));
}
