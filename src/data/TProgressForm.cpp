#include "TProgressForm.h"

#include <QApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TProgressForm::TProgressForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TProgressForm"));
    setWindowTitle(QStringLiteral("Randomizing question set..."));
    setFixedSize(231, 15);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMinimum(0);
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
}

void TProgressForm::paintNow()
{
    // The build runs inside one event handler; paint what changed without handling input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TProgressForm::buildStarted()
{
    ProgressBar1->setMaximum(0);
    ProgressBar1->setValue(0);
    m_shownPercent = -1;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    paintNow();
}

void TProgressForm::setMaximum(int maximum)
{
    ProgressBar1->setMaximum(maximum);
}

void TProgressForm::setPosition(int position)
{
    ProgressBar1->setValue(position);
    const int maximum = ProgressBar1->maximum();
    const int percent = maximum > 0 ? int(qint64(position) * 100 / maximum) : 0;
    if (percent != m_shownPercent) {
        m_shownPercent = percent;
        paintNow();
    }
}

void TProgressForm::buildFinished()
{
    hide();
}
