#pragma once

#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"
#include "recordset/IQtrHost.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

// A throwaway project for one test of the desktop controls and views: a
// folder with an empty shop database made from the schema (holding the
// graphic project's tables too, for the dialogs that read both), registered as
// the program's open project, and helpers that put rows in and read values
// back by plain SQL.
class ShopTestDb : public IQtrHost
{
public:
    using Values = QList<std::pair<QString, QVariant>>;

    ShopTestDb();
    ~ShopTestDb() override;

    CDaoDatabase& Db() { return m_db; }
    QString Folder() const { return m_strFolder; }   // ends with "/"
    TempFolder& Temp() { return m_temp; }

    void Row(const QString& table, const Values& values);
    // The first column of the first row of sql, or an invalid value.
    QVariant Value(const QString& sql, const QVariantList& params = {});
    // Every row of sql, first column only.
    QVariantList Column(const QString& sql, const QVariantList& params = {});

    CDaoDatabase* GetProjectDatabase() override { return &m_db; }
    QString GetProjectFolder() override { return m_strFolder; }

private:
    TempFolder m_temp;
    QString m_strFolder;
    CDaoDatabase m_db;
    IQtrHost* m_pPrevious;
};
