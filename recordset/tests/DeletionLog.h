#pragma once

#include "platform/dao/CDaoDatabase.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QStringList>

// The deletion log as "Table:ID" lines in the order written.
inline QStringList DeletionLog(CDaoDatabase& db)
{
    QStringList lines;
    QSqlQuery query(db.Connection());
    EXPECT_TRUE(query.exec("SELECT NomeTabella, IDRecord FROM RecordsEliminati ORDER BY rowid"));
    while (query.next())
        lines << query.value(0).toString() + QLatin1Char(':') + query.value(1).toString();
    return lines;
}
