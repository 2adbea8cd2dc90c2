#include "server/orders/OrdineStatistiche.h"

#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspSession.h"
#include "server/core/Dizionario.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrValori.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/orders/OrdinePeriodo.h"

#include <stdexcept>

namespace {

const QString kDaOrdini = QStringLiteral(
    " FROM (Clienti INNER JOIN Ordini ON Clienti.ID = Ordini.IDCliente) INNER JOIN OrdiniDettaglio ON "
    "Ordini.ID = OrdiniDettaglio.IDOrdine");

// "%1" stands for the direction.
const QStringList kOrdinamentiClienti = {
    QStringLiteral(" ORDER BY Clienti.RagioneSociale %1, Clienti.Cognome %1, Clienti.Nome %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.Quantita) %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.QuantitaEvasa) %1"),
};

const QStringList kOrdinamentiProdotti = {
    QStringLiteral(" ORDER BY CodiceProdotto %1"),
    QStringLiteral(" ORDER BY OrdiniDettaglio.Prezzo %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.Quantita) %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.QuantitaEvasa) %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.Quantita-OrdiniDettaglio.QuantitaEvasa) %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.Quantita*OrdiniDettaglio.Prezzo) %1"),
    QStringLiteral(" ORDER BY Sum(OrdiniDettaglio.QuantitaEvasa*OrdiniDettaglio.Prezzo) %1"),
    QStringLiteral(" ORDER BY Sum((OrdiniDettaglio.Quantita-OrdiniDettaglio.QuantitaEvasa)*OrdiniDettaglio.Prezzo) %1"),
};

qint32 LunghezzaPagina(const QVariant& valore, qint32 righe)
{
    const qint32 n = CatalogoValori::Numero(valore).value_or(0);
    return qMin(n > 0 ? n : 10, righe);
}

void Richiedi(const std::unique_ptr<CAdoRecordset>& rs)
{
    if (!rs)
        throw std::logic_error("L'elenco non è aperto");
}

} // namespace

OrdineStatistiche::OrdineStatistiche(QObject* parent) : CQtrServerObject(parent) {}

OrdineStatistiche::~OrdineStatistiche() = default;

void OrdineStatistiche::ReleaseRecordsets()
{
    m_statistiche.reset();
    m_prodotti.reset();
}

QString OrdineStatistiche::Messaggio(const QString& codice)
{
    Dizionario dizionario;
    dizionario.OnStartPage(Context());
    if (SessionFlag(QStringLiteral("ShareConn")))
        dizionario.SetConn(Connection());
    QString testo = dizionario.Traduci(codice);
    dizionario.Free();
    return testo.isEmpty() ? codice : testo;
}

QString OrdineStatistiche::Importo(double valore) const
{
    return Funzioni::FormattaImporto(valore, SessionValue(QStringLiteral("ArrotondamentoListino")).toDouble());
}

// A new query (no sort key asked) takes the posted period, or the open one
// on a GET; a re-sort keeps the period in the Session. Null when a day is
// no day: Errore then holds why.
std::unique_ptr<OrdinePeriodo> OrdineStatistiche::Periodo(const char* dalla, const char* alla,
                                                          const char* chiaveDalla, const char* chiaveAlla)
{
    QString* dallaData = Proprieta(dalla);
    QString* allaData = Proprieta(alla);
    QString* errore = Proprieta("Errore");
    if (!dallaData || !allaData || !errore)
        throw std::logic_error("Proprietà del periodo mancanti");
    if (RequestValue(QStringLiteral("CampoOrd")).isEmpty()) {
        dallaData->clear();
        allaData->clear();
        if (Request()->ServerVariable(QStringLiteral("REQUEST_METHOD")).compare(QLatin1String("POST"),
                                                                                 Qt::CaseInsensitive) == 0) {
            *dallaData = Request()->Form(QStringLiteral("DallaData"));
            *allaData = Request()->Form(QStringLiteral("AllaData"));
            SetSession(QLatin1String(chiaveDalla), *dallaData);
            SetSession(QLatin1String(chiaveAlla), *allaData);
        }
    } else {
        *dallaData = SessionText(QLatin1String(chiaveDalla));
        *allaData = SessionText(QLatin1String(chiaveAlla));
    }
    errore->clear();
    SetSession(QStringLiteral("Errore"), QString());
    auto periodo = std::make_unique<OrdinePeriodo>(*dallaData, *allaData);
    if (periodo->Controllo() == OrdinePeriodo::Valido)
        return periodo;
    *errore = Messaggio(periodo->CodiceErrore());
    SetSession(QStringLiteral("Errore"), *errore);
    return nullptr;
}

