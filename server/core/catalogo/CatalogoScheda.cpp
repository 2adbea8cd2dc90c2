#include "server/core/catalogo/CatalogoScheda.h"

#include "server/core/CacheNegozio.h"
#include "server/core/QtrValori.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoColori.h"
#include "server/core/catalogo/CatalogoPagina.h"
#include "server/core/catalogo/CatalogoPrezzi.h"
#include "server/core/catalogo/CatalogoRiga.h"
#include "server/core/catalogo/CatalogoTesti.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

void CatalogoScheda::Carica(const CAdoRecordset& rs, CatalogoPagina& pagina)
{
    Catalogo& c = m_catalogo;
    CatalogoPrezzo& prezzo = m_prezzi.Prezzo();
    c.IDProdotto = rs.Field(QStringLiteral("ID")).toInt();
    prezzo.idProdotto = c.IDProdotto;
    // Local times cost a time zone lookup each: the open window is made once.
    static const QDateTime kSempreDal(QDate(1900, 1, 1), QTime(0, 0));
    static const QDateTime kSempreAl(QDate(2100, 1, 1), QTime(0, 0));
    prezzo.validitaScontoDal = kSempreDal;
    prezzo.validitaScontoAl = kSempreAl;
    c.Attivo = QtrValori::Vero(rs.Field(QStringLiteral("Attivo")));
    c.Novita = QtrValori::Vero(rs.Field(QStringLiteral("Novita")));
    prezzo.offerta = QtrValori::Vero(rs.Field(QStringLiteral("Offerta")));
    c.CodiceProdotto = CatalogoRiga::Testo(rs, QStringLiteral("Codice"));
    c.CodiceABarreProdotto = CatalogoRiga::Testo(rs, QStringLiteral("CodiceABarre"));
    c.IVAProdotto = c.PesoProdotto = c.DisponibilitaProdotto = prezzo.scontoProdotto = 0;
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("IVA"), c.IVAProdotto);
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("Peso"), c.PesoProdotto);
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("Disponibilita"), c.DisponibilitaProdotto);
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("Sconto"), prezzo.scontoProdotto);
    if (const QVariant dal = rs.Field(QStringLiteral("ValiditaScontoDal")); !dal.isNull())
        prezzo.validitaScontoDal = CAdoRecordset::DateValue(dal);
    if (const QVariant al = rs.Field(QStringLiteral("ValiditaScontoAl")); !al.isNull())
        prezzo.validitaScontoAl = CAdoRecordset::DateValue(al);
    c.ConfezioneProdotto = 1;
    if (const QVariant confezioni = rs.Field(QStringLiteral("Confezioni"));
        !confezioni.isNull() && confezioni.toFloat() > 0)
        c.ConfezioneProdotto = confezioni.toFloat();

    LeggiRigaLingua(c.IDProdotto, pagina);
    m_prezzi.CalcolaPrezzo();
    m_rsLingua.Close();
    m_prezzi.CalcolaImporti();
    c.SimboloValuta = m_visitatore.SessionText(QStringLiteral("SimboloValuta"));

    if (const std::optional<int> colori = pagina.NumeroColori(c.IDProdotto))
        c.NumeroColori = *colori;
    else
        c.NumeroColori = m_colori.Conta(c.IDProdotto);
    m_colori.Chiudi();
    CaricaTaglie(rs);
    c.NumeroCampiCustom = CatalogoTesti::NumeroCampi(m_campiCustom);
}

void CatalogoScheda::ChiudiLingua()
{
    m_rsLingua.Close();
}

