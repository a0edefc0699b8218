#pragma once

#include "Attempt.h"
#include "HistoryStore.h"
#include "ItemState.h"
#include "ScoreReport.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <array>
#include <functional>

class BuildProgress;
class DataSource;
class Session;
class Table;

// The running exam, without a window: its mode, title, candidate, counts, time limit and
// elapsed time, the tables it is built in, the start sequence, the answer rules of each mode,
// grading and review. It tells what happened through its signals; the test window shows it.
class ExamSession : public QObject {
    Q_OBJECT

public:
    enum Mode { HomeMode = 0, ExamModeValue = 1, ReviewMode = 3 };
    enum class Source { Bank, User };

    // What the candidate chose in the start dialog, and where the items come from.
    struct Start {
        Source source = Source::Bank;
        QString candidate;
        int minutes = 0;
        bool random = false; // a Random Exam: `count` items drawn from the filtered bank
        int count = 0;
        bool chosen = false; // only the items whose Q_ID is in `items`
        QSet<qint64> items;
    };

    // Where the exam clock stands after a tick.
    struct Tick {
        double remaining = 0; // days, as the time limit
        bool expired = false;
    };

    ExamSession(Session& session, ItemStates& itemStates, QObject* parent = nullptr);

    Table* bank() const { return m_bank; }
    Table* currentSet() const { return m_currentSet; }
    DataSource* currentSource() const { return m_currentSource; }
    Table* userSet() const { return m_userSet; }
    void setProgress(BuildProgress* progress) { m_progress = progress; }
    // The study history beside the tables, where every graded exam is recorded.
    HistoryStore history() const;
    // Whether the exam clock counts down, for the record.
    void setTimerOn(bool timerOn) { m_timerOn = timerOn; }

    int mode() const { return m_mode; }
    const QString& title() const { return m_title; }
    const QString& candidate() const { return m_candidate; }
    int itemCount() const { return m_itemCount; }
    int firstItemNo() const { return m_firstItemNo; }
    double timeLimit() const { return m_timeLimit; }
    double elapsedTime() const { return m_elapsedTime; }
    Source source() const { return m_source; }
    bool isGraded() const { return m_graded; }
    const ScoreReportContent& results() const { return m_results; }
    const ItemStates& itemStates() const { return m_itemStates; }

    // The bank items of every exam, counted for the start dialog; the bank is left closed.
    int countExamItems();
    // The Q_ID and section of every bank item of the six exams; the bank is left closed.
    QVector<QPair<qint64, int>> examItemSections();
    // The exam the candidate picked: its title, and for a bank exam the items it is built
    // from, as a filter on Q_EXAM_N.
    void setTitle(const QString& title) { m_title = title; }
    void setBankFilter(const QString& filter);
    // Builds the working copy, sets every item's answer state and enters exam mode.
    void start(const Start& start);

    // The answer state of the current item; a stand-in when there is none.
    ItemState& currentItemState();
    // Answering is for exam mode only: in every other mode these change nothing and return
    // false, and the window shows the stored state again.
    bool setSelected(const std::array<bool, 6>& selected);
    bool setChoiceSelected(int choice, bool selected);
    bool setMarked(bool marked);

    // Learn Now showed the current item's answer.
    void markLearned();

    // Ends the exam and grades it, once, and records it in the history; false when there is
    // no exam to grade.
    bool grade();
    // The graded exam as the history records it.
    Attempt attempt() const;
    void ComputeTotalScore();
    void ComputeSectionResults();
    // The graded exam is shown again with its answers.
    void enterReview();
    // Back home: the tables are closed and the bank's filter cleared.
    void close();

    // The exam clock. It runs in exam mode when the timer is on.
    bool clockRuns(bool timerOn) const { return timerOn && m_mode == ExamModeValue; }
    void restartClock();
    Tick tick();
    // The local time now; tests replace it.
    void setClock(std::function<QDateTime()> clock);

signals:
    void started();
    // The current item, or what it shows, changed.
    void itemChanged();
    // An answer or mark of the current item changed.
    void answersChanged();
    void graded();
    // Something the candidate should know about the study history: the attempt could not be
    // recorded, or a damaged history was set aside.
    void historyNotice(const QString& message);
    void reviewEntered();
    void closed();
    // The working copy was damaged and has been replaced; `message` says so to the candidate.
    void workingCopyReplaced(const QString& message);

private:
    void openWorkingCopy();
    void EvaluateItem();

    Session& m_session;
    ItemStates& m_itemStates;
    BuildProgress* m_progress = nullptr;
    bool m_timerOn = true;
    Table* m_bank;
    Table* m_currentSet;
    DataSource* m_currentSource;
    Table* m_userSet;

    int m_mode = HomeMode;
    Source m_source = Source::Bank;
    QString m_title;
    QString m_candidate;
    int m_itemCount = 0;
    int m_firstItemNo = 0;
    double m_timeLimit = 0;
    double m_elapsedTime = 0;
    bool m_graded = false;
    ScoreReportContent m_results;
    QVector<qint64> m_itemIds;   // the Item ID of each position
    std::vector<bool> m_learned; // Learn Now pressed, per position
    QDateTime m_startedAt;
    QDateTime m_gradedAt;
    ItemState m_noItemState;

    QDateTime m_clockStart;
    std::function<QDateTime()> m_clock;
};
