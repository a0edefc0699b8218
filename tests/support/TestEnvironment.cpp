#include "TestEnvironment.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
QTemporaryDir& settingsDir()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

void prepareTestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString folder = settingsDir().path();
    qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

QString testSettingsFolder()
{
    return settingsDir().path();
}
