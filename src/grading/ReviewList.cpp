#include "ReviewList.h"

#include "Look.h"

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
    QString name;
    switch (which) {
    case Incomplete:
        name = QStringLiteral("incomplete");
        break;
    case Complete:
        name = QStringLiteral("complete");
        break;
    case MarkedIcon:
        name = QStringLiteral("marked");
        break;
    case Incorrect:
        name = QStringLiteral("incorrect");
        break;
    }
    return Look::svgIcon(QStringLiteral(":/tessaly/review/%1.svg").arg(name), QSize(16, 16));
}
