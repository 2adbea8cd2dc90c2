#include "server/core/catalogo/CatalogoColori.h"

#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoRiga.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

qint32 CatalogoColori::Conta(qint32 idProdotto)
{
    m_rsColori.Open(QStringLiteral("SELECT COUNT(*) AS N FROM ProdottiColori WHERE Attivo=1 AND IDProdotto=?"),
                    m_visitatore.Connection(), {idProdotto});
    return m_rsColori.Field(QStringLiteral("N")).toInt();
}

void CatalogoColori::Chiudi()
{
    m_rsColori.Close();
}

void CatalogoColori::Carica(const CAdoRecordset& rs)
{
    m_catalogo.IDColoreProdotto = rs.Field(QStringLiteral("ID")).toInt();
    m_catalogo.CodiceColoreProdotto = CatalogoRiga::Testo(rs, QStringLiteral("Codice"));
    m_catalogo.DescrizioneColoreProdotto = CatalogoRiga::Testo(rs, QStringLiteral("Descrizione"));
}

bool CatalogoColori::Corrente()
{
    if (m_rsColori.IsEOF()) {
        m_rsColori.Close();
        return false;
    }
    Carica(m_rsColori);
    return true;
}

bool CatalogoColori::Primo()
{
    m_rsColori.Open(QStringLiteral("SELECT * FROM ProdottiColori WHERE Attivo=1 AND IDProdotto=? ORDER BY ID"),
                    m_visitatore.Connection(), {m_catalogo.IDProdotto});
    return Corrente();
}

bool CatalogoColori::Successivo()
{
    m_rsColori.MoveNext();
    return Corrente();
}

// The first colour and the product go through the catalogue's own calls,
// as a page would make them.
bool CatalogoColori::Leggi(const QVariant& id)
{
    const std::optional<qint32> colore = m_visitatore.IdArgomento(id, "IDColoreProdotto");
    if (!colore || *colore == 0)
        return m_catalogo.LeggiPrimoColore();
    m_rsColori.Open(QStringLiteral("SELECT * FROM ProdottiColori WHERE ID=?"), m_visitatore.Connection(), {*colore});
    const bool trovato = !m_rsColori.IsEOF();
    if (trovato) {
        Carica(m_rsColori);
        m_catalogo.IDProdotto = m_rsColori.Field(QStringLiteral("IDProdotto")).toInt();
    }
    m_rsColori.Close();
    if (trovato)
        m_catalogo.LeggiProdotto(m_catalogo.IDProdotto);
    return trovato;
}
