#include "desktop/customers/CUtentiRelazioni.h"

#include "recordset/CClientiSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CPermessiSet.h"

namespace {

QString Joined(const CClientiSet& row)
{
    return row.m_RagioneSociale + QLatin1Char(' ') + row.m_Cognome + QLatin1Char(' ') + row.m_Nome;
}

QList<CUtentiRelazioni::Entry> People(CDaoDatabase& db, const QString& none, const QString& filter,
                                      const QString& sort)
{
    QList<CUtentiRelazioni::Entry> list{{0, none}};
    CClientiSet rows(&db);
    rows.m_strFilter = filter;
    rows.m_strSort = sort;
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext())
        list.append({rows.m_ID, Joined(rows)});
    return list;
}

} // namespace

QList<CUtentiRelazioni::Entry> CUtentiRelazioni::Agenti() const
{
    return People(Database(), QStringLiteral("Nessun agente"), QStringLiteral("TipoUtente=3"), QStringLiteral("Cognome,Nome"));
}

QList<CUtentiRelazioni::Entry> CUtentiRelazioni::Clienti() const
{
    return People(Database(), QStringLiteral("Nessun cliente"), QStringLiteral("TipoUtente<=1 AND ID<>0"),
                  QStringLiteral("RagioneSociale,Cognome,Nome"));
}

QList<CUtentiRelazioni::Entry> CUtentiRelazioni::Gruppi() const
{
    QList<Entry> list{{0, QStringLiteral("Nessun gruppo")}};
    CGruppiSet rows(&Database());
    rows.m_strSort = QStringLiteral("Nome");
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext())
        list.append({rows.m_ID, rows.m_Nome});
    return list;
}

int CUtentiRelazioni::RightsOf(qint32 userId) const
{
    CPermessiSet rows(&Database());
    rows.SetFilter(CDaoCriteria(QStringLiteral("IDUtente=?"), {userId}));
    rows.Open();
    int count = 0;
    for (; !rows.IsEOF(); rows.MoveNext())
        ++count;
    return count;
}

void CUtentiRelazioni::DeleteRightsOf(qint32 userId)
{
    CPermessiSet rows(&Database());
    rows.SetFilter(CDaoCriteria(QStringLiteral("IDUtente=?"), {userId}));
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext())
        rows.Delete();
}
