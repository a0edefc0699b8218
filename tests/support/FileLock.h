#pragma once

#include <QString>

// Another program holding a table file: a second SQLite connection that keeps a lock until it
// is destroyed. Works for the superuser too, whom file modes do not bind.
class FileLock {
public:
    enum class Kind {
        Writes,    // others may read, not write (a reserved lock: BEGIN IMMEDIATE)
        Everything // others may neither read nor write (BEGIN EXCLUSIVE)
    };

    FileLock(const QString& path, Kind kind);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return m_held; }
    void release();

private:
    QString m_connection;
    bool m_held = false;
};
