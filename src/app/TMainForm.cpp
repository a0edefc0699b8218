#include "TMainForm.h"

#include "ui_TMainForm.h"

#include "ErrorBoundary.h"
#include "Look.h"
#include "Session.h"
#include "TDM.h"
#include "TSamplerForm.h"
#include "TTestForm.h"
#include "Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

TMainForm::TMainForm(Session& session, const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_session(session),
      ui(new Ui::TMainForm)
{
    ui->setupUi(this);
    Look::makeWhite(this);
    // Captions sized in pixels, which a form cannot hold.
    for (ShapedButton* button : {ui->StartTestBtn, ui->SamplerBtn, ui->fcShapeBtn3})
        button->setFont(Look::pixelFont(QStringLiteral("MS Sans Serif"), 13));

    ErrorBoundary::connect(ui->StartTestBtn, &QAbstractButton::clicked, this,
                           &TMainForm::StartTestBtnClick);
    ErrorBoundary::connect(ui->SamplerBtn, &QAbstractButton::clicked, this,
                           &TMainForm::SamplerBtnClick);
    connect(ui->fcShapeBtn3, &QAbstractButton::clicked, this, &TMainForm::fcShapeBtn3Click);

    // Creation: the tables are found beside the program, whatever the working directory.
    m_session.setDataFolder(programFolder);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TMainForm::~TMainForm()
{
    delete ui;
}

void TMainForm::setTestForm(TTestForm* testForm)
{
    m_testForm = testForm;
    connect(m_testForm, &TTestForm::formClosed, this, &QWidget::show);
}

void TMainForm::StartTestBtnClick()
{
    hide();
    m_testForm->showMaximized();
    m_testForm->activateWindow();
}

void TMainForm::setSampler(TSamplerForm* sampler, TDM* dm)
{
    m_sampler = sampler;
    m_dm = dm;
    connect(m_sampler, &TSamplerForm::formClosed, this, &QWidget::show);
}

void TMainForm::SamplerBtnClick()
{
    hide();
    m_sampler->FillSectionList();
    // A personal table that cannot be opened is reported, and the start window comes back.
    if (!reportErrors(this, [this] { m_dm->dtUserSet->open(); })) {
        show();
        return;
    }
    m_sampler->ShowFirstPage();
    m_sampler->show();
    m_sampler->activateWindow();
}

void TMainForm::fcShapeBtn3Click()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}
