#include "ReviewGridDelegate.h"

#include <QListView>
#include <QPainter>

ReviewGridDelegate::ReviewGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QColor ReviewGridDelegate::gridColor()
{
    return QColor(192, 192, 192);
}

QColor ReviewGridDelegate::hoverColor()
{
    return QColor(204, 232, 255);
}

void ReviewGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const bool hovered =
        (option.state & QStyle::State_MouseOver) && !(option.state & QStyle::State_Selected);
    if (hovered)
        painter->fillRect(option.rect, hoverColor());
    QStyleOptionViewItem plain = option;
    plain.state &= ~QStyle::State_MouseOver; // the fill above is the hover look
    QStyledItemDelegate::paint(painter, plain, index);

    // The right and bottom edges of every cell: neighbouring cells share one line.
    painter->save();
    painter->setPen(gridColor());
    const QRect cell = option.rect;
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->restore();
}

QSize ReviewGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    if (const auto* view = qobject_cast<const QListView*>(parent());
        view && view->gridSize().isValid())
        return view->gridSize();
    return QStyledItemDelegate::sizeHint(option, index);
}
