// Writes to the table files in a loop until it is killed: notes into the bank, items into the
// personal table, or whole exam builds. The kill harness stops it with SIGKILL at random
// moments and checks that every file is whole and every text is one that was written.
//
//   tessaly_killtarget notes|personal|build FOLDER

#include "ExamSetBuilder.h"
#include "FieldNames.h"
#include "KillTexts.h"
#include "Session.h"
#include "Table.h"
#include "TableSchema.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void writeNotes(Session& session)
{
    Table bank(session, Schemas::bank());
    bank.open();
    const int count = bank.recordCount();
    for (qint64 round = 1;; ++round) {
        const int id = int(round % count) + 1;
        bank.setRecNo(id);
        bank.edit();
        bank.setField(Field::UMemo, KillTexts::text(id, round));
        bank.post();
    }
}

void writePersonalItems(Session& session)
{
    Table items(session, Schemas::personal());
    items.open();
    for (qint64 round = 1;; ++round) {
        if (round % 3 == 0 && items.recordCount() > 0) {
            items.first();
            const qint64 id = items.fieldInt(Field::QId);
            items.edit();
            items.setField(Field::QText, KillTexts::text(id, round));
            items.setField(Field::QExpl, KillTexts::text(id, round));
            items.post();
        } else if (round % 7 == 0 && items.recordCount() > 5) {
            items.last();
            items.remove();
        } else {
            items.append();
            items.setField(Field::QSect, 1 + round % 7);
            items.post(); // numbered by the table
            const qint64 id = items.fieldInt(Field::QId);
            items.edit();
            items.setField(Field::QText, KillTexts::text(id, round));
            items.setField(Field::QExpl, KillTexts::text(id, round));
            items.post();
        }
    }
}

void buildExams(Session& session)
{
    Table bank(session, Schemas::bank());
    Table currentSet(session, Schemas::currentExam());
    bank.setFilter(QStringLiteral("Q_EXAM_N<>0"));
    bank.setFiltered(true);
    bank.open();
    ExamSetBuilder builder(currentSet);
    for (;;)
        builder.BuildExamSet(bank);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s notes|personal|build FOLDER\n", argv[0]);
        return 2;
    }
    Session session;
    session.setDataFolder(QString::fromLocal8Bit(argv[2]));
    const QByteArray mode = argv[1];
    std::puts("ready");
    std::fflush(stdout);
    if (mode == "notes")
        writeNotes(session);
    else if (mode == "personal")
        writePersonalItems(session);
    else if (mode == "build")
        buildExams(session);
    return 2;
}
