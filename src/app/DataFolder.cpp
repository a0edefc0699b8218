#include "DataFolder.h"

#include "TableSchema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

QString DataFolder::shippedBank(const QString& programFolder)
{
    const QDir program(programFolder);
    for (const QString& candidate :
         {program.filePath(Schemas::BankFile),
          program.filePath(QStringLiteral("../share/tessaly4/") + Schemas::BankFile)}) {
        if (QFile::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

bool DataFolder::folderTakesFiles(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tessaly-probe-XXXXXX")));
    return probe.open();
}

QString DataFolder::resolve(const QString& programFolder, const QString& userDataFolder,
                            const std::function<bool(const QString&)>& canWrite)
{
    const auto writable = canWrite ? canWrite : folderTakesFiles;
    const QDir program(programFolder);
    if (program.exists(Schemas::BankFile) && writable(programFolder))
        return program.absolutePath();

    QDir user(userDataFolder);
    user.mkpath(QStringLiteral("."));
    const QString bank = user.filePath(Schemas::BankFile);
    const QString shipped = shippedBank(programFolder);
    if (!QFile::exists(bank) && !shipped.isEmpty() && QFile::copy(shipped, bank)) {
        // The shipped file may be read-only; the candidate's copy takes notes.
        QFile::setPermissions(bank, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
    }
    return user.absolutePath();
}
