// Times the build of an All Questions exam from generated banks of 1,000, 10,000 and 100,000
// items, next to the same copy done with the plain SQLite C API in one transaction (the lower
// bound: one keyed read and one insert per item, in the same random order). Then the time a
// candidate waits: from OK in the start dialog of All Questions to item 1 drawn in the test
// window, for the shipped bank and for a bank of 10,000 items.

#include "ExamSetBuilder.h"
#include "FieldNames.h"
#include "FixtureBank.h"
#include "Program.h"
#include "Session.h"
#include "TNameForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int Runs = 3;

void check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

double buildWithTables(Session& session)
{
    Table bank(session, Schemas::bank());
    Table currentSet(session, Schemas::currentExam());
    bank.setFilter(QStringLiteral("Q_EXAM_N<>0"));
    bank.setFiltered(true);
    ItemStates states;
    QElapsedTimer clock;
    clock.start();
    bank.open();
    ExamSetBuilder builder(currentSet);
    builder.BuildExamSet(bank);
    ExamSetBuilder::InitItemStates(currentSet, states);
    currentSet.first();
    return clock.nsecsElapsed() / 1e6;
}

double buildWithSqlite(const QString& folder, int count)
{
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        order[std::size_t(i)] = i + 1;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));

    QElapsedTimer clock;
    clock.start();
    sqlite3* db = nullptr;
    check(sqlite3_open(QFile::encodeName(folder + QStringLiteral("/ces.DAT")).constData(), &db), db,
          "open");
    const QByteArray attach =
        "ATTACH DATABASE '" + QFile::encodeName(folder + QStringLiteral("/tsl4.DAT")) + "' AS bank";
    check(sqlite3_exec(db, attach.constData(), nullptr, nullptr, nullptr), db, "attach");
    check(sqlite3_exec(db, "BEGIN; DELETE FROM ces", nullptr, nullptr, nullptr), db, "empty");
    sqlite3_stmt* select = nullptr;
    sqlite3_stmt* insert = nullptr;
    const char* columns = "Q_EXAM_N,Q_SECT,Q_TEXT,Q_EXPL,Q_TYPE,Q1,Q2,Q3,Q4,Q5,Q6,Q_SIM,"
                          "A1,A2,A3,A4,A5,A6,PICT1,PICT2,Q_ID,U_MEMO";
    check(sqlite3_prepare_v2(
              db, (std::string("SELECT ") + columns + " FROM bank.tsl4 WHERE Q_ID=?").c_str(), -1,
              &select, nullptr),
          db, "select");
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO ces (Q_EXAM_N,Q_SECT,Q_TEXT,Q_EXPL,Q_TYPE,Q1,Q2,Q3,Q4,"
                             "Q5,Q6,Q_SIM,A1,A2,A3,A4,A5,A6,PICT1,PICT2,Q_OR_NUMBER,U_MEMO) VALUES "
                             "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                             -1, &insert, nullptr),
          db, "insert");
    for (int id : order) {
        sqlite3_bind_int(select, 1, id);
        check(sqlite3_step(select), db, "read");
        for (int c = 0; c < 22; ++c)
            sqlite3_bind_value(insert, c + 1, sqlite3_column_value(select, c));
        check(sqlite3_step(insert), db, "write");
        sqlite3_reset(insert);
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
    return clock.nsecsElapsed() / 1e6;
}

// One start of All Questions through the real windows: milliseconds from the click on OK
// until the test window has painted item 1.
double okToFirstItem(const QString& folder)
{
    Program program(folder);
    TTestForm* form = program.TestForm;
    form->showMaximized();
    if (!QTest::qWaitForWindowExposed(form))
        std::exit(4);
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TNameForm*>(QApplication::activeModalWidget());
        if (!dialog)
            std::exit(2);
        clock.start();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
    });
    form->findChild<QAction*>(QStringLiteral("AllQAct"))->trigger();
    form->repaint(); // item 1, drawn
    const double elapsed = clock.nsecsElapsed() / 1e6;
    if (form->dtCurrentSet->recNo() != 1)
        std::exit(3);
    form->CloseCurrentExam();
    return elapsed;
}

void timeTheWait(QTextStream& out)
{
    out << "\nOK in the start dialog to item 1 on screen (All Questions, best of " << Runs << ")\n";
    struct Bank {
        QString name;
        std::function<void(const QString&)> write;
    };
    const QList<Bank> banks = {
        {QStringLiteral("shipped bank"),
         [](const QString& file) {
             QFile::copy(QStringLiteral(TESSALY_SHIPPED_BANK), file);
         }},
        {QStringLiteral("10,000 items"),
         [](const QString& file) {
             FixtureBank::writeBank(file, FixtureBank::generate(10000));
         }},
    };
    for (const Bank& bank : banks) {
        QTemporaryDir dir;
        bank.write(dir.filePath(Schemas::BankFile));
        double best = 1e300;
        for (int run = 0; run < Runs; ++run)
            best = std::min(best, okToFirstItem(dir.path()));
        out << qSetFieldWidth(14) << bank.name << qSetFieldWidth(0) << "  "
            << QString::number(best, 'f', 1) << " ms\n";
        out.flush();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareTestEnvironment();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    out << "All Questions build (best of " << Runs << " runs)\n";
    out << qSetFieldWidth(10) << "items"
        << "ours ms"
        << "bound ms"
        << "ratio"
        << "ours/item" << qSetFieldWidth(0) << '\n';
    // Sizes may be given on the command line, for profiling one of them.
    QList<int> sizes = {1000, 10000, 100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.append(QString::fromLocal8Bit(argv[i]).toInt());
    }
    for (int count : sizes) {
        QTemporaryDir dir;
        FixtureBank::writeBank(dir.filePath(Schemas::BankFile), FixtureBank::generate(count));
        Session session;
        session.setDataFolder(dir.path());
        {
            Table create(session, Schemas::currentExam());
            create.open(); // creates the empty working table
        }
        double ours = 1e300;
        double bound = 1e300;
        for (int run = 0; run < Runs; ++run) {
            ours = std::min(ours, buildWithTables(session));
            bound = std::min(bound, buildWithSqlite(dir.path(), count));
        }
        out << qSetFieldWidth(10) << count << QString::number(ours, 'f', 1)
            << QString::number(bound, 'f', 1) << QString::number(ours / bound, 'f', 2)
            << QString::number(ours * 1000 / count, 'f', 2) + QStringLiteral("us")
            << qSetFieldWidth(0) << '\n';
        out.flush();
    }
    if (argc == 1)
        timeTheWait(out);
    return 0;
}
