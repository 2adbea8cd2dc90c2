#include "server/orders/OrdineConsultazione.h"

#include "platform/asp/IAspSession.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/orders/OrdineAddebito.h"
#include "server/orders/OrdineStati.h"

#include <stdexcept>

namespace {

// The zero date of the shop's dates: "no date".
const QDateTime kDataZero(QDate(1899, 12, 30), QTime(0, 0));

// Ordini columns copied into the page class's checkout properties; a Null
// column leaves the property as it was.
const struct
{
    const char* colonna;
    const char* proprieta;
} kTestiOrdine[] = {
    {"RagioneSociale", "RagioneSociale"},   {"Cognome", "Cognome"},     {"Nome", "Nome"},
    {"Indirizzo", "Indirizzo"},             {"Cap", "Cap"},             {"Localita", "Localita"},
    {"Provincia", "Provincia"},             {"Stato", "Stato"},         {"CFPI", "CFPI"},
    {"Telefono", "Telefono"},               {"Email", "Email"},         {"DRagioneSociale", "D_RagioneSociale"},
    {"DCognome", "D_Cognome"},              {"DNome", "D_Nome"},        {"DIndirizzo", "D_Indirizzo"},
    {"DCap", "D_Cap"},                      {"DLocalita", "D_Localita"}, {"DProvincia", "D_Provincia"},
    {"DStato", "D_Stato"},
};

// The consignee's columns, one to one into D_ properties and Session keys.
const char* const kCampiDestinatario[] = {"RagioneSociale", "Cognome",   "Nome",      "Indirizzo",
                                          "Cap",            "Localita",  "Provincia", "Stato"};

void Testo(const CAdoRecordset& rs, const char* colonna, QString& proprieta)
{
    const QVariant v = rs.Field(QLatin1String(colonna));
    if (!v.isNull())
        proprieta = v.toString();
}

void Data(const CAdoRecordset& rs, const char* colonna, QDateTime& proprieta)
{
    const QVariant v = rs.Field(QLatin1String(colonna));
    if (!v.isNull())
        proprieta = CAdoRecordset::DateValue(v);
}

// A page size from the Session; one that is missing or not positive
// shows ten rows rather than failing the page.
qint32 LunghezzaPagina(const QVariant& valore)
{
    const qint32 n = CatalogoValori::Numero(valore).value_or(0);
    return n > 0 ? n : 10;
}

qint32 Pagine(qint32 righe, qint32 lunghezza) { return (righe + lunghezza - 1) / lunghezza; }

} // namespace

OrdineConsultazione::OrdineConsultazione(QObject* parent) : OrdineStatistiche(parent) {}

OrdineConsultazione::~OrdineConsultazione() = default;

void OrdineConsultazione::ReleaseRecordsets()
{
    OrdineStatistiche::ReleaseRecordsets();
    m_ordini.reset();
    m_dettaglio.reset();
    m_riordino.clear();
    m_posRiordino = -1;
}

qint32 OrdineConsultazione::ClienteCollegato() const { return QtrVisitatore::Cliente(*Session()); }

// An empty Page is the first; a page beyond the last shows the last.
qint32 OrdineConsultazione::PaginaRichiesta() const
{
    const qint32 pagina = CatalogoValori::Id(RequestValue(QStringLiteral("Page")), "Page").value_or(1);
    return pagina < 1 ? 1 : pagina;
}

// ---------------------------------------------------------------- the order list

bool OrdineConsultazione::ApriListaOrdini()
{
    return Guard([&] {
        const qint32 cliente = ClienteCollegato();
        if (cliente == 0)
            return false;
        qint32 pagina = PaginaRichiesta();
        m_ordini = std::make_unique<CAdoRecordset>();
        m_ordini->Open(QStringLiteral("SELECT * FROM Ordini WHERE IDCliente=? ORDER BY Data DESC, Ora DESC, ID DESC"),
                       Connection(), {cliente});
        if (m_ordini->IsEOF())
            return false;
        NumeroOrdini = m_ordini->RecordCount();
        LunghezzaListaOrdini = qMin(LunghezzaPagina(SessionValue(QStringLiteral("OrderPageSize"))), NumeroOrdini);
        m_ordini->SetPageSize(LunghezzaListaOrdini);
        pagina = qMin(pagina, m_ordini->PageCount());
        m_ordini->SetAbsolutePage(pagina);
        LeggiDatiOrdine(*m_ordini);
        PaginaCorrenteOrdini = pagina;
        TotalePagineOrdini = m_ordini->PageCount();
        return true;
    });
}

