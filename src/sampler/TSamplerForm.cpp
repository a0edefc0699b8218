#include "TSamplerForm.h"

#include "DBItemList.h"
#include "DBNavigator.h"
#include "DataAwareEditors.h"
#include "DataSource.h"
#include "ErrorBoundary.h"
#include "FieldNames.h"
#include "Look.h"
#include "OutlinedLabel.h"
#include "Prompt.h"
#include "SectionTitles.h"
#include "TAboutForm.h"
#include "TDM.h"
#include "Table.h"
#include "ui_TSamplerForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

// The rows of the choices page, in the scroll area's coordinates.
constexpr int ChoiceHintTop = 10;
constexpr int ChoiceHintHeight = 20;
constexpr int FirstChoiceTop = 42;
constexpr int ChoiceStep = 36;
constexpr int ChoiceHeight = 24;
constexpr int KeyBoxLeft = 10;
constexpr int ChoiceLeft = 44;
constexpr int ChoiceRightGap = 10;
constexpr int ChoicesPanelHeight = FirstChoiceTop + 5 * ChoiceStep + ChoiceHeight + 10;

constexpr int SectionRowHeight = 16;

const QColor Aqua(0, 255, 255);

// A picture with a greyed drawing of its own for when its control is disabled.
QIcon withDisabledDrawing(const QString& name)
{
    QIcon icon(QStringLiteral(":/sampler/%1.svg").arg(name));
    icon.addFile(QStringLiteral(":/sampler/%1-disabled.svg").arg(name), QSize(), QIcon::Disabled);
    return icon;
}

} // namespace

TSamplerForm::TSamplerForm(TDM& dm, QWidget* parent)
    : QMainWindow(parent), m_dm(dm), ui(new Ui::TSamplerForm)
{
    ui->setupUi(this);
    m_keyBoxes = {ui->DBCheckBox1, ui->DBCheckBox2, ui->DBCheckBox3,
                  ui->DBCheckBox4, ui->DBCheckBox5, ui->DBCheckBox6};
    m_choiceEdits = {ui->DBEdit2, ui->DBEdit3, ui->DBEdit4, ui->DBEdit5, ui->DBEdit6, ui->DBEdit7};
    connectCommands();
    finishControls();
    bindControls();
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &TSamplerForm::focusEntersPage);
    FormCreate();
}

TSamplerForm::~TSamplerForm()
{
    // Tearing the window down moves the focus; the handler must not see a half-destroyed form.
    disconnect(m_focusWatch);
    delete ui;
}

QString TSamplerForm::singleResponseText()
{
    return QStringLiteral("Single responce");
}

QString TSamplerForm::multipleResponseText()
{
    return QStringLiteral("Multiple responces");
}

void TSamplerForm::connectCommands()
{
    ErrorBoundary::connect(ui->AddAct, &QAction::triggered, this, &TSamplerForm::AddActExecute);
    ErrorBoundary::connect(ui->EditAct, &QAction::triggered, this, &TSamplerForm::EditActExecute);
    ErrorBoundary::connect(ui->DelAct, &QAction::triggered, this, &TSamplerForm::DelActExecute);
    ErrorBoundary::connect(ui->Exit1, &QAction::triggered, this, &TSamplerForm::Exit1Click);
    ErrorBoundary::connect(ui->Emptyquestionset1, &QAction::triggered, this,
                           &TSamplerForm::Emptyquestionset1Click);
    ErrorBoundary::connect(ui->About1, &QAction::triggered, this, &TSamplerForm::About1Click);

    // The toolbar makes its buttons itself; they get their names and size here.
    ui->ToolBar1->toggleViewAction()->setVisible(false);
    for (QAction* action : {ui->AddAct, ui->EditAct, ui->DelAct}) {
        auto* button = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(action));
        button->setObjectName(action->objectName() + QStringLiteral("Button"));
        button->setAutoRaise(true);
        button->setFixedSize(96, 39);
    }
}