// Every request that names a key turns the direction over; the clause
// comes from the fixed list, never from the request.
QString OrdineStatistiche::Ordinamento(const char* chiaveCampo, const char* chiaveModo, const QStringList& ordinamenti,
                                       const QString& predefinito, int& campo, QString& modo)
{
    const QString richiesta = RequestValue(QStringLiteral("CampoOrd"));
    SetSession(QLatin1String(chiaveCampo), richiesta);
    if (richiesta.isEmpty()) {
        campo = 0;
        modo = QStringLiteral("ASC");
        return predefinito;
    }
    const qint16 chiave = QtrValori::Intero16(richiesta);
    modo = SessionText(QLatin1String(chiaveModo)) == QLatin1String("ASC") ? QStringLiteral("DESC")
                                                                          : QStringLiteral("ASC");
    SetSession(QLatin1String(chiaveModo), modo);
    campo = chiave;
    return chiave >= 0 && chiave < ordinamenti.size() ? ordinamenti.at(chiave).arg(modo) : QString();
}

// The page kept in the Session, moved by Action: "i" first, "p" previous,
// "s" next; a page never set is the first.
qint32 OrdineStatistiche::Pagina(const char* chiave, int pagine)
{
    const QString azione = RequestValue(QStringLiteral("Action")).toLower();
    qint32 p = CatalogoValori::Numero(SessionValue(QLatin1String(chiave))).value_or(1);
    if (azione == QLatin1String("i"))
        p = 1;
    if (azione == QLatin1String("p"))
        --p;
    if (azione == QLatin1String("s"))
        ++p;
    p = qBound(1, p, qMax(1, pagine));
    SetSession(QLatin1String(chiave), p);
    return p;
}

// ---------------------------------------------------------------- an agent's customers

bool OrdineStatistiche::ApriElencoClientiAgenteStatistiche()
{
    return Guard([&] {
        const qint32 agente = QtrVisitatore::Agente(*Session());
        if (agente == 0)
            return false;
        IDAgenteOrdine = agente;
        const auto periodo =
            Periodo("StatisticheDallaData", "StatisticheAllaData", "StatisticheDallaData", "StatisticheAllaData");
        if (!periodo)
            return true;
        const QString ordine = Ordinamento(
            "OrdinamentoStatistiche", "ModoOrdStat", kOrdinamentiClienti,
            QStringLiteral(" ORDER BY Clienti.RagioneSociale ASC, Clienti.Cognome ASC, Clienti.Nome ASC"),
            CampoOrdinamentoStatistiche, ModoOrdinamentoStatistiche);
        m_statistiche = std::make_unique<CAdoRecordset>();
        m_statistiche->Open(
            QStringLiteral("SELECT Clienti.RagioneSociale, Clienti.Cognome, Clienti.Nome, "
                           "Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.Quantita) AS SommaDiPrezzo, "
                           "Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.QuantitaEvasa) AS SommaDiQuantitaEvasa, "
                           "Ordini.IDCliente, Clienti.IDAgente")
                + kDaOrdini
                + QStringLiteral(" WHERE (Ordini.Data>=? AND Ordini.Data<?) GROUP BY Clienti.RagioneSociale, "
                                 "Clienti.Cognome, Clienti.Nome, Ordini.IDCliente, Clienti.IDAgente "
                                 "HAVING Clienti.IDAgente=?")
                + ordine,
            Connection(), {periodo->Dal(), periodo->DopoAl(), agente});
        if (m_statistiche->IsEOF())
            return false;
        NumeroClientiStatistiche = m_statistiche->RecordCount();
        LunghezzaElencoClientiStatistiche = LunghezzaPagina(
            SessionValue(QStringLiteral("LunghezzaElencoClientiAgenteStatistiche")), NumeroClientiStatistiche);
        m_statistiche->SetPageSize(LunghezzaElencoClientiStatistiche);
        const qint32 p = Pagina("PaginaCorrenteElencoClientiStatistiche", m_statistiche->PageCount());
        m_statistiche->SetAbsolutePage(p);
        LeggiDatiClienteStatistiche();
        PaginaCorrenteStatistiche = p;
        TotalePagineStatistiche = m_statistiche->PageCount();
        return true;
    });
}

