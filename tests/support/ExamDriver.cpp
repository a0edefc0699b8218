#include "ExamDriver.h"

#include "Prompt.h"
#include "TNameForm.h"
#include "TScoreForm.h"
#include "TTestForm.h"
#include "TableSchema.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

QVector<FixtureItem> ExamDriver::standardBank()
{
    return FixtureBank::generate(60, 10);
}

ExamDriver::ExamDriver(const QVector<FixtureItem>& bank, const QVector<FixtureItem>& personal,
                       const QVector<qint64>& personalIds)
{
    if (!m_dir.isValid())
        qFatal("no temporary folder");
    FixtureBank::writeBank(m_dir.filePath(Schemas::BankFile), bank);
    if (!personal.isEmpty()) {
        QVector<qint64> ids = personalIds;
        for (int i = ids.size(); i < personal.size(); ++i)
            ids.append(i + 1);
        FixtureBank::writePersonal(m_dir.filePath(Schemas::PersonalFile), personal, ids);
    }
    m_program = std::make_unique<Program>(m_dir.path());
}

ExamDriver::~ExamDriver() = default;

TTestForm* ExamDriver::testForm()
{
    return m_program->TestForm;
}

void ExamDriver::showTestWindow()
{
    testForm()->showMaximized();
    if (!QTest::qWaitForWindowExposed(testForm()))
        qWarning("the test window was not shown");
}

void ExamDriver::startExam(const std::function<void()>& trigger,
                           const std::function<void(TNameForm*)>& fill, bool confirm)
{
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TNameForm*>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("the exam start dialog did not open");
            return;
        }
        answered = true;
        if (fill)
            fill(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(confirm ? QStringLiteral("BitBtn1")
                                                                  : QStringLiteral("BitBtn2")),
                          Qt::LeftButton);
    });
    trigger();
    if (!answered)
        qWarning("the exam start dialog was not answered");
}

void ExamDriver::gradeAndViewAnswers()
{
    Prompt::setNextAnswers({QMessageBox::Ok});
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* score = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
        if (!score)
            return;
        shown = true;
        QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
    });
    QTest::mouseClick(testForm()->findChild<QPushButton*>(QStringLiteral("GradeButton")),
                      Qt::LeftButton);
    if (!shown)
        qWarning("the score window did not open");
    if (Prompt::takeRecords().size() != 1)
        qWarning("grading asked other than its one confirmation");
}

void ExamDriver::typeInto(QAbstractSpinBox* box, const QString& text)
{
    // Key by key through the field's validator, as a candidate types, in the active dialog so
    // that the focus can leave the field afterwards.
    QApplication::setActiveWindow(box->window());
    if (!QTest::qWaitForWindowActive(box->window()))
        qWarning("the field's window did not become active");
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