bool OrdineConsultazione::LeggiOrdineSuccessivo()
{
    return Guard([&] {
        if (!m_ordini)
            throw std::logic_error("La lista degli ordini non è aperta");
        m_ordini->MoveNext();
        if (m_ordini->IsEOF())
            return false;
        LeggiDatiOrdine(*m_ordini);
        return true;
    });
}

void OrdineConsultazione::ChiudiListaOrdini()
{
    Guard([&] { m_ordini.reset(); });
}

bool OrdineConsultazione::ControlloPrimaPaginaOrdini() { return PaginaCorrenteOrdini == 1; }

bool OrdineConsultazione::ControlloUltimaPaginaOrdini()
{
    return Guard([&] {
        if (!m_ordini)
            throw std::logic_error("La lista degli ordini non è aperta");
        return PaginaCorrenteOrdini == m_ordini->PageCount();
    });
}

// ---------------------------------------------------------------- one order

bool OrdineConsultazione::LeggiOrdine(const QVariant& ID)
{
    return Guard([&] {
        qint32 id = CatalogoValori::Id(ID, "ID").value_or(0);
        if (id == 0)
            id = CatalogoValori::Id(RequestValue(QStringLiteral("IDOrdine")), "IDOrdine").value_or(0);
        // The list and the order share one cursor.
        m_ordini.reset();
        const qint32 cliente = ClienteCollegato();
        if (cliente == 0 || id == 0)
            return false;
        CAdoRecordset ordine;
        ordine.Open(QStringLiteral("SELECT * FROM Ordini WHERE ID=? AND IDCliente=?"), Connection(), {id, cliente});
        if (ordine.IsEOF())
            return false;
        LeggiDatiOrdine(ordine);
        return true;
    });
}

void OrdineConsultazione::LeggiDatiOrdine(const CAdoRecordset& ordine)
{
    for (const auto& t : kTestiOrdine)
        if (QString* p = Proprieta(t.proprieta))
            Testo(ordine, t.colonna, *p);
    Testo(ordine, "NumOrdine", NumeroOrdine);
    Data(ordine, "Data", DataOrdine);
    Data(ordine, "Ora", OraOrdine);
    Testo(ordine, "CodiceLingua", CodiceLinguaOrdine);
    Data(ordine, "DataFattura", DataFatturaOrdine);
    if (QString* note = Proprieta("Note"))
        Testo(ordine, "Note", *note);
    Testo(ordine, "AutorizzazioneCartaCredito", AutorizzazioneCartaCredito);
    if (QString* pagamento = Proprieta("TipoPagamento")) {
        Testo(ordine, "TipoPagamento", *pagamento);
        if (*pagamento == QLatin1String("CartaCredito"))
            *pagamento = QStringLiteral("Carta Credito");
    }
    m_statiOrdine = ordine.Field(QStringLiteral("Stati")).toString();
    IDOrdine = ordine.Field(QStringLiteral("ID")).toInt();
    IDClienteOrdine = ordine.Field(QStringLiteral("IDCliente")).toInt();
    NumeroFatturaOrdine = ordine.Field(QStringLiteral("NumeroFattura")).toInt();
    StatoPagamento = ordine.Field(QStringLiteral("Pagato")).toInt() != 0;
    EsenzioneIVA = ordine.Field(QStringLiteral("EsenzioneIVA")).toInt() != 0;
    m_cambioOrdine = ordine.Field(QStringLiteral("Cambio")).toDouble();
    LeggiValutaOrdine();
    LeggiUltimoStato();
    CalcolaTotaliOrdine(ordine);
}

// The currency of the language the order was placed in; its rate is the
// one stored with the order.
void OrdineConsultazione::LeggiValutaOrdine()
{
    CAdoRecordset valuta;
    valuta.Open(QStringLiteral("SELECT Valute.Simbolo, Valute.Arrotondamento FROM Lingue INNER JOIN Valute "
                               "ON Lingue.IDValuta=Valute.ID WHERE Lingue.Codice=?"),
                Connection(), {CodiceLinguaOrdine});
    if (valuta.IsEOF())
        throw std::runtime_error(("Valuta della lingua dell'ordine non trovata: " + CodiceLinguaOrdine).toStdString());
    Testo(valuta, "Simbolo", SimboloValutaOrdine);
    m_arrotondamentoOrdine = valuta.Field(QStringLiteral("Arrotondamento")).toDouble();
}

void OrdineConsultazione::LeggiUltimoStato()
{
    DataStatoOrdine = kDataZero;
    OraStatoOrdine = kDataZero;
    DescrizioneStatoOrdine.clear();
    for (qint64 n = 1; LeggiStatoOrdine(n); ++n) {
    }
}

