#include "recordset/CTrackedRowSaves.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoEditBuffer.h"
#include "platform/dao/CDaoStatement.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CQTRDaoRecordset.h"

#include <QSqlQuery>
#include <QSqlRecord>

CTrackedRowSaves::CTrackedRowSaves(CDaoDatabase& database, const QString& folder)
    : m_database(database), m_folder(folder)
{
}

CTrackedRowSaves::~CTrackedRowSaves() = default;

std::optional<CTrackedRowSaves::Found> CTrackedRowSaves::First(const QString& table, const QString& criteria,
                                                               const QVariantList& values)
{
    const QString key = table + QLatin1Char('\n') + criteria;
    auto it = m_statements.constFind(key);
    if (it == m_statements.constEnd()) {
        // Past a few dozen (criteria built from the data) the kept ones go.
        constexpr int kMostKept = 64;
        if (m_statements.size() >= kMostKept)
            m_statements.clear();
        // The same statement a table class opened with the criteria as
        // its filter runs, so the same row comes first.
        it = m_statements.insert(key, std::make_shared<CDaoStatement>(QStringLiteral("SELECT * FROM [") + table
                                                                          + QStringLiteral("]"),
                                                                      criteria, QString()));
    }
    QSqlQuery& query = m_database.Prepared((*it)->Select());
    CDaoDatabase::Run(query, values);
    std::optional<Found> found;
    if (query.next())
        found = Found{query.value(0), query.value(query.record().indexOf(QStringLiteral("ID"))).toInt()};
    query.finish();
    return found;
}

void CTrackedRowSaves::Add(const QString& table, const Values& values) { Save(table, nullptr, values); }

void CTrackedRowSaves::Edit(const QString& table, const QVariant& rowid, const Values& values)
{
    Save(table, &rowid, values);
}

void CTrackedRowSaves::Save(const QString& table, const QVariant* rowid, const Values& values)
{
    RaiseSiteUpdateMarker(m_database, m_folder);
    const auto save = [&] {
        CDaoEditBuffer edit;
        edit.Begin(rowid ? CDaoEditBuffer::Editing : CDaoEditBuffer::Adding, -1);
        for (const auto& [column, value] : values)
            edit.Set(column, value);
        edit.Set(QStringLiteral("VersioneRecord"), NextRecordVersion(m_database));
        edit.Set(QStringLiteral("Modificato"), true);
        const CDaoAssignments assignments = edit.Collect({});
        if (rowid)
            CDaoEditBuffer::Update(m_database, table, assignments, *rowid);
        else
            CDaoEditBuffer::Insert(m_database, table, assignments);
    };
    if (m_database.TransactionDepth() > 0) {
        save();
        return;
    }
    CDaoTransaction transaction(m_database);
    save();
    transaction.Commit();
}