void OrdineStatistiche::LeggiDatiClienteStatistiche()
{
    const CAdoRecordset& rs = *m_statistiche;
    IDUtenteStatistiche = rs.Field(QStringLiteral("IDCliente")).toInt();
    RagioneSocialeStatistiche = rs.Field(QStringLiteral("RagioneSociale")).toString();
    CognomeStatistiche = rs.Field(QStringLiteral("Cognome")).toString();
    NomeStatistiche = rs.Field(QStringLiteral("Nome")).toString();
    ImportoOrdinato = rs.Field(QStringLiteral("SommaDiPrezzo")).toDouble();
    ImportoEvaso = rs.Field(QStringLiteral("SommaDiQuantitaEvasa")).toDouble();
    FImportoOrdinato = Importo(ImportoOrdinato);
    FImportoEvaso = Importo(ImportoEvaso);
}

bool OrdineStatistiche::LeggiClienteAgenteSuccessivoStatistiche()
{
    return Guard([&] {
        Richiedi(m_statistiche);
        m_statistiche->MoveNext();
        if (m_statistiche->IsEOF())
            return false;
        LeggiDatiClienteStatistiche();
        return true;
    });
}

void OrdineStatistiche::ChiudiElencoClientiAgenteStatistiche()
{
    Guard([&] { m_statistiche.reset(); });
}

bool OrdineStatistiche::ControlloPrimaPaginaElencoClientiStatistiche()
{
    return Guard([&] {
        return CatalogoValori::Numero(SessionValue(QStringLiteral("PaginaCorrenteElencoClientiStatistiche")))
                   .value_or(1)
            == 1;
    });
}

bool OrdineStatistiche::ControlloUltimaPaginaElencoClientiStatistiche()
{
    return Guard([&] {
        Richiedi(m_statistiche);
        return CatalogoValori::Numero(SessionValue(QStringLiteral("PaginaCorrenteElencoClientiStatistiche")))
                   .value_or(1)
            == m_statistiche->PageCount();
    });
}

void OrdineStatistiche::CalcolaTotaleOrdiniClientiAgente()
{
    Guard([&] {
        const qint32 agente = QtrVisitatore::Agente(*Session());
        if (agente == 0)
            return;
        const auto periodo =
            Periodo("StatisticheDallaData", "StatisticheAllaData", "StatisticheDallaData", "StatisticheAllaData");
        if (!periodo)
            return;
        CAdoRecordset totali;
        totali.Open(QStringLiteral("SELECT Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.Quantita) AS TotaleOrdinato, "
                                   "Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.QuantitaEvasa) AS TotaleEvaso, "
                                   "Clienti.IDAgente")
                        + kDaOrdini
                        + QStringLiteral(" WHERE (Ordini.Data>=? AND Ordini.Data<?) GROUP BY Clienti.IDAgente "
                                         "HAVING Clienti.IDAgente=?"),
                    Connection(), {periodo->Dal(), periodo->DopoAl(), agente});
        if (totali.IsEOF())
            return;
        TotaleOrdinatoClienti = totali.Field(QStringLiteral("TotaleOrdinato")).toDouble();
        TotaleEvasoClienti = totali.Field(QStringLiteral("TotaleEvaso")).toDouble();
        FTotaleOrdinatoClienti = Importo(TotaleOrdinatoClienti);
        FTotaleEvasoClienti = Importo(TotaleEvasoClienti);
    });
}

// ---------------------------------------------------------------- products per customer

// A customer sees his own products; an agent his own, those of each of his
// customers, and his whole book. No selection names the visitor's own.
OrdineStatistiche::Selezione OrdineStatistiche::SelezioneProdotti()
{
    const qint32 cliente = QtrVisitatore::Cliente(*Session());
    const qint32 agente = QtrVisitatore::Agente(*Session());
    IDUtenteProdotti = CatalogoValori::Id(RequestValue(QStringLiteral("IDUtente")), "IDUtente").value_or(0);
    IDAgenteProdotti = CatalogoValori::Id(RequestValue(QStringLiteral("IDAgente")), "IDAgente").value_or(0);
    Selezione s;
    if (IDUtenteProdotti == 0 && IDAgenteProdotti == 0)
        IDUtenteProdotti = cliente;
    if (IDUtenteProdotti != 0) {
        s.cliente = IDUtenteProdotti;
        s.consentita = IDUtenteProdotti == cliente || (agente != 0 && IDUtenteProdotti == agente);
        if (!s.consentita && agente != 0) {
            CAdoRecordset suo;
            suo.Open(QStringLiteral("SELECT ID FROM Clienti WHERE ID=? AND IDAgente=?"), Connection(),
                     {IDUtenteProdotti, agente});
            s.consentita = !suo.IsEOF();
        }
    } else {
        s.agente = IDAgenteProdotti;
        s.consentita = agente != 0 && IDAgenteProdotti == agente;
    }
    return s;
}

