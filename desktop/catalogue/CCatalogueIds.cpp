#include "desktop/catalogue/CCatalogueIds.h"

#include "platform/dao/CDaoDatabase.h"

#include <QSqlQuery>

qint32 CCatalogueIds::NextId(CDaoDatabase& database, const QString& table)
{
    QSqlQuery query(database.Connection());
    query.prepare(QStringLiteral("SELECT MAX(ID) FROM [%1] WHERE ID < ?").arg(table));
    query.addBindValue(kFirstServerId);
    CDaoDatabase::Exec(query, query.lastQuery());
    return query.next() ? query.value(0).toInt() + 1 : 1;
}
