#pragma once

#include "BankSource.h"

#include <QStringList>

// Compiles bank source files into a question bank table file.
namespace BankCompiler {

struct Options {
    QStringList sources;   // in the order their items are numbered
    QString baseFolder;    // exhibit paths are relative to it
    QString output;        // the bank file to write
    bool bankRules = true; // also check the rules of the shipped bank as a whole
};

// Reads, checks and writes. On any issue nothing is written and the issues are returned;
// the output file is replaced only by a complete new bank.
QVector<BankIssue> compile(const Options& options);

// Reads and checks, writes nothing. The items come back with their exhibit bytes.
QVector<BankItem> read(const Options& options, QVector<BankIssue>& issues);

} // namespace BankCompiler
