#include "TReviewForm.h"

#include "ui_TReviewForm.h"

#include "ReviewGridDelegate.h"

TReviewForm::TReviewForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(new Ui::TReviewForm)
{
    ui->setupUi(this);
    // The legends show the list's own icons, which come from the program's resources.
    const QPair<QLabel*, ReviewList::Icon> pictures[] = {
        {ui->ExamIncompleteIcon, ReviewList::Incomplete},
        {ui->ExamCompleteIcon, ReviewList::Complete},
        {ui->ExamMarkedIcon, ReviewList::MarkedIcon},
        {ui->ReviewIncorrectIcon, ReviewList::Incorrect},
        {ui->ReviewCorrectIcon, ReviewList::Complete},
    };
    for (const auto& picture : pictures)
        picture.first->setPixmap(ReviewList::icon(picture.second).pixmap(16, 16));

    // The entry under the mouse is highlighted.
    ui->ListView1->viewport()->setAttribute(Qt::WA_Hover);
    ui->ListView1->setItemDelegate(new ReviewGridDelegate(ui->ListView1));

    connect(ui->ListView1, &QListWidget::itemSelectionChanged, this,
            &TReviewForm::ListView1SelectItem);
    connect(ui->ListView1, &QListWidget::itemDoubleClicked, this, &TReviewForm::ListView1DblClick);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TReviewForm::BitBtn2Click);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

TReviewForm::~TReviewForm()
{
    delete ui;
}

void TReviewForm::fill(const QVector<ReviewList::Entry>& entries, bool afterGrading)
{
    ui->ListView1->clear();
    for (const ReviewList::Entry& entry : entries)
        new QListWidgetItem(ReviewList::icon(entry.icon), entry.caption, ui->ListView1);
    ui->ExamLegend->setVisible(!afterGrading);
    ui->ReviewLegend->setVisible(afterGrading);
    ui->BitBtn2->setEnabled(false);
}

void TReviewForm::ListView1SelectItem()
{
    ui->BitBtn2->setEnabled(!ui->ListView1->selectedItems().isEmpty());
}

void TReviewForm::goToSelected()
{
    const QList<QListWidgetItem*> selected = ui->ListView1->selectedItems();
    if (selected.isEmpty())
        return; // nothing chosen: the exam stays where it is
    emit goToItemRequested(ui->ListView1->row(selected.first()) + 1);
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
    ui->BitBtn2->setEnabled(false);
}

void TReviewForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}
