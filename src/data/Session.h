#pragma once

#include <QString>
#include <QStringList>

// The one database session through which every table is opened. It knows the folder that holds
// the table files and keeps the list of passwords that the test window adds. SQLite files are
// not encrypted, so the passwords open nothing; the list is kept because it is part of the
// session's contract.
class Session {
public:
    explicit Session(const QString& name = QStringLiteral("Examora"));

    QString name() const { return m_name; }

    void addPassword(const QString& password);
    QStringList passwords() const { return m_passwords; }

    void setDataFolder(const QString& folder);
    QString dataFolder() const { return m_dataFolder; }

    // The full path of a table file given by its bare name.
    QString filePath(const QString& fileName) const;

private:
    QString m_name;
    QStringList m_passwords;
    QString m_dataFolder;
};
