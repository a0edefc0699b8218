#pragma once

#include "Attempt.h"

#include <QSet>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

class QSqlDatabase;

// The study history: every graded exam, in the table file tsl4hist.DAT beside the others. The
// file is opened for each use and let go at once, so that it is never held while an exam runs.
// Every failure is a DataError that names the file.
class HistoryStore {
public:
    static const QString FileName;

    explicit HistoryStore(const QString& path);

    QString path() const { return m_path; }

    // Makes sure the file is a history, creating it when absent. A file that is no history is
    // set aside as NAME.damaged and a fresh one started; the returned text then says so to the
    // candidate, and is empty otherwise.
    QString prepare();

    // Records one attempt with all its items in one transaction, and returns its id.
    qint64 record(const Attempt& attempt);

    // Every attempt, newest first, without its items.
    QVector<Attempt> attempts() const;
    // The items of one attempt, in exam order.
    QVector<AttemptItem> items(qint64 attemptId) const;
    // The newest attempt with its items.
    std::optional<Attempt> latest() const;
    // Deletes every attempt.
    void clear();

    // Item and correct counts per section 1 to 7 over the bank attempts: the newest
    // `lastAttempts` of them, or all when 0.
    struct SectionTally {
        int items = 0;
        int correct = 0;
    };
    std::array<SectionTally, 7> sectionTallies(int lastAttempts = 0) const;
    // The Item IDs of bank items answered correctly in some recorded attempt.
    QSet<qint64> everCorrectBankItems() const;

    // All attempts and their items as CSV, one row per item, with a header row.
    QString csv() const;

private:
    template <typename Work> auto withDatabase(bool write, Work work) const;
    [[noreturn]] void fail(const QString& what, const QString& reason, bool locked) const;

    QString m_path;
};