// The texts and the price of the visitor's price list; a product with no
// row in the visitor's nor the default language shows empty texts and a
// price of 0 rather than failing the page.
void CatalogoScheda::LeggiRigaLingua(qint32 id, CatalogoPagina& pagina)
{
    Catalogo& c = m_catalogo;
    CatalogoPrezzo& prezzo = m_prezzi.Prezzo();
    c.NomeProdotto.clear();
    c.DescrizioneFatturaProdotto.clear();
    c.DescrizioneBreveProdotto.clear();
    c.DescrizioneEstesaProdotto.clear();
    c.UMProdotto.clear();
    m_campiCustom.clear();
    prezzo.prezzoPromozioneVL = 0;
    prezzo.prezzoProdottoVL = 0;
    const CAdoRecordset* riga = nullptr;
    if (const auto dallaPagina = pagina.RigaLingua(id, m_visitatore.LinguaVisitatore(), m_visitatore.LinguaPredefinita())) {
        m_rsLingua.Close();
        riga = *dallaPagina;
    } else if (m_visitatore.ApriInLingua(
                   m_rsLingua, QStringLiteral("SELECT * FROM ProdottiLingue WHERE CodiceLingua=? AND IDProdotto=?"), id)) {
        riga = &m_rsLingua;
    }
    if (!riga)
        return;
    const CAdoRecordset& rs = *riga;
    c.NomeProdotto = CatalogoRiga::Decifrato(rs, QStringLiteral("Nome"));
    c.DescrizioneFatturaProdotto = CatalogoRiga::Decifrato(rs, QStringLiteral("DescrizioneFattura"));
    c.DescrizioneBreveProdotto = CatalogoRiga::Decifrato(rs, QStringLiteral("DescrizioneBreve"));
    c.DescrizioneEstesaProdotto = CatalogoRiga::Decifrato(rs, QStringLiteral("DescrizioneEstesa"));
    c.UMProdotto = CatalogoRiga::Testo(rs, QStringLiteral("UM"));
    m_campiCustom = CatalogoRiga::Testo(rs, QStringLiteral("CampiCustom"));
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("PrezzoPromozione"), prezzo.prezzoPromozioneVL);
    static const QString colonne[] = {QStringLiteral("Prezzo"), QStringLiteral("Prezzo2"), QStringLiteral("Prezzo3"),
                                      QStringLiteral("Prezzo4")};
    const qint32 listino = QtrVisitatore::Listino(*m_visitatore.Session());
    if (listino >= 0 && listino < 4)
        CatalogoRiga::SeNonNullo(rs, colonne[listino], prezzo.prezzoProdottoVL);
}

void CatalogoScheda::CaricaTaglie(const CAdoRecordset& rs)
{
    qint32 tabella = 0;
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("IDTabellaTaglie"), tabella);
    if (tabella <= 0) {
        m_catalogo.NumeroTaglie = 0;
        return;
    }
    // A page lists many products of few size tables.
    if (!m_valoriTaglie.contains(tabella)) {
        CacheNegozio::Apri(m_rsTaglie, QStringLiteral("SELECT Valori FROM ValoriTaglie WHERE ID=?"),
                           m_visitatore.Connection(), {tabella});
        // A size table deleted under its products leaves no sizes on sale.
        m_valoriTaglie.insert(tabella,
                              m_rsTaglie.IsEOF() ? QString() : CatalogoRiga::Testo(m_rsTaglie, QStringLiteral("Valori")));
        m_rsTaglie.Close();
    }
    const QString valori = m_valoriTaglie.value(tabella);
    qint32 da = -1;
    qint32 a = -1;
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("DATaglia"), da);
    CatalogoRiga::SeNonNullo(rs, QStringLiteral("ATaglia"), a);
    m_catalogo.Taglie = CatalogoTesti::TaglieInVendita(valori, da, a, m_catalogo.NumeroTaglie);
}

QString CatalogoScheda::CampoCustom(const QVariant& n)
{
    return CatalogoTesti::Campo(m_campiCustom, n, m_catalogo.NomeCampoCustom, m_catalogo.ValoreCampoCustom);
}

QString CatalogoScheda::Taglia(const QVariant& i) const
{
    const std::optional<qint32> posizione = CatalogoValori::Numero(i);
    return posizione ? CatalogoTesti::Taglia(m_catalogo.Taglie, *posizione, m_catalogo.NumeroTaglie) : QString();
}
