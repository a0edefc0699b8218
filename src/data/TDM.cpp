#include "TDM.h"

#include "DataSource.h"
#include "Table.h"
#include "TableSchema.h"

TDM::TDM(Session& session, QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
    dtUserSet = new Table(session, Schemas::personal(), this);
    dtUserSet->setObjectName(QStringLiteral("dtUserSet"));
    dsUserSet = new DataSource(dtUserSet, this);
    dsUserSet->setObjectName(QStringLiteral("dsUserSet"));
}
