#include "platform/testing/CTestDatabaseFile.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

QVariant CTestDatabaseFile::FirstValue(const QString& file, const QString& sql, const QVariantList& params)
{
    const QString name = QUuid::createUuid().toString();
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(sql);
            for (int i = 0; i < params.size(); ++i)
                query.bindValue(i, params[i]);
            if (query.exec() && query.next())
                value = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}
