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
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

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

constexpr int PageBorder = 20;
constexpr int SectionRowHeight = 16;

const QColor HeaderGray(128, 128, 128);
const QColor Aqua(0, 255, 255);

// A command's picture, with a greyed drawing of its own for when the command is unavailable.
QIcon commandIcon(const QString& name)
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
    connectCommands();
    buildCentralArea();
    // The status bar lays out only the widgets added to it.
    for (QLabel* panel : {ui->StatusPanel1, ui->StatusPanel2, ui->StatusPanel3, ui->StatusPanel4})
        statusBar()->addWidget(panel);

    ErrorBoundary::connect(m_dm.dsUserSet, &DataSource::stateChanged, this,
                           &TSamplerForm::dsUserSetStateChange);
    ErrorBoundary::connect(m_dm.dsUserSet, &DataSource::dataChanged, this,
                           &TSamplerForm::dsUserSetDataChange);
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

void TSamplerForm::buildCentralArea()
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);

    fcDBTreeView1 = new DBItemList(splitter);
    fcDBTreeView1->setObjectName(QStringLiteral("fcDBTreeView1"));
    fcDBTreeView1->setIndentation(25);
    fcDBTreeView1->setNodeIcon(commandIcon(QStringLiteral("item")));
    fcDBTreeView1->setMinimumWidth(60);
    fcDBTreeView1->setContextMenuPolicy(Qt::ActionsContextMenu);
    fcDBTreeView1->addActions({ui->AddAct, ui->EditAct, ui->DelAct});
    fcDBTreeView1->bind(m_dm.dsUserSet);

    auto* right = new QWidget(splitter);
    right->setObjectName(QStringLiteral("Panel1"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);

    auto* header = new QWidget(right);
    header->setObjectName(QStringLiteral("Panel2"));
    header->setAutoFillBackground(true);
    QPalette gray = header->palette();
    gray.setColor(QPalette::Window, HeaderGray);
    header->setPalette(gray);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(5, 5, 5, 5);
    fcLabel4 = new OutlinedLabel(QString(), header);
    fcLabel4->setObjectName(QStringLiteral("fcLabel4"));
    QFont headerFont(QStringLiteral("Verdana"));
    headerFont.setPixelSize(16);
    headerFont.setBold(true);
    fcLabel4->setFont(headerFont);
    fcLabel4->setTextColor(Aqua);
    fcLabel4->setShadow(1, Qt::black);
    fcLabel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headerLayout->addWidget(fcLabel4);
    rightLayout->addWidget(header);

    PageControl1 = new QTabWidget(right);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildQuestionPage(), QStringLiteral("Test question"));
    PageControl1->addTab(buildTypeSectionPage(), QStringLiteral("Type, Section"));
    PageControl1->addTab(buildChoicesPage(), QStringLiteral("Responce choices"));
    PageControl1->addTab(buildExplanationPage(), QStringLiteral("Explanation"));
    PageControl1->installEventFilter(this);
    rightLayout->addWidget(PageControl1, 1);

    auto* bottom = new QWidget(right);
    bottom->setObjectName(QStringLiteral("Panel3"));
    bottom->setFixedHeight(38);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(6, 0, 6, 0);
    bottomLayout->setSpacing(6);
    DBNavigator1 = new DBNavigator(bottom);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->bind(m_dm.dsUserSet);
    bottomLayout->addWidget(DBNavigator1, 0, Qt::AlignVCenter);
    bottomLayout->addStretch(1);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                              QStringLiteral("Save"), bottom);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancel"), bottom);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setFixedSize(85, 29);
        button->setEnabled(false);
        bottomLayout->addWidget(button, 0, Qt::AlignVCenter);
    }
    ErrorBoundary::connect(BitBtn1, &QPushButton::clicked, this, &TSamplerForm::BitBtn1Click);
    ErrorBoundary::connect(BitBtn2, &QPushButton::clicked, this, &TSamplerForm::BitBtn2Click);
    rightLayout->addWidget(bottom);

    splitter->addWidget(fcDBTreeView1);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({125, width() - 125 - splitter->handleWidth()});
    setCentralWidget(splitter);
}

QWidget* TSamplerForm::buildQuestionPage()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(PageBorder, PageBorder, PageBorder, PageBorder);
    layout->addWidget(Look::plainLabel(QStringLiteral("Label1"),
                                       QStringLiteral("Enter the question text in the box bellow."),
                                       TabSheet1));
    DBMemo1 = new DBMemo(TabSheet1);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->bind(m_dm.dsUserSet, Field::QText);
    layout->addWidget(DBMemo1, 1);
    return TabSheet1;
}

