#include "server/content/ContenutiAlbero.h"

#include "server/content/Contenuti.h"
#include "server/core/catalogo/CatalogoSql.h"

bool ContenutiAlbero::Apri(Contenuti& contenuti, const CatalogoSql& livello)
{
    m_sottoSezioni.Close();
    m_livello.Open(livello.Testo(), contenuti.Connection(), livello.Parametri());
    if (m_livello.IsEOF())
        return false;
    contenuti.LeggiDatiSezione(m_livello, true, true);
    contenuti.TipoRecord = Livello;
    return true;
}

void ContenutiAlbero::Chiudi()
{
    m_livello.Close();
    m_sottoSezioni.Close();
}

bool ContenutiAlbero::ApriSottoSezioni(Contenuti& contenuti)
{
    CatalogoSql sql(QStringLiteral("SELECT * FROM Sezioni WHERE Attivo=1 AND IDSezionePadre=?"));
    sql.Aggiungi(QString(), {m_livello.Field(QStringLiteral("ID"))});
    contenuti.VisibilitaSezione(sql);
    sql.Aggiungi(QStringLiteral(" ORDER BY Ordine, ID"));
    m_sottoSezioni.Open(sql.Testo(), contenuti.Connection(), sql.Parametri());
    if (m_sottoSezioni.IsEOF()) {
        m_sottoSezioni.Close();
        return false;
    }
    contenuti.TipoRecord = SottoSezione;
    contenuti.LeggiDatiSezione(m_sottoSezioni, false, true);
    return true;
}

bool ContenutiAlbero::ApriArticoli(Contenuti& contenuti)
{
    const CatalogoSql sql = contenuti.QueryArticoliSezione(m_livello.Field(QStringLiteral("ID")).toInt(),
                                                           m_livello.Field(QStringLiteral("DataPubblicazione")).toInt() != 0);
    m_articoli.Open(sql.Testo(), contenuti.Connection(), sql.Parametri());
    if (m_articoli.IsEOF()) {
        m_articoli.Close();
        return false;
    }
    contenuti.TipoRecord = Articolo;
    contenuti.LeggiDatiArticolo(m_articoli);
    return true;
}

bool ContenutiAlbero::Successivo(Contenuti& contenuti, bool sezioni, bool articoli)
{
    if (!m_livello.IsOpen())
        return false;
    for (;;) {
        switch (contenuti.TipoRecord) {
        case Livello:
            if (sezioni && ApriSottoSezioni(contenuti))
                return true;
            if (articoli && ApriArticoli(contenuti))
                return true;
            contenuti.TipoRecord = Fatto;
            break;
        case SottoSezione:
            if (m_sottoSezioni.IsOpen()) {
                m_sottoSezioni.MoveNext();
                if (!m_sottoSezioni.IsEOF()) {
                    contenuti.LeggiDatiSezione(m_sottoSezioni, false, true);
                    return true;
                }
                m_sottoSezioni.Close();
            }
            if (articoli && ApriArticoli(contenuti))
                return true;
            contenuti.TipoRecord = Fatto;
            break;
        case Articolo:
            if (m_articoli.IsOpen()) {
                m_articoli.MoveNext();
                if (!m_articoli.IsEOF()) {
                    contenuti.LeggiDatiArticolo(m_articoli);
                    return true;
                }
                m_articoli.Close();
            }
            contenuti.TipoRecord = Fatto;
            break;
        default:
            // Done with a section's children, or a state the page set.
            if (m_livello.IsEOF())
                return false;
            m_livello.MoveNext();
            if (m_livello.IsEOF())
                return false;
            contenuti.TipoRecord = Livello;
            contenuti.LeggiDatiSezione(m_livello, false, true);
            return true;
        }
    }
}
