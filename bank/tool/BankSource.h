#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// One question as written in a bank source file.
struct BankItem {
    QString file;
    int line = 0; // where the item's question starts
    int exam = -1;
    int section = 0; // 0: not given
    bool multiple = false;
    QString title;
    QString question;
    QStringList choices;
    QVector<bool> keys;
    QString explanation;
    bool hasExplanation = false;
    QString sim;
    QString exhibit1; // as written, relative to the bank folder
    QString exhibit2;
    int exhibit1Line = 0;
    int exhibit2Line = 0;
    QByteArray pict1; // filled by the compiler
    QByteArray pict2;
};

// A rule broken by the source, with the place that breaks it.
struct BankIssue {
    QString file;
    int line = 0; // 0: the file or the bank as a whole
    QString message;

    QString toString() const;
};

namespace BankSource {

// Reads one source file's text. Syntax errors are added to `issues`; the items that could be
// read are returned.
QVector<BankItem> parse(const QString& fileName, const QString& text, QVector<BankIssue>& issues);

// The rules every single item keeps.
void checkItem(const BankItem& item, QVector<BankIssue>& issues);

// The rules of the shipped bank as a whole: every exam 1 to 6 with at least 30 items covering
// all seven sections, a quarter of the items multiple response, at least eight exhibits.
void checkBank(const QVector<BankItem>& items, QVector<BankIssue>& issues);

} // namespace BankSource
