#pragma once

#include "ExamDriver.h"

#include <QApplication>
#include <QObject>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class TTestForm;

// What every test of the real windows shares. Each test starts with every prompt, print dialog
// and chooser answered by the test (none is ever shown), and ends with the program gone and
// every hook reset, so that nothing of one test reaches the next.
//
// Qt Test calls the most derived init() and cleanup(): a test with its own calls
// GuiTest::init() first and GuiTest::cleanup() last.
class GuiTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<ExamDriver> m_driver;

    TTestForm* form() { return m_driver->testForm(); }
    // The control of that name in the test window, or null.
    template <typename T> T* find(const QString& name) { return find<T>(form(), name); }
    template <typename T> static T* find(const QObject* root, const QString& name)
    {
        return root->findChild<T*>(name);
    }

    // Runs `trigger`, which opens a modal window of type T, and hands that window to `act`
    // while it is open. Fails the test when no such window opened.
    template <typename T>
    static void withModal(const std::function<void()>& trigger, const std::function<void(T*)>& act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            T* window = qobject_cast<T*>(QApplication::activeModalWidget());
            QVERIFY2(window, T::staticMetaObject.className());
            seen = true;
            act(window);
        });
        trigger();
        QVERIFY2(seen, T::staticMetaObject.className());
    }

    static void enterTestMode();
    static void resetHooks();

protected slots:
    void init();
    void cleanup();
};