bool OrdineConsultazione::LeggiStatoOrdine(const QVariant& Numero)
{
    return Guard([&] {
        bool ok = false;
        const double numero = Numero.toDouble(&ok);
        if (!ok)
            throw std::invalid_argument("LeggiStatoOrdine: il numero dello stato non è un numero");
        const OrdineStati::Voce voce = OrdineStati(m_statiOrdine).Leggi(qint64(numero));
        if (!voce.trovata)
            return false;
        if (voce.data.isValid())
            DataStatoOrdine = voce.data;
        if (voce.ora.isValid())
            OraStatoOrdine = voce.ora;
        DescrizioneStatoOrdine = voce.descrizione;
        return true;
    });
}

// ---------------------------------------------------------------- lines and totals

OrdineImporti OrdineConsultazione::Importi() const
{
    OrdineImporti::Cambi cambi;
    cambi.listino2Euro = SessionValue(QStringLiteral("FCListino2Euro")).toDouble();
    cambi.cambioOrdine = m_cambioOrdine;
    cambi.arrotondamento = m_arrotondamentoOrdine;
    return OrdineImporti(cambi);
}

namespace {

void Imposta(const OrdineImporti::Importo& i, double& valore, double& inEuro, QString& testo, QString& testoInEuro)
{
    valore = i.valore;
    inEuro = i.inEuro;
    testo = i.testo;
    testoInEuro = i.testoInEuro;
}

} // namespace

void OrdineConsultazione::CalcolaTotaliOrdine(const CAdoRecordset& ordine)
{
    // The line cursor is shared with the totals and the reorder list.
    m_dettaglio.reset();
    m_posRiordino = -1;
    CAdoRecordset righe;
    righe.Open(QStringLiteral("SELECT * FROM OrdiniDettaglio WHERE IDOrdine=? ORDER BY ID"), Connection(), {IDOrdine});
    QList<OrdineImporti::Riga> lista;
    for (; !righe.IsEOF(); righe.MoveNext())
        lista.append(OrdineImporti::RigaDa(righe));
    const OrdineImporti::Costi costi = OrdineImporti::CostiDa(ordine);
    const std::optional<OrdineAddebito> addebito = OrdineAddebito::Leggi(ordine, m_arrotondamentoOrdine);
    const OrdineImporti::Totali t = addebito ? Importi().TotaliAddebitati(lista, costi, *addebito)
                                             : Importi().CalcolaTotali(lista, costi);
    Imposta(t.imponibileOrdine, TotaleImponibileOrdine, TotaleImponibileOrdineInEuro, FTotaleImponibileOrdine,
            FTotaleImponibileOrdineInEuro);
    Imposta(t.imponibileOrdinato, TotaleImponibileOrdinato, TotaleImponibileOrdinatoInEuro,
            FTotaleImponibileOrdinato, FTotaleImponibileOrdinatoInEuro);
    Imposta(t.impostaOrdine, TotaleImpostaOrdine, TotaleImpostaOrdineInEuro, FTotaleImpostaOrdine,
            FTotaleImpostaOrdineInEuro);
    Imposta(t.impostaOrdinato, TotaleImpostaOrdinato, TotaleImpostaOrdinatoInEuro, FTotaleImpostaOrdinato,
            FTotaleImpostaOrdinatoInEuro);
    Imposta(t.speseSpedizione, SpeseSpedizioneOrdine, SpeseSpedizioneOrdineInEuro, FSpeseSpedizioneOrdine,
            FSpeseSpedizioneOrdineInEuro);
    Imposta(t.speseContrassegno, SpeseContrassegnoOrdine, SpeseContrassegnoOrdineInEuro, FSpeseContrassegnoOrdine,
            FSpeseContrassegnoOrdineInEuro);
    Imposta(t.totaleOrdine, TotaleOrdine, TotaleOrdineInEuro, FTotaleOrdine, FTotaleOrdineInEuro);
    Imposta(t.totaleOrdinato, TotaleOrdinato, TotaleOrdinatoInEuro, FTotaleOrdinato, FTotaleOrdinatoInEuro);
    FTotaleImponibileOrdineDaEvadere = t.imponibileDaEvadere;
    FTotaleImponibileOrdineDaEvadereInEuro = t.imponibileDaEvadereInEuro;
}

