#pragma once

#include <QObject>

class QWidget;

// Gives a window's visible buttons the first claim on their Alt+letter keys, before the menu
// bar: "&F" on a button and "&File" on the menu would otherwise cancel each other out, and the
// key would only move the focus. A key that no visible button claims still opens its menu.
class MnemonicPriority : public QObject {
    Q_OBJECT

public:
    explicit MnemonicPriority(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