void TSamplerForm::finishControls()
{
    ui->fcLabel4->setFont(Look::pixelFont(QStringLiteral("Verdana"), 16, true));
    ui->fcLabel4->setTextColor(Aqua);
    ui->fcLabel4->setShadow(1, Qt::black);
    ui->fcLabel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ui->fcDBTreeView1->setNodeIcon(withDisabledDrawing(QStringLiteral("item")));
    ui->fcDBTreeView1->addActions({ui->AddAct, ui->EditAct, ui->DelAct});

    // Save compares the selector's text with these entries, so they are written in one place.
    // Typed text never becomes an entry: an unknown type leaves the item's type as it is.
    ui->ComboBox1->addItems({singleResponseText(), multipleResponseText()});

    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ui->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    // The item list opens at its drawn width; the pages take the rest of the window.
    ui->Splitter1->setSizes({125, width() - 125 - ui->Splitter1->handleWidth()});

    // The status bar lays out only the widgets added to it.
    for (QLabel* panel : {ui->StatusPanel1, ui->StatusPanel2, ui->StatusPanel3, ui->StatusPanel4})
        statusBar()->addWidget(panel);

    // The marks keep their place; the texts and the hint follow the page's width (see
    // PageControl1Resize).
    for (int k = 0; k < 6; ++k) {
        const int top = FirstChoiceTop + k * ChoiceStep;
        DBCheckBox* box = m_keyBoxes[k];
        const int boxHeight = box->sizeHint().height();
        box->setGeometry(KeyBoxLeft, top + (ChoiceHeight - boxHeight) / 2,
                         ChoiceLeft - KeyBoxLeft - 2, boxHeight);
        m_choiceEdits[k]->setGeometry(ChoiceLeft, top, 200, ChoiceHeight);
    }
    ui->ChoicesPanel->resize(ui->ScrollBox1->viewport()->width(), ChoicesPanelHeight);

    ui->PageControl1->installEventFilter(this);
    ui->ScrollBox1->viewport()->installEventFilter(this);
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->ComboBox1), static_cast<QWidget*>(ui->ComboBox1->lineEdit()),
          static_cast<QWidget*>(ui->ListBox1)})
        widget->installEventFilter(this);
}

void TSamplerForm::bindControls()
{
    // Controls that follow the table hear of its changes before the window does, in the order
    // of the pages.
    DataSource* source = m_dm.dsUserSet;
    ui->fcDBTreeView1->bind(source);
    ui->DBMemo1->bind(source, Field::QText);
    for (int k = 0; k < 6; ++k) {
        m_keyBoxes[k]->bind(source, Field::key(k + 1));
        m_choiceEdits[k]->bind(source, Field::choice(k + 1));
    }
    ui->DBMemo2->bind(source, Field::QExpl);
    ui->DBNavigator1->bind(source);

    // The candidate's own changes only: the selectors also follow the table while browsing.
    ErrorBoundary::connect(ui->ComboBox1, &QComboBox::activated, this, [this] {
        if (!m_showingRecord)
            ComboBox1Change();
    });
    ErrorBoundary::connect(ui->ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (!m_showingRecord)
            ComboBox1Change();
    });
    // A selection the candidate makes, by mouse or keys, is a click on the list. The list
    // also gets a current row when the focus enters it; that selects nothing and starts
    // nothing.
    ErrorBoundary::connect(ui->ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_showingRecord && !ui->ListBox1->selectedItems().isEmpty())
            ListBox1Click();
    });
    ErrorBoundary::connect(ui->ListBox1, &QListWidget::itemClicked, this, [this] {
        if (!m_showingRecord)
            ListBox1Click();
    });
    ErrorBoundary::connect(ui->BitBtn1, &QPushButton::clicked, this, &TSamplerForm::BitBtn1Click);
    ErrorBoundary::connect(ui->BitBtn2, &QPushButton::clicked, this, &TSamplerForm::BitBtn2Click);

    ErrorBoundary::connect(source, &DataSource::stateChanged, this,
                           &TSamplerForm::dsUserSetStateChange);
    ErrorBoundary::connect(source, &DataSource::dataChanged, this,
                           &TSamplerForm::dsUserSetDataChange);
}

void TSamplerForm::FormCreate()
{
    m_showingRecord = true;
    ui->ComboBox1->setCurrentIndex(0);
    ui->ListBox1->setCurrentRow(0); // the list is still empty: nothing to select yet
    m_showingRecord = false;
}

void TSamplerForm::FillSectionList()
{
    // Commands left disabled by an Add or Edit that was never finished come back: the data
    // rule run by the opening disables Edit and Delete again on an empty set.
    EnableActions(true);
    m_showingRecord = true;
    ui->ListBox1->clear();
    for (const QString& title : SectionTitles::all()) {
        auto* item = new QListWidgetItem(title, ui->ListBox1);
        item->setSizeHint(QSize(0, SectionRowHeight));
    }
    m_showingRecord = false;
}

void TSamplerForm::ShowFirstPage()
{
    ui->PageControl1->setCurrentWidget(ui->TabSheet1);
}

void TSamplerForm::EnableActions(bool Value)
{
    ui->AddAct->setEnabled(Value);
    ui->EditAct->setEnabled(Value);
    ui->DelAct->setEnabled(Value);
    m_moveControlsEnabled = Value;
    updateMoveControls();
}

void TSamplerForm::updateMoveControls()
{
    const bool inserting = m_dm.dtUserSet->state() == Table::State::Insert;
    ui->fcDBTreeView1->setEnabled(m_moveControlsEnabled && !inserting);
    ui->DBNavigator1->setEnabled(m_moveControlsEnabled && !inserting);
}

