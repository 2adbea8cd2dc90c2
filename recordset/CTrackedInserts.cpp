#include "recordset/CTrackedInserts.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CQTRDaoRecordset.h"

#include <QSqlQuery>

namespace {

// A flag is stored as 1 or 0, as a value a table class sets by name.
QVariant Stored(const QVariant& value)
{
    return value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value;
}

} // namespace

CTrackedInserts::CTrackedInserts(CDaoDatabase& database, const QString& table, const QStringList& columns,
                                 const QString& folder)
    : m_database(database), m_table(table), m_columns(columns), m_folder(folder)
{
    if (m_columns.size() > 62)
        throw CDaoException(QStringLiteral("Troppe colonne per %1").arg(table));
}

QSqlQuery& CTrackedInserts::Statement(quint64 unset)
{
    auto it = m_sql.constFind(unset);
    if (it == m_sql.constEnd()) {
        QStringList names;
        for (int c = 0; c < m_columns.size(); ++c)
            if (!(unset & (quint64(1) << c)))
                names << QStringLiteral("[") + m_columns[c] + QStringLiteral("]");
        names << QStringLiteral("[VersioneRecord]") << QStringLiteral("[Modificato]");
        it = m_sql.insert(unset, QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                                     .arg(m_table, names.join(QLatin1Char(',')),
                                          QStringLiteral("?,").repeated(names.size()).chopped(1)));
    }
    return m_database.Prepared(*it);
}

void CTrackedInserts::Insert(const QVariantList& values, quint64 unset)
{
    // As a tracked save: the marker before anything is written, then the
    // version, in the order the rows are saved.
    RaiseSiteUpdateMarker(m_database, m_folder);
    const qint32 version = NextRecordVersion(m_database);
    QSqlQuery& query = Statement(unset);
    int mark = 0;
    for (int c = 0; c < values.size(); ++c)
        if (!(unset & (quint64(1) << c)))
            query.bindValue(mark++, Stored(values.at(c)));
    query.bindValue(mark++, version);
    query.bindValue(mark, 1);
    CDaoDatabase::Exec(query, query.lastQuery());
    query.finish();
    m_database.NoteWrite();
}
