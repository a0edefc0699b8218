#include "Session.h"

#include <QDir>

Session::Session(const QString& name) : m_name(name), m_dataFolder(QDir::currentPath()) {}

void Session::addPassword(const QString& password)
{
    if (!m_passwords.contains(password))
        m_passwords.append(password);
}

void Session::setDataFolder(const QString& folder)
{
    m_dataFolder = QDir(folder).absolutePath();
}

QString Session::filePath(const QString& fileName) const
{
    return QDir(m_dataFolder).filePath(fileName);
}
