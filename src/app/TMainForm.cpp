#include "TMainForm.h"

#include "ErrorBoundary.h"
#include "Look.h"
#include "Session.h"
#include "ShapedButton.h"
#include "TDM.h"
#include "TSamplerForm.h"
#include "TTestForm.h"
#include "Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The framed panel under the logo: a blue outline inside a 4-pixel border.
class FramedPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(QColor(0, 0, 255), 1));
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
};

QFont captionFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    return font;
}

} // namespace

TMainForm::TMainForm(Session& session, const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_session(session)
{
    setObjectName(QStringLiteral("MainForm"));
    Look::makeWhite(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    auto* Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedSize(232, 48);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/tessaly/logo.svg")));
    Image1->setGeometry((232 - 221) / 2, 0, 221, 48);
    layout->addWidget(Panel1);

    auto* Panel3 = new FramedPanel(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedSize(232, 148);
    auto makeButton = [&](const QString& name, const QString& caption, const QColor& color,
                          int top) {
        auto* button = new ShapedButton(caption, Panel3);
        button->setObjectName(name);
        button->setColor(color);
        button->setFont(captionFont());
        button->setGeometry(47, top, 138, 34);
        return button;
    };
    StartTestBtn = makeButton(QStringLiteral("StartTestBtn"), QStringLiteral("Start &Testing"),
                              QColor(0, 0, 128), 14);
    SamplerBtn = makeButton(QStringLiteral("SamplerBtn"), QStringLiteral("Test &Sampler"),
                            QColor(128, 0, 128), 50);
    fcShapeBtn3 = makeButton(QStringLiteral("fcShapeBtn3"), QStringLiteral("E&xit"),
                             QColor(0, 128, 128), 102);
    layout->addWidget(Panel3);

    ErrorBoundary::connect(StartTestBtn, &QAbstractButton::clicked, this,
                           &TMainForm::StartTestBtnClick);
    ErrorBoundary::connect(SamplerBtn, &QAbstractButton::clicked, this,
                           &TMainForm::SamplerBtnClick);
    connect(fcShapeBtn3, &QAbstractButton::clicked, this, &TMainForm::fcShapeBtn3Click);

    // Creation: the tables are found beside the program, whatever the working directory.
    m_session.setDataFolder(programFolder);
    setWindowTitle(QStringLiteral("Tessaly 4"));
    SamplerBtn->setEnabled(true);
    SamplerBtn->setColor(QColor(128, 0, 128));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
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
