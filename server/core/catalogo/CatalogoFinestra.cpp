#include "server/core/catalogo/CatalogoFinestra.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"

#include <stdexcept>

namespace {

// Every row of the page carries the number of rows of the whole list: the
// page and its count are one statement.
const QString kRighe = QStringLiteral("RigheElenco");

} // namespace

bool CatalogoFinestra::Apri(CAdoRecordset& rs, CAdoConnection* connection, const QString& colonne,
                            const CatalogoSql& daFrom, const QString& ordine, qint32 lunghezza, qint32 pagina)
{
    Chiudi();
    m_connessione = connection;
    m_colonne = colonne;
    m_sql = daFrom;
    m_ordine = ordine;
    m_lunghezza = qMax(lunghezza, 1);
    m_pagina = qMax(pagina, 1);
    m_inizio = qint64(m_pagina - 1) * m_lunghezza;
    LeggiPagina(rs);
    if (rs.IsEOF()) {
        // A page beyond the last shows the last; with no rows at all,
        // nothing.
        m_totale = m_pagina > 1 ? Conta() : 0;
        if (m_totale == 0)
            return false;
        m_lunghezza = static_cast<qint32>(qMin<qint64>(m_lunghezza, m_totale));
        m_pagina = static_cast<qint32>((m_totale + m_lunghezza - 1) / m_lunghezza);
        m_inizio = qint64(m_pagina - 1) * m_lunghezza;
        LeggiPagina(rs);
        // The list changed between the count and the page: nothing to show.
        if (rs.IsEOF())
            return false;
    }
    m_totale = rs.Field(kRighe).toLongLong();
    m_lunghezza = static_cast<qint32>(qMin<qint64>(m_lunghezza, m_totale));
    m_pagine = static_cast<qint32>((m_totale + m_lunghezza - 1) / m_lunghezza);
    m_resto = m_inizio + rs.RecordCount() < m_totale;
    return true;
}

void CatalogoFinestra::VaiAPagina(CAdoRecordset& rs, qint32 pagina)
{
    if (pagina < 1)
        throw std::invalid_argument(QStringLiteral("Numero di pagina non valido: %1").arg(pagina).toStdString());
    m_pagina = pagina;
    m_inizio = qint64(m_pagina - 1) * m_lunghezza;
    LeggiPagina(rs);
    m_resto = m_inizio + rs.RecordCount() < m_totale;
}

void CatalogoFinestra::LeggiPagina(CAdoRecordset& rs)
{
    rs.Open(Righe(), m_connessione, m_sql.Parametri() + QVariantList{m_lunghezza + 1, m_inizio});
}

qint64 CatalogoFinestra::Conta() const
{
    CAdoRecordset conteggio;
    conteggio.Open(QStringLiteral("SELECT COUNT(*) AS ") + kRighe + m_sql.Testo(), m_connessione, m_sql.Parametri());
    return conteggio.Field(kRighe).toLongLong();
}

bool CatalogoFinestra::LeggiResto(CAdoRecordset& rs)
{
    if (!m_resto)
        return false;
    m_resto = false;
    rs.AppendRows(Righe(), m_sql.Parametri() + QVariantList{m_totale, m_inizio + rs.RecordCount()});
    return !rs.IsEOF();
}

void CatalogoFinestra::Chiudi()
{
    m_connessione = nullptr;
    m_colonne.clear();
    m_sql = CatalogoSql();
    m_ordine.clear();
    m_totale = m_inizio = 0;
    m_resto = false;
    m_lunghezza = m_pagina = m_pagine = 0;
}

QString CatalogoFinestra::Righe() const
{
    return QStringLiteral("SELECT ") + m_colonne + QStringLiteral(", COUNT(*) OVER () AS ") + kRighe + m_sql.Testo()
        + m_ordine + QStringLiteral(" LIMIT ? OFFSET ?");
}
