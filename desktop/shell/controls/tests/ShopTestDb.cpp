#include "desktop/shell/controls/tests/ShopTestDb.h"

#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <QDir>
#include <QSqlQuery>
#include <QStringList>

ShopTestDb::ShopTestDb() : m_strFolder(m_temp.Path() + QStringLiteral("/negozio/")), m_pPrevious(QtrHost())
{
    QDir().mkpath(m_strFolder + QStringLiteral("db"));
    QDir().mkpath(m_strFolder + QStringLiteral("website/images"));
    m_db.Open(m_strFolder + QStringLiteral("db/database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(m_db), QtrDbFile::Shop);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(m_db), QtrDbFile::Graphic);
    QtrSetHost(this);
}

ShopTestDb::~ShopTestDb()
{
    QtrSetHost(m_pPrevious);
    m_db.Close();
}

void ShopTestDb::Row(const QString& table, const Values& values)
{
    QStringList names, marks;
    QVariantList params;
    for (const auto& [name, value] : values) {
        names << name;
        marks << QStringLiteral("?");
        params << value;
    }
    m_db.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(','), marks.join(',')),
                 params);
}

QVariantList ShopTestDb::Column(const QString& sql, const QVariantList& params)
{
    QSqlQuery query(m_db.Connection());
    query.prepare(sql);
    for (const QVariant& param : params)
        query.addBindValue(param);
    QVariantList values;
    if (query.exec())
        while (query.next())
            values << query.value(0);
    return values;
}

QVariant ShopTestDb::Value(const QString& sql, const QVariantList& params)
{
    return Column(sql, params).value(0);
}