QWidget* TSamplerForm::buildTypeSectionPage()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(TabSheet2);
    layout->setContentsMargins(PageBorder, PageBorder, PageBorder, PageBorder);
    layout->setSpacing(4);
    layout->addWidget(
        Look::plainLabel(QStringLiteral("Label2"), QStringLiteral("Select item type:"), TabSheet2));
    ComboBox1 = new QComboBox(TabSheet2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    // Typed text is not a new entry: an unknown type leaves the item's type as it is.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({singleResponseText(), multipleResponseText()});
    ComboBox1->setMinimumWidth(200);
    ComboBox1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(ComboBox1);
    layout->addSpacing(12);
    layout->addWidget(Look::plainLabel(QStringLiteral("Label3"),
                                       QStringLiteral("Select item section:"), TabSheet2));
    ListBox1 = new QListWidget(TabSheet2);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(ListBox1, 1);

    // The candidate's own changes only: the selectors also follow the table while browsing.
    ErrorBoundary::connect(ComboBox1, &QComboBox::activated, this, [this] {
        if (!m_showingRecord)
            ComboBox1Change();
    });
    ErrorBoundary::connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (!m_showingRecord)
            ComboBox1Change();
    });
    // A selection the candidate makes, by mouse or keys, is a click on the list. The list
    // also gets a current row when the focus enters it; that selects nothing and starts
    // nothing.
    ErrorBoundary::connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_showingRecord && !ListBox1->selectedItems().isEmpty())
            ListBox1Click();
    });
    ErrorBoundary::connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (!m_showingRecord)
            ListBox1Click();
    });

    for (QWidget* widget :
         {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox1->lineEdit()),
          static_cast<QWidget*>(ListBox1)})
        widget->installEventFilter(this);
    return TabSheet2;
}

QWidget* TSamplerForm::buildChoicesPage()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    auto* layout = new QVBoxLayout(TabSheet3);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(TabSheet3);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setWidgetResizable(false);
    layout->addWidget(ScrollBox1);

    m_choicesPanel = new QWidget;
    m_choicesPanel->setObjectName(QStringLiteral("ChoicesPanel"));
    m_choicesHint = Look::plainLabel(
        QStringLiteral("Label4"),
        QStringLiteral("Enter the responce choices and mark the correct choice(s)."),
        m_choicesPanel);
    m_choicesHint->setAlignment(Qt::AlignCenter);
    for (int k = 0; k < 6; ++k) {
        const int top = FirstChoiceTop + k * ChoiceStep;
        auto* box = new DBCheckBox(QStringLiteral("%1.").arg(QChar('a' + k)), m_choicesPanel);
        box->setObjectName(QStringLiteral("DBCheckBox%1").arg(k + 1));
        box->bind(m_dm.dsUserSet, Field::key(k + 1));
        const int boxHeight = box->sizeHint().height();
        box->setGeometry(KeyBoxLeft, top + (ChoiceHeight - boxHeight) / 2,
                         ChoiceLeft - KeyBoxLeft - 2, boxHeight);
        auto* edit = new DBEdit(m_choicesPanel);
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(k + 2));
        edit->bind(m_dm.dsUserSet, Field::choice(k + 1));
        edit->setGeometry(ChoiceLeft, top, 200, ChoiceHeight);
        m_keyBoxes[k] = box;
        m_choiceEdits[k] = edit;
    }
    // Keyboard order goes row by row: the mark, then its text.
    QWidget* previous = nullptr;
    for (int k = 0; k < 6; ++k) {
        for (QWidget* widget :
             {static_cast<QWidget*>(m_keyBoxes[k]), static_cast<QWidget*>(m_choiceEdits[k])}) {
            if (previous)
                setTabOrder(previous, widget);
            previous = widget;
        }
    }
    m_choicesPanel->resize(ScrollBox1->viewport()->width(), ChoicesPanelHeight);
    ScrollBox1->setWidget(m_choicesPanel);
    ScrollBox1->viewport()->installEventFilter(this);
    return TabSheet3;
}

QWidget* TSamplerForm::buildExplanationPage()
{
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    auto* layout = new QVBoxLayout(TabSheet4);
    layout->setContentsMargins(PageBorder, PageBorder, PageBorder, PageBorder);
    layout->addWidget(Look::plainLabel(QStringLiteral("Label5"),
                                       QStringLiteral("Enter the explanation text."), TabSheet4));
    DBMemo2 = new DBMemo(TabSheet4);
    DBMemo2->setObjectName(QStringLiteral("DBMemo2"));
    DBMemo2->bind(m_dm.dsUserSet, Field::QExpl);
    layout->addWidget(DBMemo2, 1);
    return TabSheet4;
}

void TSamplerForm::FormCreate()
{
    m_showingRecord = true;
    ComboBox1->setCurrentIndex(0);
    ListBox1->setCurrentRow(0); // the list is still empty: nothing to select yet
    m_showingRecord = false;
}