void TSamplerForm::recoverActions()
{
    EnableActions(true);
    const Table* table = m_dm.dtUserSet;
    if (!table->isActive() || table->isEmpty()) {
        ui->EditAct->setEnabled(false);
        ui->DelAct->setEnabled(false);
    }
}

void TSamplerForm::dsUserSetStateChange()
{
    const Table::State state = m_dm.dtUserSet->state();
    switch (state) {
    case Table::State::Browse:
        ui->BitBtn1->setEnabled(false);
        ui->BitBtn2->setEnabled(false);
        ui->StatusPanel3->setText(QStringLiteral("  Browsing"));
        break;
    case Table::State::Edit:
        ui->StatusPanel3->setText(QStringLiteral(" Edit Item"));
        ui->fcLabel4->setText(QStringLiteral("Edit Item"));
        break;
    case Table::State::Insert:
        ui->fcLabel4->setText(QStringLiteral("Add new item"));
        ui->StatusPanel3->setText(QStringLiteral(" Add new item"));
        break;
    case Table::State::Inactive:
        break;
    }
    if (state == Table::State::Edit || state == Table::State::Insert) {
        ui->BitBtn1->setEnabled(true);
        ui->BitBtn2->setEnabled(true);
        ui->StatusPanel4->setText(QStringLiteral(" Modified"));
    }
    updateMoveControls();
}

void TSamplerForm::dsUserSetDataChange(const QString& fieldName)
{
    Q_UNUSED(fieldName)
    Table* table = m_dm.dtUserSet;
    if (!table->isActive())
        return;
    reportErrors(this, [this, table] {
        if (table->state() == Table::State::Browse) {
            const qint64 id = table->fieldInt(Field::QId);
            ui->fcLabel4->setText(QStringLiteral("Item ID: %1").arg(id));
            ui->StatusPanel1->setText(QStringLiteral(" Item ID: %1").arg(id));
            ui->StatusPanel2->setText(QStringLiteral(" Items: %1").arg(table->recordCount()));
            showSection(int(table->fieldInt(Field::QSect)));
            m_showingRecord = true;
            const int type = table->fieldBool(Field::QType) ? 1 : 0;
            ui->ComboBox1->setCurrentIndex(type);
            ui->ComboBox1->setEditText(ui->ComboBox1->itemText(type));
            m_showingRecord = false;
        }
        if (table->isEmpty()) {
            ui->EditAct->setEnabled(false);
            ui->DelAct->setEnabled(false);
            // A new item on an empty set keeps the header of its state: "Add new item".
            if (table->state() != Table::State::Insert) {
                ui->fcLabel4->setText(QStringLiteral("The question set is empty"));
                ui->StatusPanel1->setText(QStringLiteral(" Empty"));
            }
        }
    });
}

int TSamplerForm::selectedSection() const
{
    const QListWidgetItem* item = ui->ListBox1->currentItem();
    if (!item || !item->isSelected())
        return 0;
    return ui->ListBox1->row(item) + 1;
}

void TSamplerForm::showSection(int section)
{
    m_showingRecord = true;
    if (section >= 1 && section <= ui->ListBox1->count()) {
        ui->ListBox1->setCurrentRow(section - 1);
    } else {
        ui->ListBox1->setCurrentRow(-1);
        ui->ListBox1->clearSelection();
    }
    m_showingRecord = false;
}

void TSamplerForm::AddActExecute()
{
    ui->PageControl1->setCurrentWidget(ui->TabSheet1);
    ui->DBMemo1->setFocus();
    EnableActions(false);
    Table* table = m_dm.dtUserSet;
    // An item already being written (typing on an empty set starts one) stays as it is until
    // Save or Cancel: starting another would store it unsaved, and perhaps without a section.
    if (table->state() == Table::State::Edit || table->state() == Table::State::Insert)
        return;
    if (!reportErrors(this, [table] { table->append(); }))
        recoverActions();
}

void TSamplerForm::EditActExecute()
{
    EnableActions(false);
    Table* table = m_dm.dtUserSet;
    if (!reportErrors(this, [table] { table->edit(); }))
        recoverActions();
}

