// tslbank: compiles the bank source files into the question bank table "tsl4.DAT".
//
//   tslbank [--item-rules-only] --base FOLDER --output FILE SOURCE...
//
// Every broken rule is printed as file:line: message, and then nothing is written.

#include "BankCompiler.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // SVG exhibits are checked by rendering them, which needs the GUI library but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the Tessaly 4 question bank."));
    parser.addHelpOption();
    const QCommandLineOption base(QStringLiteral("base"), QStringLiteral("Folder of exhibits."),
                                  QStringLiteral("folder"), QStringLiteral("."));
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("Bank file."),
                                    QStringLiteral("file"));
    const QCommandLineOption itemRulesOnly(QStringLiteral("item-rules-only"),
                                           QStringLiteral("Skip the rules of the whole bank."));
    parser.addOption(base);
    parser.addOption(output);
    parser.addOption(itemRulesOnly);
    parser.addPositionalArgument(QStringLiteral("sources"), QStringLiteral("Bank source files."));
    parser.process(app);

    QTextStream err(stderr);
    if (!parser.isSet(output) || parser.positionalArguments().isEmpty()) {
        err << parser.helpText();
        return 2;
    }
    BankCompiler::Options options;
    options.sources = parser.positionalArguments();
    options.baseFolder = parser.value(base);
    options.output = parser.value(output);
    options.bankRules = !parser.isSet(itemRulesOnly);
    const QVector<BankIssue> issues = BankCompiler::compile(options);
    for (const BankIssue& issue : issues)
        err << issue.toString() << '\n';
    return issues.isEmpty() ? 0 : 1;
}
