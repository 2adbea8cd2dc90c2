#include "desktop/shell/settings/CRecordIds.h"

#include "platform/dao/CDaoRecordset.h"

#include <QSqlQuery>

// Asked of the table rather than of the recordset's rows: a filter on the
// recordset must not hide an ID that a new row would then collide with.
qint32 CRecordIds::NextID(CDaoRecordset& recordset)
{
    QSqlQuery query(recordset.GetDatabase()->Connection());
    query.exec(QStringLiteral("SELECT MAX(ID) FROM %1").arg(recordset.GetTableName()));
    return query.next() ? query.value(0).toInt() + 1 : 1;
}
