#include "DBNavigator.h"

#include "DataSource.h"
#include "ErrorBoundary.h"
#include "Table.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int ButtonWidth = 25;
constexpr int ButtonHeight = 25;

// A triangle pointing left or right, with a bar at its tip for the moves to either end.
QIcon arrowIcon(bool left, bool bar)
{
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor color = mode == QIcon::Normal ? QColor(0, 0, 0) : QColor(160, 160, 160);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        QPainterPath triangle;
        if (left) {
            triangle.moveTo(5, 8);
            triangle.lineTo(11, 3);
            triangle.lineTo(11, 13);
        } else {
            triangle.moveTo(11, 8);
            triangle.lineTo(5, 3);
            triangle.lineTo(5, 13);
        }
        triangle.closeSubpath();
        painter.drawPath(triangle);
        if (bar)
            painter.drawRect(left ? QRectF(3, 3, 2, 10) : QRectF(11, 3, 2, 10));
        painter.end();
        icon.addPixmap(pixmap, mode);
    }
    return icon;
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    struct ButtonLook {
        Button which;
        const char* name;
        const char* tip;
        bool left;
        bool bar;
    };
    const ButtonLook looks[] = {
        {Button::First, "FirstButton", "First record", true, true},
        {Button::Prior, "PriorButton", "Prior record", true, false},
        {Button::Next, "NextButton", "Next record", false, false},
        {Button::Last, "LastButton", "Last record", false, true},
    };
    for (const ButtonLook& look : looks) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(look.name));
        button->setToolTip(QLatin1String(look.tip));
        button->setIcon(arrowIcon(look.left, look.bar));
        button->setFixedSize(ButtonWidth, ButtonHeight);
        button->setEnabled(false);
        const Button which = look.which;
        ErrorBoundary::connect(button, &QToolButton::clicked, this, [this, which] { move(which); });
        layout->addWidget(button);
        m_buttons[int(which)] = button;
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DBNavigator::bind(DataSource* source)
{
    m_source = source;
    ErrorBoundary::connect(source, &DataSource::stateChanged, this, &DBNavigator::refresh);
    ErrorBoundary::connect(source, &DataSource::dataChanged, this,
                           [this](const QString& fieldName) {
                               if (fieldName.isEmpty()) // a field assignment moves nothing
                                   refresh();
                           });
    refresh();
}

QToolButton* DBNavigator::button(Button which) const
{
    return m_buttons[int(which)];
}

void DBNavigator::refresh()
{
    int position = -1;
    int count = 0;
    const Table* table = m_source ? m_source->table() : nullptr;
    if (table && table->isActive() && table->state() != Table::State::Insert) {
        const QVector<qint64> keys = table->keys();
        count = keys.size();
        const QString keyField = table->schema().keyField;
        if (!keys.isEmpty() && !keyField.isEmpty() && table->hasField(keyField)) {
            const qint64 current = table->fieldInt(keyField);
            const auto it = std::lower_bound(keys.cbegin(), keys.cend(), current);
            if (it != keys.cend() && *it == current)
                position = int(it - keys.cbegin());
        }
    }
    const bool back = position > 0;
    const bool forward = position >= 0 && position < count - 1;
    button(Button::First)->setEnabled(back);
    button(Button::Prior)->setEnabled(back);
    button(Button::Next)->setEnabled(forward);
    button(Button::Last)->setEnabled(forward);
}

void DBNavigator::move(Button which)
{
    if (!m_source)
        return;
    Table* table = m_source->table();
    reportErrors(this, [table, which] {
        switch (which) {
        case Button::First:
            table->first();
            break;
        case Button::Prior:
            table->prior();
            break;
        case Button::Next:
            table->next();
            break;
        case Button::Last:
            table->last();
            break;
        }
    });
    refresh(); // a failed move leaves the buttons as the table is
}
