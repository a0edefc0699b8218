#include "TSamplerForm.h"

#include "TDM.h"
#include "Table.h"

#include <QCloseEvent>

TSamplerForm::TSamplerForm(TDM& dm, QWidget* parent) : QMainWindow(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("SamplerForm"));
    setWindowTitle(QStringLiteral("Examora Test Sampler"));
    setWindowModality(Qt::ApplicationModal);
    resize(646, 481);
    setMinimumSize(646, 462);
}

void TSamplerForm::FillSectionList() {}

void TSamplerForm::ShowFirstPage() {}

void TSamplerForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit formClosed();
    m_dm.dtUserSet->close();
}
