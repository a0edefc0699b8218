#pragma once

#include <QString>

// Puts the process's settings and user folders into a private temporary folder. Must run
// before the first QSettings is created.
void prepareTestEnvironment();

// The folder that holds this test run's settings file.
QString testSettingsFolder();
