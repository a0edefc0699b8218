#pragma once

#include <QDialog>

class QLabel;
class QScrollArea;

// Shows an item's exhibit at its natural size, scrollable; Esc closes it. Data that is not a
// readable image shows a message instead.
class ExhibitWindow : public QDialog {
    Q_OBJECT

public:
    explicit ExhibitWindow(QWidget* parent = nullptr);

    // Fills the window; returns whether the data was an image.
    bool setExhibit(const QString& title, const QByteArray& data);

private:
    QScrollArea* m_scrollArea;
    QLabel* m_picture;
};
