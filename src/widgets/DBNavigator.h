#pragma once

#include <QWidget>

class DataSource;
class QToolButton;

// First, Prior, Next and Last buttons that move a data source's table. A button is enabled
// only where its move goes somewhere: not before the first record or past the last, and not
// while a new record is pending (it has no place in the table yet).
class DBNavigator : public QWidget {
    Q_OBJECT

public:
    enum class Button { First, Prior, Next, Last };

    explicit DBNavigator(QWidget* parent = nullptr);
    void bind(DataSource* source);

    QToolButton* button(Button which) const;

private:
    void refresh();
    void move(Button which);

    DataSource* m_source = nullptr;
    QToolButton* m_buttons[4] = {};
};