void TSamplerForm::DelActExecute()
{
    if (Prompt::ask(this, Prompt::Kind::Confirmation,
                    QStringLiteral("Are you sure to delete this item?"),
                    QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    Table* table = m_dm.dtUserSet;
    reportErrors(this, [table] { table->remove(); });
}

void TSamplerForm::Emptyquestionset1Click()
{
    if (Prompt::ask(this, Prompt::Kind::Warning,
                    QStringLiteral("This action will erase all items in this question set!\n"
                                   "Are you sure?"),
                    QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    Table* table = m_dm.dtUserSet;
    reportErrors(this, [this, table] {
        table->close();
        table->setExclusive(true);
        table->open();
        // Commands pending from an unfinished Add or Edit come back; emptying then disables
        // Edit and Delete.
        EnableActions(true);
        table->emptyTable();
    });
}

void TSamplerForm::BitBtn1Click()
{
    Table* table = m_dm.dtUserSet;
    if (table->state() != Table::State::Edit && table->state() != Table::State::Insert)
        return;
    // Every item belongs to a section; a new item on an empty set has none until one is picked.
    const int section = selectedSection();
    if (section == 0) {
        Prompt::ask(this, Prompt::Kind::Warning,
                    QStringLiteral("Select the section of this item on the page \"Type, "
                                   "Section\" before saving."),
                    QMessageBox::Ok);
        ui->PageControl1->setCurrentWidget(ui->TabSheet2);
        ui->ListBox1->setFocus();
        return;
    }
    reportErrors(this, [this, table, section] {
        const QString type = ui->ComboBox1->currentText();
        if (type == singleResponseText())
            table->setField(Field::QType, false);
        else if (type == multipleResponseText())
            table->setField(Field::QType, true);
        table->setField(Field::QSect, section);
        table->post();
        ui->StatusPanel4->setText(QStringLiteral(" Saved"));
        EnableActions(true);
    });
}

void TSamplerForm::BitBtn2Click()
{
    EnableActions(true);
    Table* table = m_dm.dtUserSet;
    reportErrors(this, [table] { table->cancel(); });
    ui->StatusPanel4->clear();
}

void TSamplerForm::Exit1Click()
{
    close();
}

void TSamplerForm::About1Click()
{
    if (m_about)
        m_about->exec();
}

void TSamplerForm::ComboBox1Change()
{
    Table* table = m_dm.dtUserSet;
    if (table->state() == Table::State::Browse)
        reportErrors(this, [table] { table->edit(); });
}

void TSamplerForm::ListBox1Click()
{
    Table* table = m_dm.dtUserSet;
    if (table->state() == Table::State::Browse)
        reportErrors(this, [table] { table->edit(); });
}

void TSamplerForm::TabSheet2Enter()
{
    ui->ListBox1->setFocus(Qt::OtherFocusReason);
}

void TSamplerForm::focusEntersPage(QWidget* old, QWidget* now)
{
    if (!now || !ui->TabSheet2->isAncestorOf(now) || (old && ui->TabSheet2->isAncestorOf(old)))
        return;
    // A control clicked by the candidate keeps the focus; the page's entry point is for the
    // keyboard and for page changes.
    if (m_lastFocusReason == Qt::MouseFocusReason || now == ui->ListBox1)
        return;
    TabSheet2Enter();
}

void TSamplerForm::PageControl1Resize()
{
    // The visible width: with no frame it is the scroll area's width, less a vertical scroll
    // bar when one shows, so an editor never ends under the bar.
    const int width = ui->ScrollBox1->viewport()->width();
    ui->ChoicesPanel->resize(width, ChoicesPanelHeight);
    ui->Label4->setGeometry(0, ChoiceHintTop, width, ChoiceHintHeight);
    for (int k = 0; k < 6; ++k) {
        DBEdit* edit = m_choiceEdits[k];
        edit->setGeometry(ChoiceLeft, FirstChoiceTop + k * ChoiceStep,
                          qMax(0, width - ChoiceLeft - ChoiceRightGap), ChoiceHeight);
    }
}

bool TSamplerForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize &&
        (watched == ui->PageControl1 || watched == ui->ScrollBox1->viewport())) {
        // A hidden page is not resized with the page control; its scroll area catches up
        // when the page shows.
        PageControl1Resize();
    } else if (event->type() == QEvent::FocusIn) {
        m_lastFocusReason = static_cast<QFocusEvent*>(event)->reason();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TSamplerForm::keyPressEvent(QKeyEvent* event)
{
    // Save is the window's default button and Cancel its cancel button; keys that an editor
    // keeps for itself (Enter in a memo) never arrive here.
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter) && ui->BitBtn1->isEnabled()) {
        ui->BitBtn1->click();
        return;
    }
    if (plain && key == Qt::Key_Escape && ui->BitBtn2->isEnabled()) {
        ui->BitBtn2->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TSamplerForm::FormCloseQuery()
{
    return Prompt::ask(this, Prompt::Kind::Confirmation, QStringLiteral("Are you sure to exit?"),
                       QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TSamplerForm::FormClose()
{
    emit formClosed();
    // Closing drops a pending Add or Edit: nothing is stored without Save.
    Table* table = m_dm.dtUserSet;
    reportErrors(this, [table] { table->close(); });
}

void TSamplerForm::closeEvent(QCloseEvent* event)
{
    if (!isVisible()) { // nothing to ask about in a window that is not shown
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}