// The lines are read only through the visitor's own order, whatever the
// page wrote into IDOrdine.
bool OrdineConsultazione::LeggiPrimoRigoDettaglio()
{
    return Guard([&] {
        m_dettaglio.reset();
        m_posRiordino = -1;
        const qint32 cliente = ClienteCollegato();
        if (cliente == 0 || IDOrdine == 0)
            return false;
        auto righe = std::make_unique<CAdoRecordset>();
        righe->Open(QStringLiteral("SELECT OrdiniDettaglio.* FROM OrdiniDettaglio INNER JOIN Ordini ON "
                                   "OrdiniDettaglio.IDOrdine=Ordini.ID WHERE OrdiniDettaglio.IDOrdine=? AND "
                                   "Ordini.IDCliente=? ORDER BY OrdiniDettaglio.ID"),
                    Connection(), {IDOrdine, cliente});
        if (righe->IsEOF())
            return false;
        m_dettaglio = std::move(righe);
        LeggiDatiRigoDettaglio();
        return true;
    });
}

bool OrdineConsultazione::LeggiRigoDettaglioSuccessivo()
{
    return Guard([&] {
        if (!m_dettaglio)
            throw std::logic_error("Le righe dell'ordine non sono aperte");
        m_dettaglio->MoveNext();
        if (m_dettaglio->IsEOF()) {
            m_dettaglio.reset();
            return false;
        }
        LeggiDatiRigoDettaglio();
        return true;
    });
}

void OrdineConsultazione::LeggiDatiRigoDettaglio()
{
    const CAdoRecordset& rs = *m_dettaglio;
    IDProdottoDettaglioOrdine = rs.Field(QStringLiteral("IDProdotto")).toInt();
    Testo(rs, "CodiceProdotto", CodiceProdottoDettaglioOrdine);
    Testo(rs, "Nome", NomeProdottoDettaglioOrdine);
    Testo(rs, "Descrizione", DescrizioneProdottoDettaglioOrdine);
    Testo(rs, "UM", UMProdottoDettaglioOrdine);
    Testo(rs, "Taglia", TagliaProdottoDettaglioOrdine);
    IDColoreProdottoDettaglioOrdine = rs.Field(QStringLiteral("IDColore")).toInt();
    const OrdineImporti::Riga riga = OrdineImporti::RigaDa(rs);
    IVAProdottoDettaglioOrdine = riga.iva;
    QuantitaDettaglioOrdine = riga.quantita;
    QuantitaEvasaDettaglioOrdine = riga.quantitaEvasa;
    PesoProdottoDettaglioOrdine = rs.Field(QStringLiteral("Peso")).toFloat();
    const OrdineImporti::ImportiRiga r = Importi().CalcolaRiga(riga);
    Imposta(r.prezzo, PrezzoProdottoDettaglioOrdine, PrezzoProdottoDettaglioOrdineInEuro,
            FPrezzoProdottoDettaglioOrdine, FPrezzoProdottoDettaglioOrdineInEuro);
    Imposta(r.evaso, ImportoProdottoDettaglioOrdine, ImportoProdottoDettaglioOrdineInEuro,
            FImportoProdottoDettaglioOrdine, FImportoProdottoDettaglioOrdineInEuro);
    Imposta(r.ordinato, ImportoProdottoDettaglioOrdinato, ImportoProdottoDettaglioOrdinatoInEuro,
            FImportoProdottoDettaglioOrdinato, FImportoProdottoDettaglioOrdinatoInEuro);
    FImportoProdottoDettaglioOrdineDaEvadere = r.daEvadere;
    FImportoProdottoDettaglioOrdineDaEvadereInEuro = r.daEvadereInEuro;
}

// ---------------------------------------------------------------- reorder

