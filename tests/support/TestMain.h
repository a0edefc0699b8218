#pragma once

#include "FontMapping.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, with the settings and folders redirected before anything reads them and
// the program's font names mapped as in the program.
#define TESSALY_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        prepareTestEnvironment();                                                                  \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Tessaly 4"));                             \
        installFontSubstitutions();                                                                \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