void TSamplerForm::FillSectionList()
{
    // Commands left disabled by an Add or Edit that was never finished come back: the data
    // rule run by the opening disables Edit and Delete again on an empty set.
    EnableActions(true);
    m_showingRecord = true;
    ListBox1->clear();
    for (const QString& title : SectionTitles::all()) {
        auto* item = new QListWidgetItem(title, ListBox1);
        item->setSizeHint(QSize(0, SectionRowHeight));
    }
    m_showingRecord = false;
}

void TSamplerForm::ShowFirstPage()
{
    PageControl1->setCurrentWidget(TabSheet1);
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
    fcDBTreeView1->setEnabled(m_moveControlsEnabled && !inserting);
    DBNavigator1->setEnabled(m_moveControlsEnabled && !inserting);
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
        BitBtn1->setEnabled(false);
        BitBtn2->setEnabled(false);
        ui->StatusPanel3->setText(QStringLiteral("  Browsing"));
        break;
    case Table::State::Edit:
        ui->StatusPanel3->setText(QStringLiteral(" Edit Item"));
        fcLabel4->setText(QStringLiteral("Edit Item"));
        break;
    case Table::State::Insert:
        fcLabel4->setText(QStringLiteral("Add new item"));
        ui->StatusPanel3->setText(QStringLiteral(" Add new item"));
        break;
    case Table::State::Inactive:
        break;
    }
    if (state == Table::State::Edit || state == Table::State::Insert) {
        BitBtn1->setEnabled(true);
        BitBtn2->setEnabled(true);
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
            fcLabel4->setText(QStringLiteral("Item ID: %1").arg(id));
            ui->StatusPanel1->setText(QStringLiteral(" Item ID: %1").arg(id));
            ui->StatusPanel2->setText(QStringLiteral(" Items: %1").arg(table->recordCount()));
            showSection(int(table->fieldInt(Field::QSect)));
            m_showingRecord = true;
            const int type = table->fieldBool(Field::QType) ? 1 : 0;
            ComboBox1->setCurrentIndex(type);
            ComboBox1->setEditText(ComboBox1->itemText(type));
            m_showingRecord = false;
        }
        if (table->isEmpty()) {
            ui->EditAct->setEnabled(false);
            ui->DelAct->setEnabled(false);
            // A new item on an empty set keeps the header of its state: "Add new item".
            if (table->state() != Table::State::Insert) {
                fcLabel4->setText(QStringLiteral("The question set is empty"));
                ui->StatusPanel1->setText(QStringLiteral(" Empty"));
            }
        }
    });
}

int TSamplerForm::selectedSection() const
{
    const QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected())
        return 0;
    return ListBox1->row(item) + 1;
}

void TSamplerForm::showSection(int section)
{
    m_showingRecord = true;
    if (section >= 1 && section <= ListBox1->count()) {
        ListBox1->setCurrentRow(section - 1);
    } else {
        ListBox1->setCurrentRow(-1);
        ListBox1->clearSelection();
    }
    m_showingRecord = false;
}

void TSamplerForm::AddActExecute()
{
    PageControl1->setCurrentWidget(TabSheet1);
    DBMemo1->setFocus();
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
        PageControl1->setCurrentWidget(TabSheet2);
        ListBox1->setFocus();
        return;
    }
    reportErrors(this, [this, table, section] {
        const QString type = ComboBox1->currentText();
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
    ListBox1->setFocus(Qt::OtherFocusReason);
}

void TSamplerForm::focusEntersPage(QWidget* old, QWidget* now)
{
    if (!now || !TabSheet2->isAncestorOf(now) || (old && TabSheet2->isAncestorOf(old)))
        return;
    // A control clicked by the candidate keeps the focus; the page's entry point is for the
    // keyboard and for page changes.
    if (m_lastFocusReason == Qt::MouseFocusReason || now == ListBox1)
        return;
    TabSheet2Enter();
}

void TSamplerForm::PageControl1Resize()
{
    // The visible width: with no frame it is the scroll area's width, less a vertical scroll
    // bar when one shows, so an editor never ends under the bar.
    const int width = ScrollBox1->viewport()->width();
    m_choicesPanel->resize(width, ChoicesPanelHeight);
    m_choicesHint->setGeometry(0, ChoiceHintTop, width, ChoiceHintHeight);
    for (int k = 0; k < 6; ++k) {
        DBEdit* edit = m_choiceEdits[k];
        edit->setGeometry(ChoiceLeft, FirstChoiceTop + k * ChoiceStep,
                          qMax(0, width - ChoiceLeft - ChoiceRightGap), ChoiceHeight);
    }
}

bool TSamplerForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize &&
        (watched == PageControl1 || watched == ScrollBox1->viewport())) {
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
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter) && BitBtn1->isEnabled()) {
        BitBtn1->click();
        return;
    }
    if (plain && key == Qt::Key_Escape && BitBtn2->isEnabled()) {
        BitBtn2->click();
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