// Every line of the visitor's orders of an active product that is neither
// hidden itself from his group or him nor reachable only through hidden
// categories, newest first; the first line of a product is its last order.
void OrdineConsultazione::CaricaRiordino()
{
    const qint32 cliente = ClienteCollegato();
    const QVariant gruppo = QtrVisitatore::Gruppo(*Session());
    CAdoRecordset righe;
    righe.Open(QStringLiteral(
                   "SELECT OrdiniDettaglio.IDProdotto, Ordini.Data, OrdiniDettaglio.Quantita "
                   "FROM (OrdiniDettaglio INNER JOIN Ordini ON OrdiniDettaglio.IDOrdine=Ordini.ID) "
                   "INNER JOIN Prodotti ON OrdiniDettaglio.IDProdotto=Prodotti.ID "
                   "WHERE Ordini.IDCliente=? AND Prodotti.Attivo=1 "
                   "AND EXISTS (SELECT CategorieProdotti.IDCategoria FROM CategorieProdotti "
                   "WHERE CategorieProdotti.IDProdotto=Prodotti.ID AND NOT EXISTS (SELECT Permessi.IDRecord "
                   "FROM Permessi WHERE Permessi.IDRecord=CategorieProdotti.IDCategoria AND Permessi.Tipo=0 "
                   "AND (Permessi.IDGruppo=? OR Permessi.IDUtente=?))) "
                   "AND NOT EXISTS (SELECT Permessi.IDRecord FROM Permessi WHERE Permessi.IDRecord=Prodotti.ID "
                   "AND Permessi.Tipo=1 AND (Permessi.IDGruppo=? OR Permessi.IDUtente=?)) "
                   "ORDER BY Ordini.Data DESC, Ordini.Ora DESC, Ordini.ID DESC, OrdiniDettaglio.ID DESC"),
               Connection(), {cliente, gruppo, cliente, gruppo, cliente});
    m_riordino.clear();
    QSet<qint32> visti;
    for (; !righe.IsEOF(); righe.MoveNext()) {
        const qint32 id = righe.Field(QStringLiteral("IDProdotto")).toInt();
        if (visti.contains(id))
            continue;
        visti.insert(id);
        m_riordino.append({id, CAdoRecordset::DateValue(righe.Field(QStringLiteral("Data"))),
                           righe.Field(QStringLiteral("Quantita")).toFloat()});
    }
}

bool OrdineConsultazione::ApriPaginaRiordino()
{
    return Guard([&] {
        m_posRiordino = -1;
        if (ClienteCollegato() == 0)
            return false;
        const qint32 pagina = PaginaRichiesta();
        m_dettaglio.reset();
        CaricaRiordino();
        m_posRiordino = 0;
        if (m_riordino.isEmpty())
            return false;
        NumeroProdottiRiordino = m_riordino.size();
        LunghezzaPaginaRiordino =
            qMin(LunghezzaPagina(SessionValue(QStringLiteral("ReorderPageSize"))), NumeroProdottiRiordino);
        TotalePagineRiordino = Pagine(NumeroProdottiRiordino, LunghezzaPaginaRiordino);
        PaginaCorrenteRiordino = qMin(pagina, TotalePagineRiordino);
        m_posRiordino = (PaginaCorrenteRiordino - 1) * LunghezzaPaginaRiordino;
        return LeggiProdottoRiordinoSuccessivo();
    });
}

bool OrdineConsultazione::LeggiProdottoRiordinoSuccessivo()
{
    return Guard([&] {
        if (m_posRiordino < 0)
            throw std::logic_error("La pagina di riordino non è aperta");
        if (m_posRiordino >= m_riordino.size())
            return false;
        const ProdottoRiordino& p = m_riordino.at(m_posRiordino++);
        IDProdottoDettaglioOrdine = p.idProdotto;
        DataOrdine = p.data;
        QuantitaDettaglioOrdine = p.quantita;
        return true;
    });
}

void OrdineConsultazione::ChiudiPaginaRiordino()
{
    Guard([&] {
        m_riordino.clear();
        m_posRiordino = -1;
    });
}

bool OrdineConsultazione::ControlloPrimaPaginaRiordino() { return PaginaCorrenteRiordino == 1; }

bool OrdineConsultazione::ControlloUltimaPaginaRiordino()
{
    return Guard([&] {
        if (m_posRiordino < 0)
            throw std::logic_error("La pagina di riordino non è aperta");
        return PaginaCorrenteRiordino == TotalePagineRiordino;
    });
}

// ---------------------------------------------------------------- consignee

// Only a consignee of the logged-in buyer is taken; any other choice, a
// foreign one included, counts as none.
void OrdineConsultazione::LeggiDatiDestinatario()
{
    Guard([&] {
        SetSession(QStringLiteral("IDDestinatario"), 0);
        for (const char* campo : kCampiDestinatario)
            SetSession(QStringLiteral("D_") + QLatin1String(campo), QString());
        const qint32 id = CatalogoValori::Numero(RequestValue(QStringLiteral("IDDestinatario"))).value_or(0);
        const qint32 cliente = ClienteCollegato();
        if (id <= 0 || cliente == 0)
            return;
        CAdoRecordset destinatario;
        destinatario.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=? AND IDCliente=?"), Connection(),
                          {id, cliente});
        if (destinatario.IsEOF())
            return;
        SetSession(QStringLiteral("IDDestinatario"), id);
        for (const char* campo : kCampiDestinatario) {
            const QByteArray nome = QByteArray("D_") + campo;
            QString* p = Proprieta(nome.constData());
            if (!p)
                continue;
            Testo(destinatario, campo, *p);
            SetSession(QLatin1String(nome), *p);
        }
    });
}
