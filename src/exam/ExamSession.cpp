#include "ExamSession.h"

#include "DataError.h"
#include "DataSource.h"
#include "ExamSetBuilder.h"
#include "FieldNames.h"
#include "Grading.h"
#include "ScoreArithmetic.h"
#include "Session.h"
#include "Table.h"
#include "TableSchema.h"
#include "TimeFormat.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

ExamSession::ExamSession(Session& session, ItemStates& itemStates, QObject* parent)
    : QObject(parent), m_session(session), m_itemStates(itemStates)
{
    m_bank = new Table(m_session, Schemas::bank(), this);
    m_bank->setObjectName(QStringLiteral("dtQSet"));
    m_currentSet = new Table(m_session, Schemas::currentExam(), this);
    m_currentSet->setObjectName(QStringLiteral("dtCurrentSet"));
    m_currentSource = new DataSource(m_currentSet, this);
    m_currentSource->setObjectName(QStringLiteral("dsCurrentSet"));
    m_userSet = new Table(m_session, Schemas::personal(), this);
    m_userSet->setObjectName(QStringLiteral("dtUserSet"));
    connect(m_currentSource, &DataSource::dataChanged, this, [this] { emit itemChanged(); });

    m_clock = [] {
        return QDateTime::currentDateTime();
    };
    m_clockStart = m_clock();
}

int ExamSession::countExamItems()
{
    m_bank->close();
    m_bank->setFilter(QStringLiteral("Q_EXAM_N<>0"));
    m_bank->setFiltered(true);
    m_bank->open();
    const int count = m_bank->recordCount();
    m_bank->close();
    return count;
}

QVector<QPair<qint64, int>> ExamSession::examItemSections()
{
    m_bank->close();
    m_bank->setFilter(QStringLiteral("Q_EXAM_N<>0"));
    m_bank->setFiltered(true);
    m_bank->open();
    const QVector<qint64> keys = m_bank->keys();
    const QVector<QVariant> sections = m_bank->columnValues(Field::QSect);
    m_bank->close();
    QVector<QPair<qint64, int>> items;
    items.reserve(keys.size());
    for (int i = 0; i < keys.size() && i < sections.size(); ++i)
        items.append({keys[i], sections[i].toInt()});
    return items;
}

void ExamSession::setBankFilter(const QString& filter)
{
    m_bank->setFilter(filter);
}

void ExamSession::openWorkingCopy()
{
    if (m_currentSet->isActive())
        return;
    // Every exam rebuilds the working copy and nothing of the candidate's lives in it, so a
    // damaged one is set aside and started anew.
    m_currentSet->setExclusive(true);
    try {
        m_currentSet->open();
    } catch (const DataError& error) {
        if (error.kind() != DataError::Kind::Damaged)
            throw;
        const QString path = m_currentSet->filePath();
        const QString aside = path + QStringLiteral(".damaged");
        QFile::remove(aside);
        if (!QFile::rename(path, aside))
            throw;
        emit workingCopyReplaced(
            QStringLiteral("The working copy of the exam, %1, was damaged. "
                           "It was set aside as %2, and a new one is used.\n\n%3")
                .arg(m_currentSet->fileName(), QFileInfo(aside).fileName(), error.message()));
        m_currentSet->open();
    }
}

void ExamSession::start(const Start& start)
{
    m_candidate = start.candidate;
    m_timeLimit = start.minutes / 1440.0;
    m_source = start.source;
    m_mode = HomeMode; // the item view stays idle while the build moves the tables
    Table& source = start.source == Source::User ? *m_userSet : *m_bank;
    if (start.source == Source::Bank)
        m_bank->setFiltered(true);
    source.open();
    openWorkingCopy();
    ExamSetBuilder builder(*m_currentSet, m_progress);
    const bool personal = start.source == Source::User;
    const ExamSetBuild build = start.chosen
                                   ? builder.BuildChosenExamSet(source, personal, start.items)
                               : personal     ? builder.BuildUserExamSet(source)
                               : start.random ? builder.BuildRandomExamSet(source, start.count)
                                              : builder.BuildExamSet(source);
    m_firstItemNo = build.FirstItemNo;
    m_itemCount = build.ItemCount;
    ExamSetBuilder::InitItemStates(*m_currentSet, m_itemStates);
    m_itemIds.clear();
    for (const QVariant& id : m_currentSet->columnValues(Field::QOrNumber))
        m_itemIds.append(id.toLongLong());
    m_learned.assign(m_itemStates.size(), false);
    m_startedAt = m_clock();
    m_mode = ExamModeValue;
    m_graded = false;
    emit started();
}

HistoryStore ExamSession::history() const
{
    return HistoryStore(m_session.filePath(HistoryStore::FileName));
}

ItemState& ExamSession::currentItemState()
{
    const int index = m_currentSet->isActive() ? m_currentSet->recNo() - 1 : -1;
    if (index < 0 || index >= int(m_itemStates.size())) {
        m_noItemState = ItemState();
        return m_noItemState;
    }
    return m_itemStates[std::size_t(index)];
}

