#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws the entries of the items review in cells with grid lines between them, and lights up
// the entry under the mouse, so the candidate sees which item a click will pick.
class ReviewGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ReviewGridDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // An entry fills its whole grid cell, so that the lines of neighbouring cells meet.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QColor gridColor();
    static QColor hoverColor();
};
