#include "ExamSetBuilder.h"

#include "BuildProgress.h"
#include "DataError.h"
#include "FieldNames.h"
#include "Table.h"

namespace {

// Shows the progress window for the length of a build, however the build ends.
class ProgressScope {
public:
    explicit ProgressScope(BuildProgress* progress) : m_progress(progress)
    {
        if (m_progress)
            m_progress->buildStarted();
    }
    ~ProgressScope()
    {
        if (m_progress)
            m_progress->buildFinished();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    BuildProgress* m_progress;
};

// The fields copied from a bank record, in the order they are assigned.
const QStringList& bankCopyFields()
{
    static const QStringList fields = [] {
        QStringList list = {Field::QExamN, Field::QSect, Field::QText, Field::QExpl, Field::QType};
        for (int i = 1; i <= 6; ++i)
            list.append(Field::choice(i));
        list.append(Field::QSim);
        for (int i = 1; i <= 6; ++i)
            list.append(Field::key(i));
        list.append(Field::Pict1);
        list.append(Field::Pict2);
        return list;
    }();
    return fields;
}

// The fields copied from a personal record: no exam number, no simulation text, no exhibits.
const QStringList& personalCopyFields()
{
    static const QStringList fields = [] {
        QStringList list = {Field::QSect, Field::QText, Field::QExpl, Field::QType};
        for (int i = 1; i <= 6; ++i)
            list.append(Field::choice(i));
        for (int i = 1; i <= 6; ++i)
            list.append(Field::key(i));
        return list;
    }();
    return fields;
}

} // namespace

ExamSetBuilder::ExamSetBuilder(Table& currentSet, BuildProgress* progress)
    : m_currentSet(currentSet), m_progress(progress)
{
}

ExamSetBuild ExamSetBuilder::BuildExamSet(Table& bank)
{
    ProgressScope scope(m_progress);
    const QVector<qint64> candidates = bank.recordNumbers();
    return copyItems(bank, Source::Bank, m_draw.draw(candidates, candidates.size()));
}

ExamSetBuild ExamSetBuilder::BuildRandomExamSet(Table& bank, int count)
{
    ProgressScope scope(m_progress);
    return copyItems(bank, Source::Bank, m_draw.draw(bank.recordNumbers(), count));
}

ExamSetBuild ExamSetBuilder::BuildUserExamSet(Table& userSet)
{
    ProgressScope scope(m_progress);
    const QVector<qint64> candidates = userSet.keys();
    return copyItems(userSet, Source::Personal, m_draw.draw(candidates, candidates.size()));
}

ExamSetBuild ExamSetBuilder::BuildChosenExamSet(Table& source, bool personal,
                                                const QSet<qint64>& ids)
{
    ProgressScope scope(m_progress);
    QVector<qint64> candidates;
    for (qint64 key : source.keys()) {
        if (ids.contains(key))
            candidates.append(key);
    }
    return copyItems(source, personal ? Source::Personal : Source::Bank,
                     m_draw.draw(candidates, candidates.size()));
}

ExamSetBuild ExamSetBuilder::copyItems(Table& source, Source kind, const QVector<qint64>& order)
{
    if (!m_currentSet.exclusive()) {
        m_currentSet.close();
        m_currentSet.setExclusive(true);
    }
    m_currentSet.open();
    m_currentSet.beginTransaction();
    try {
        m_currentSet.emptyTable();
        if (m_progress)
            m_progress->setMaximum(order.size());
        // Bank items are looked up by Q_ID, which equals their record number. Each field goes
        // across as stored, straight from the read into the write.
        m_currentSet.appendCopies(source, order, fieldCopies(source, kind), [this](int i) {
            if (m_progress)
                m_progress->setPosition(i);
        });
        m_currentSet.commit();
    } catch (...) {
        m_currentSet.rollback();
        throw;
    }
    m_currentSet.first();
    return {m_currentSet.recNo(), m_currentSet.recordCount()};
}

QVector<Table::ColumnCopy> ExamSetBuilder::fieldCopies(Table& source, Source kind) const
{
    QVector<Table::ColumnCopy> copies;
    const QStringList& fields = kind == Source::Bank ? bankCopyFields() : personalCopyFields();
    for (const QString& field : fields)
        copies.append({source.fieldNumber(field), m_currentSet.fieldNumber(field)});
    // The item's number in its source, and the candidate's note on it.
    copies.append({source.fieldNumber(Field::QId), m_currentSet.fieldNumber(Field::QOrNumber)});
    copies.append({source.fieldNumber(Field::UMemo), m_currentSet.fieldNumber(Field::UMemo)});
    return copies;
}

void ExamSetBuilder::InitItemStates(Table& currentSet, ItemStates& states)
{
    currentSet.first();
    const QVector<QVariant> sections = currentSet.columnValues(Field::QSect);
    states.assign(std::size_t(sections.size()), ItemState{});
    for (int k = 0; k < sections.size(); ++k)
        states[std::size_t(k)].Section = std::int32_t(sections[k].toLongLong());
    currentSet.last();
    currentSet.next(); // leaves the table at its end
}
