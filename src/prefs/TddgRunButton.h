#pragma once

#include <QToolButton>

// A picture button that starts a program: its CommandLine names the program file, and its
// picture is that program's icon.
class TddgRunButton : public QToolButton {
    Q_OBJECT

public:
    explicit TddgRunButton(QWidget* parent = nullptr);

    QString CommandLine() const { return m_commandLine; }
    // Checks the path and keeps it; a rejected path is reported in an error box and leaves
    // the button as it was. Returns whether the path was kept.
    bool setCommandLine(const QString& path);

    // Why a path cannot be a program, or an empty text when it can.
    static QString rejection(const QString& path);

    // Starts the program on its own, without arguments; a failure is reported.
    void run();

private:
    QString m_commandLine;
};
