#include "desktop/design/CGraphicQuery.h"

#include "platform/dao/CDaoDatabase.h"

QSqlQuery CGraphicQuery::Select(CDaoDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db.Connection());
    query.setForwardOnly(true);
    query.prepare(sql);
    CDaoDatabase::Run(query, values);
    return query;
}