bool OrdineStatistiche::ApriElencoProdottiCliente()
{
    return Guard([&] {
        const Selezione sel = SelezioneProdotti();
        const auto periodo = Periodo("ProdottiDallaData", "ProdottiAllaData", "ProdottiDallaData", "ProdottiAllaData");
        if (!periodo)
            return true;
        if (!sel.consentita)
            return false;
        const QString ordine = Ordinamento("OrdinamentoProdotti", "ModoOrdProd", kOrdinamentiProdotti,
                                           QStringLiteral(" ORDER BY CodiceProdotto ASC"), CampoOrdinamentoProdotti,
                                           ModoOrdinamentoProdotti);
        QString sql;
        QVariantList valori = {periodo->Dal(), periodo->DopoAl()};
        if (sel.cliente != 0) {
            sql = QStringLiteral("SELECT Ordini.IDCliente, OrdiniDettaglio.IDProdotto, OrdiniDettaglio.CodiceProdotto, "
                                 "Sum(OrdiniDettaglio.Quantita) AS SommaDiQuantita, OrdiniDettaglio.Prezzo, "
                                 "Sum(OrdiniDettaglio.QuantitaEvasa) AS SommaDiQuantitaEvasa")
                + kDaOrdini
                + QStringLiteral(" WHERE (Ordini.Data>=? AND Ordini.Data<?) GROUP BY Ordini.IDCliente, "
                                 "OrdiniDettaglio.IDProdotto, OrdiniDettaglio.CodiceProdotto, OrdiniDettaglio.Prezzo "
                                 "HAVING Ordini.IDCliente=?");
            valori << sel.cliente;
        } else {
            sql = QStringLiteral("SELECT OrdiniDettaglio.IDProdotto, OrdiniDettaglio.CodiceProdotto, "
                                 "OrdiniDettaglio.Prezzo, Sum(OrdiniDettaglio.Quantita) AS SommaDiQuantita, "
                                 "Sum(OrdiniDettaglio.QuantitaEvasa) AS SommaDiQuantitaEvasa")
                + kDaOrdini
                + QStringLiteral(" WHERE (Ordini.Data>=? AND Ordini.Data<? AND (Clienti.ID=? OR Clienti.IDAgente=?)) "
                                 "GROUP BY OrdiniDettaglio.IDProdotto, OrdiniDettaglio.CodiceProdotto, "
                                 "OrdiniDettaglio.Prezzo");
            valori << sel.agente << sel.agente;
        }
        m_prodotti = std::make_unique<CAdoRecordset>();
        m_prodotti->Open(sql + ordine, Connection(), valori);
        if (m_prodotti->IsEOF())
            return false;
        NumeroProdottiCliente = m_prodotti->RecordCount();
        LunghezzaElencoProdottiCliente =
            LunghezzaPagina(SessionValue(QStringLiteral("LunghezzaElencoProdottiCliente")), NumeroProdottiCliente);
        m_prodotti->SetPageSize(LunghezzaElencoProdottiCliente);
        const qint32 p = Pagina("PaginaCorrenteElencoProdottiCliente", m_prodotti->PageCount());
        m_prodotti->SetAbsolutePage(p);
        LeggiDatiProdottoCliente();
        PaginaCorrenteProdottiCliente = p;
        TotalePagineProdottiCliente = m_prodotti->PageCount();
        return true;
    });
}