bool ExamSession::setSelected(const std::array<bool, 6>& selected)
{
    if (m_mode != ExamModeValue)
        return false;
    ItemState& state = currentItemState();
    for (std::size_t i = 0; i < selected.size(); ++i)
        state.Selected[i] = selected[i] ? 1 : 0;
    EvaluateItem();
    emit answersChanged();
    return true;
}

bool ExamSession::setChoiceSelected(int choice, bool selected)
{
    if (m_mode != ExamModeValue || choice < 1 || choice > 6)
        return false;
    currentItemState().Selected[std::size_t(choice - 1)] = selected ? 1 : 0;
    EvaluateItem();
    emit answersChanged();
    return true;
}

bool ExamSession::setMarked(bool marked)
{
    if (m_mode != ExamModeValue)
        return false;
    currentItemState().Marked = marked ? 1 : 0;
    emit answersChanged();
    return true;
}

void ExamSession::EvaluateItem()
{
    ItemState& state = currentItemState();
    bool correct = true;
    for (int i = 1; i <= 6 && correct; ++i)
        correct =
            m_currentSet->fieldBool(Field::key(i)) == (state.Selected[std::size_t(i - 1)] != 0);
    state.Correct = correct ? 1 : 0;
}

void ExamSession::markLearned()
{
    const int index = m_currentSet->isActive() ? m_currentSet->recNo() - 1 : -1;
    if (m_mode == ExamModeValue && index >= 0 && index < int(m_learned.size()))
        m_learned[std::size_t(index)] = true;
}

bool ExamSession::grade()
{
    if (m_mode != ExamModeValue || m_graded)
        return false;
    m_graded = true;
    m_gradedAt = m_clock();
    ComputeTotalScore();
    ComputeSectionResults();
    // The candidate's score comes first: a history that cannot take the attempt only says so.
    HistoryStore store = history();
    try {
        const QString notice = store.prepare();
        if (!notice.isEmpty())
            emit historyNotice(notice);
        store.record(attempt());
    } catch (const DataError& error) {
        emit historyNotice(
            QStringLiteral("This attempt was not recorded in the study history.\n\n%1")
                .arg(error.message()));
    }
    emit graded();
    return true;
}

Attempt ExamSession::attempt() const
{
    const ScoreArithmetic::TotalScore total = ScoreArithmetic::totalScore(m_itemStates);
    Attempt attempt;
    attempt.finishedAt = m_gradedAt.isValid() ? m_gradedAt : m_clock();
    attempt.examTitle = m_title;
    attempt.candidate = m_candidate;
    attempt.source = m_source == Source::User ? Attempt::Source::User : Attempt::Source::Bank;
    attempt.itemCount = total.items;
    attempt.correct = total.correct;
    attempt.score = total.score;
    attempt.passed = total.passed;
    attempt.timeLimitMinutes = int(TimeFormat::seconds(m_timeLimit) / 60);
    attempt.elapsedSeconds = int(std::max<qint64>(0, m_startedAt.secsTo(attempt.finishedAt)));
    attempt.timerOn = m_timerOn;
    for (std::size_t k = 0; k < m_itemStates.size(); ++k) {
        const ItemState& state = m_itemStates[k];
        AttemptItem item;
        item.position = int(k) + 1;
        item.itemId = int(k) < m_itemIds.size() ? m_itemIds[int(k)] : 0;
        item.section = state.Section;
        for (std::size_t i = 0; i < state.Selected.size(); ++i) {
            if (state.Selected[i])
                item.selected += QChar('A' + int(i));
        }
        item.marked = state.Marked != 0;
        item.correct = state.Correct == 1;
        item.learned = k < m_learned.size() && m_learned[k];
        attempt.items.append(item);
    }
    return attempt;
}

void ExamSession::ComputeTotalScore()
{
    Grading::fillTotal(m_results, m_itemStates, m_candidate, m_title);
}

void ExamSession::ComputeSectionResults()
{
    Grading::fillSections(m_results, m_itemStates);
}

void ExamSession::enterReview()
{
    m_mode = ReviewMode;
    emit reviewEntered();
}

void ExamSession::close()
{
    m_mode = HomeMode;
    // Closing first needs nothing of the engine: pending edits are dropped and the files let
    // go, so the exam gets home whatever state a table or its file is in. The filter is then
    // cleared on the closed bank, which reads nothing.
    m_bank->close();
    m_currentSet->close();
    m_userSet->close();
    m_bank->setFilter(QString());
    m_bank->setFiltered(false);
    emit closed();
}

void ExamSession::restartClock()
{
    m_clockStart = m_clock();
}

ExamSession::Tick ExamSession::tick()
{
    const qint64 elapsedMs = std::max<qint64>(0, m_clockStart.msecsTo(m_clock()));
    m_elapsedTime =
        TimeFormat::parse(TimeFormat::format(elapsedMs / 1000 / TimeFormat::SecondsPerDay));
    Tick tick;
    tick.remaining = m_timeLimit - m_elapsedTime;
    tick.expired = TimeFormat::seconds(m_elapsedTime) >= TimeFormat::seconds(m_timeLimit);
    if (tick.expired)
        m_clockStart = m_clock();
    return tick;
}

void ExamSession::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}
