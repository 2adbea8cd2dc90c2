#include "desktop/customers/CClientiCollegamenti.h"

#include "recordset/CClientiSet.h"

#include <algorithm>

CClientiCollegamenti::CClientiCollegamenti(CDaoDatabase& db) : m_db(db) {}

QString CClientiCollegamenti::CandidateText(const QString& ragioneSociale, const QString& nome,
                                            const QString& cognome, const QString& userId)
{
    QString text = QStringLiteral("%1 (%2)").arg(ragioneSociale, nome + QLatin1Char(' ') + cognome);
    if (!userId.isEmpty())
        text = userId + QStringLiteral(" - ") + text;
    return text;
}

const char* CClientiCollegamenti::LinkColumn() const
{
    switch (m_mode) {
    case AgentCustomers: return "IDAgente";
    case CustomerConsignees: return "IDCliente";
    default: return "IDGruppo";
    }
}

void CClientiCollegamenti::Fill(Mode mode, qint32 ownerId)
{
    m_mode = mode;
    m_nOwner = ownerId;
    m_left.clear();
    m_right.clear();
    if (mode == None)
        return;
    CClientiSet rows(&m_db);
    if (mode == AgentCustomers)
        rows.SetFilter(CDaoCriteria(QStringLiteral("ID<>? AND TipoUtente<2 AND ID<>0"), {ownerId}));
    else if (mode == CustomerConsignees)
        rows.m_strFilter = QStringLiteral("TipoUtente=4");
    rows.Open();
    const QString column = QString::fromLatin1(LinkColumn());
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const qint32 link = rows.GetFieldValue(column).toInt();
        const Entry entry{rows.m_ID, CandidateText(rows.m_RagioneSociale, rows.m_Nome, rows.m_Cognome, rows.m_UserID)};
        // Somebody else's candidate is in neither list.
        if (link == ownerId)
            m_right.append(entry);
        else if (link == 0)
            m_left.append(entry);
    }
    Sort(m_left);
    Sort(m_right);
}

QString CClientiCollegamenti::Heading(Side side) const
{
    switch (m_mode) {
    case AgentCustomers: return side == Left ? QStringLiteral("Clienti") : QStringLiteral("Clienti agente");
    case CustomerConsignees: return side == Left ? QStringLiteral("Destinatari") : QStringLiteral("Destinatari cliente");
    case GroupMembers: return side == Left ? QStringLiteral("Utenti") : QStringLiteral("Utenti gruppo");
    default: return QString();
    }
}

bool CClientiCollegamenti::Move(Side from, qint32 id)
{
    QList<Entry>& source = from == Left ? m_left : m_right;
    QList<Entry>& target = from == Left ? m_right : m_left;
    const auto it = std::find_if(source.begin(), source.end(), [id](const Entry& e) { return e.nID == id; });
    if (it == source.end() || m_mode == None)
        return false;
    WriteLink(id, from == Left ? m_nOwner : 0);
    target.append(*it);
    source.erase(it);
    Sort(target);
    return true;
}

void CClientiCollegamenti::MoveAll(Side from)
{
    const QList<Entry>& source = from == Left ? m_left : m_right;
    while (!source.isEmpty())
        Move(from, source.first().nID);
}

void CClientiCollegamenti::WriteLink(qint32 candidate, qint32 value)
{
    CClientiSet row(&m_db);
    row.SetFilter(CDaoCriteria(QStringLiteral("ID=?"), {candidate}));
    row.Open();
    if (row.IsEOF())
        return;
    row.Edit();
    row.SetFieldValue(QString::fromLatin1(LinkColumn()), value);
    row.m_Modificato = true;
    row.Update();
}

void CClientiCollegamenti::Sort(QList<Entry>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const Entry& a, const Entry& b) {
        return QString::localeAwareCompare(a.strText, b.strText) < 0;
    });
}
