#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

class CDaoDatabase;

// A read of the graphic project's tables with bound values, on its own
// statement: generation reads while it recurses through the block tree, so
// a statement shared by the connection would be overwritten halfway.
class CGraphicQuery
{
public:
    static QSqlQuery Select(CDaoDatabase& db, const QString& sql, const QVariantList& values);
};