void OrdineStatistiche::LeggiDatiProdottoCliente()
{
    const CAdoRecordset& rs = *m_prodotti;
    CodiceProdotto = rs.Field(QStringLiteral("CodiceProdotto")).toString();
    PrezzoProdotto = rs.Field(QStringLiteral("Prezzo")).toDouble();
    FPrezzoProdotto = Importo(PrezzoProdotto);
    QuantitaOrdinata = rs.Field(QStringLiteral("SommaDiQuantita")).toFloat();
    QuantitaEvasa = rs.Field(QStringLiteral("SommaDiQuantitaEvasa")).toFloat();
    ImportoOrdinatoCliente = PrezzoProdotto * QuantitaOrdinata;
    ImportoEvasoCliente = PrezzoProdotto * QuantitaEvasa;
    ImportoDaEvadereCliente = ImportoOrdinatoCliente - ImportoEvasoCliente;
    FImportoOrdinatoCliente = Importo(ImportoOrdinatoCliente);
    FImportoEvasoCliente = Importo(ImportoEvasoCliente);
    FImportoDaEvadereCliente = Importo(ImportoDaEvadereCliente);
}

bool OrdineStatistiche::LeggiProdottiClienteSuccessivo()
{
    return Guard([&] {
        Richiedi(m_prodotti);
        m_prodotti->MoveNext();
        if (m_prodotti->IsEOF())
            return false;
        LeggiDatiProdottoCliente();
        return true;
    });
}

void OrdineStatistiche::ChiudiElencoProdottiCliente()
{
    Guard([&] { m_prodotti.reset(); });
}

bool OrdineStatistiche::ControlloPrimaPaginaElencoProdottiCliente()
{
    return Guard([&] {
        return CatalogoValori::Numero(SessionValue(QStringLiteral("PaginaCorrenteElencoProdottiCliente"))).value_or(1)
            == 1;
    });
}

bool OrdineStatistiche::ControlloUltimaPaginaElencoProdottiCliente()
{
    return Guard([&] {
        Richiedi(m_prodotti);
        return CatalogoValori::Numero(SessionValue(QStringLiteral("PaginaCorrenteElencoProdottiCliente"))).value_or(1)
            == m_prodotti->PageCount();
    });
}

void OrdineStatistiche::CalcolaTotaleOrdiniCliente()
{
    Guard([&] {
        const Selezione sel = SelezioneProdotti();
        const auto periodo = Periodo("ProdottiDallaData", "ProdottiAllaData", "ProdottiDallaData", "ProdottiAllaData");
        if (!periodo || !sel.consentita)
            return;
        const QString somme = QStringLiteral(
            "Sum(OrdiniDettaglio.Quantita) AS SommaDiQuantita, Sum(OrdiniDettaglio.Prezzo*OrdiniDettaglio.Quantita) "
            "AS ImportoOrdinato, Sum(OrdiniDettaglio.QuantitaEvasa) AS SommaDiQuantitaEvasa, "
            "Sum(OrdiniDettaglio.QuantitaEvasa*OrdiniDettaglio.Prezzo) AS ImportoEvaso");
        CAdoRecordset totali;
        if (sel.cliente != 0)
            totali.Open(QStringLiteral("SELECT Ordini.IDCliente, ") + somme + kDaOrdini
                            + QStringLiteral(" WHERE (Ordini.Data>=? AND Ordini.Data<?) GROUP BY Ordini.IDCliente "
                                             "HAVING Ordini.IDCliente=?"),
                        Connection(), {periodo->Dal(), periodo->DopoAl(), sel.cliente});
        else
            totali.Open(QStringLiteral("SELECT ") + somme + kDaOrdini
                            + QStringLiteral(" WHERE (Ordini.Data>=? AND Ordini.Data<? AND (Clienti.ID=? OR "
                                             "Clienti.IDAgente=?))"),
                        Connection(), {periodo->Dal(), periodo->DopoAl(), sel.agente, sel.agente});
        // No order in the period: the one ungrouped row holds only Nulls.
        if (totali.IsEOF() || totali.IsNull(QStringLiteral("SommaDiQuantita")))
            return;
        TotaleQuantitaOrdinata = totali.Field(QStringLiteral("SommaDiQuantita")).toFloat();
        TotaleQuantitaEvasa = totali.Field(QStringLiteral("SommaDiQuantitaEvasa")).toFloat();
        TotaleImportoOrdinato = totali.Field(QStringLiteral("ImportoOrdinato")).toDouble();
        TotaleImportoEvaso = totali.Field(QStringLiteral("ImportoEvaso")).toDouble();
        TotaleImportoDaEvadere = TotaleImportoOrdinato - TotaleImportoEvaso;
        FTotaleImportoOrdinato = Importo(TotaleImportoOrdinato);
        FTotaleImportoEvaso = Importo(TotaleImportoEvaso);
        FTotaleImportoDaEvadere = Importo(TotaleImportoDaEvadere);
    });
}
