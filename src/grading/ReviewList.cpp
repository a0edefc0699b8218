#include "ReviewList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QVector<ReviewList::Entry> ReviewList::entries(const ItemStates& states, bool afterGrading)
{
    QVector<Entry> list;
    list.reserve(int(states.size()));
    int number = 0;
    for (const ItemState& state : states) {
        QString caption = QString::number(++number) + QStringLiteral("  ");
        for (int i = 0; i < 6; ++i) {
            if (state.Selected[std::size_t(i)])
                caption += QChar('A' + i);
        }
        Icon icon;
        if (afterGrading)
            icon = state.Correct == 1 ? Complete : Incorrect;
        else if (state.Marked == 1)
            icon = MarkedIcon;
        else
            icon = state.anySelected() ? Complete : Incomplete;
        list.append({caption, icon});
    }
    return list;
}

QIcon ReviewList::icon(Icon which)
{
    QIcon result;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.scale(scale, scale);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRectF(3, 3, 13, 13), QColor(150, 150, 150)); // shadow
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(0.5, 0.5, 13, 13));
        const QColor red(220, 0, 0);
        switch (which) {
        case Incomplete:
            painter.setPen(Qt::NoPen);
            painter.setBrush(red);
            painter.drawRect(QRectF(6, 3, 2, 6));
            painter.drawRect(QRectF(6, 10, 2, 2));
            break;
        case Complete: {
            painter.setPen(QPen(QColor(0, 0, 230), 2, Qt::SolidLine, Qt::RoundCap));
            QPainterPath tick;
            tick.moveTo(3.5, 7.5);
            tick.lineTo(6, 10.5);
            tick.lineTo(11, 3.5);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(tick);
            break;
        }
        case MarkedIcon: {
            painter.setPen(QPen(red, 1.6));
            QPainterPath m;
            m.moveTo(3.5, 11);
            m.lineTo(3.5, 3.5);
            m.lineTo(7, 8);
            m.lineTo(10.5, 3.5);
            m.lineTo(10.5, 11);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(m);
            break;
        }
        case Incorrect:
            painter.setPen(QPen(red, 2, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(4, 4), QPointF(10, 10));
            painter.drawLine(QPointF(10, 4), QPointF(4, 10));
            break;
        }
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        result.addPixmap(pixmap);
    }
    return result;
}
