#include "FileLock.h"

#include <QSqlDatabase>
#include <QSqlQuery>

FileLock::FileLock(const QString& path, Kind kind)
{
    static int counter = 0;
    m_connection = QStringLiteral("file-lock-%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    if (db.open()) {
        QSqlQuery query(db);
        m_held = query.exec(kind == Kind::Writes ? QStringLiteral("BEGIN IMMEDIATE")
                                                 : QStringLiteral("BEGIN EXCLUSIVE"));
    }
}

FileLock::~FileLock()
{
    release();
    QSqlDatabase::removeDatabase(m_connection);
}

void FileLock::release()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (m_held)
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    m_held = false;
}
