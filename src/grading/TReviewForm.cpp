#include "TReviewForm.h"

#include "ReviewGridDelegate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* legend(const QList<QPair<ReviewList::Icon, QString>>& parts, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(2);
    for (const auto& part : parts) {
        auto* picture = new QLabel(row);
        picture->setPixmap(ReviewList::icon(part.first).pixmap(16, 16));
        layout->addWidget(picture);
        auto* text = new QLabel(part.second, row);
        text->setTextFormat(Qt::PlainText);
        layout->addWidget(text);
    }
    layout->addStretch(1);
    return row;
}

} // namespace

TReviewForm::TReviewForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ReviewForm"));
    setWindowTitle(QStringLiteral("Items Review"));
    setFixedSize(442, 372);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_examLegend = legend({{ReviewList::Incomplete, QStringLiteral(" - incomplete   ")},
                           {ReviewList::Complete, QStringLiteral(" - complete   ")},
                           {ReviewList::MarkedIcon, QStringLiteral(" - marked   ")}},
                          this);
    m_examLegend->setObjectName(QStringLiteral("ExamLegend"));
    m_reviewLegend = legend({{ReviewList::Incorrect, QStringLiteral(" - incorrect item   ")},
                             {ReviewList::Complete, QStringLiteral(" - correct item   ")}},
                            this);
    m_reviewLegend->setObjectName(QStringLiteral("ReviewLegend"));
    layout->addWidget(m_examLegend);
    layout->addWidget(m_reviewLegend);

    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setMouseTracking(true); // the entry under the mouse is highlighted
    ListView1->viewport()->setAttribute(Qt::WA_Hover);
    ListView1->setItemDelegate(new ReviewGridDelegate(ListView1));
    ListView1->setGridSize(QSize(84, 22));
    ListView1->setUniformItemSizes(true);
    layout->addWidget(ListView1, 1);

    auto* buttons = new QHBoxLayout;
    BitBtn2 = new QPushButton(QStringLiteral("&Go to the selected question"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setEnabled(false);
    BitBtn1 = new QPushButton(QStringLiteral("&Return"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    buttons->addWidget(BitBtn2, 2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons);

    connect(ListView1, &QListWidget::itemSelectionChanged, this, &TReviewForm::ListView1SelectItem);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &TReviewForm::ListView1DblClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TReviewForm::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TReviewForm::fill(const QVector<ReviewList::Entry>& entries, bool afterGrading)
{
    ListView1->clear();
    for (const ReviewList::Entry& entry : entries)
        new QListWidgetItem(ReviewList::icon(entry.icon), entry.caption, ListView1);
    m_examLegend->setVisible(!afterGrading);
    m_reviewLegend->setVisible(afterGrading);
    BitBtn2->setEnabled(false);
}

void TReviewForm::ListView1SelectItem()
{
    BitBtn2->setEnabled(!ListView1->selectedItems().isEmpty());
}

void TReviewForm::goToSelected()
{
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return; // nothing chosen: the exam stays where it is
    emit goToItemRequested(ListView1->row(selected.first()) + 1);
    accept();
}

void TReviewForm::BitBtn2Click()
{
    goToSelected();
}

void TReviewForm::ListView1DblClick()
{
    goToSelected();
}

void TReviewForm::FormClose()
{
    BitBtn2->setEnabled(false);
}

void TReviewForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}
