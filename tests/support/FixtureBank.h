#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// One question of a fixture table.
struct FixtureItem {
    int examNumber = 1;
    int section = 1;
    QString text;
    QString explanation;
    bool multiple = false;
    QStringList choices; // up to six; missing ones are empty
    QVector<bool> keys;  // up to six; missing ones are false
    QString sim;
    QByteArray pict1;
    QByteArray pict2;
    QString memo;
};

namespace FixtureBank {

// Writes a question bank file with these items; Q_ID runs 1, 2, 3, ... in their order.
void writeBank(const QString& path, const QVector<FixtureItem>& items);

// Writes a personal question table with these items under the given Q_IDs.
void writePersonal(const QString& path, const QVector<FixtureItem>& items,
                   const QVector<qint64>& ids);

// `count` items spread over the six exams and seven sections, with distinct texts
// "Question <Q_ID>"; items whose Q_ID is a multiple of `outOfExamsEvery` have Q_EXAM_N 0.
QVector<FixtureItem> generate(int count, int outOfExamsEvery = 0);

// Runs one SQL statement on a table file and returns the first column of every row.
QStringList query(const QString& path, const QString& sql);

} // namespace FixtureBank
