#pragma once

#include "FixtureBank.h"
#include "Program.h"
#include "TTestForm.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class QAbstractSpinBox;
class QWidget;
class TNameForm;

// Drives the real program's windows against a temporary data folder: a fixture bank and
// personal table written before the program starts, and the exam start dialog answered.
class ExamDriver {
public:
    // 60 bank items over the six exams; every tenth belongs to no exam.
    static QVector<FixtureItem> standardBank();

    explicit ExamDriver(const QVector<FixtureItem>& bank = standardBank(),
                        const QVector<FixtureItem>& personal = {},
                        const QVector<qint64>& personalIds = {});
    ~ExamDriver();

    Program& program() { return *m_program; }
    TTestForm* testForm();
    QString folder() const { return m_dir.path(); }

    template <typename T> T* find(const QString& name) const;

    // Runs `trigger`, which opens the exam start dialog; `fill` sees the dialog before it is
    // confirmed with OK (or cancelled when `confirm` is false).
    void startExam(const std::function<void()>& trigger,
                   const std::function<void(TNameForm*)>& fill = {}, bool confirm = true);

    // Grades the running exam as a candidate does (Grade Now, OK) and goes to review mode with
    // View Answers in the score window. The grading's confirmation is taken off the records.
    void gradeAndViewAnswers();

    // Shows the test window as Start Testing does.
    void showTestWindow();

    // Types text into a spin box key by key, as a candidate would, without leaving the field.
    static void typeInto(QAbstractSpinBox* box, const QString& text);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Program> m_program;
};

template <typename T> T* ExamDriver::find(const QString& name) const
{
    return const_cast<ExamDriver*>(this)->testForm()->findChild<T*>(name);
}
