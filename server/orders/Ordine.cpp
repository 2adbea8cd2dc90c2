#include "server/orders/Ordine.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspSession.h"
#include "platform/mail/CSmtpMessage.h"
#include "server/core/Funzioni.h"
#include "server/core/Dizionario.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/LettoreNumeri.h"
#include "server/orders/Carrello.h"
#include "server/orders/OrdineCifraturaCarta.h"
#include "server/orders/OrdineControlli.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "server/orders/OrdineRichiesteBanca.h"
#include "server/orders/OrdineScrittura.h"
#include "server/orders/OrdineTestoMail.h"

#include <QDate>
#include <QHash>

QTR_ASP_REGISTER(Ordine)

namespace {

// Another object of the component for this page, on the page's connection
// while the page shares one.
template <class Oggetto>
void Apri(Oggetto& oggetto, IAspScriptingContext* contesto, bool condivisa, QObject* connessione)
{
    oggetto.OnStartPage(contesto);
    if (condivisa)
        oggetto.SetConn(connessione);
}

qint32 Intero(const QVariant& valore)
{
    return LettoreNumeri::Intero(valore).value_or(0);
}

} // namespace

Ordine::Ordine(QObject* parent) : OrdineConsultazione(parent) {}

Ordine::~Ordine() = default;

void Ordine::Start()
{
    CaricaDallaSessione();
    StatisticheDallaData = SessionText(QStringLiteral("StatisticheDallaData"));
    StatisticheAllaData = SessionText(QStringLiteral("StatisticheAllaData"));
    ProdottiDallaData = SessionText(QStringLiteral("ProdottiDallaData"));
    ProdottiAllaData = SessionText(QStringLiteral("ProdottiAllaData"));
    CQtrServerObject::Start();
}

void Ordine::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

QString* Ordine::Proprieta(const char* nome)
{
    static const QHash<QString, QString Ordine::*> proprieta = {
        {"RagioneSociale", &Ordine::RagioneSociale}, {"Cognome", &Ordine::Cognome},
        {"Nome", &Ordine::Nome},
        {"Indirizzo", &Ordine::Indirizzo},           {"Cap", &Ordine::Cap},
        {"Localita", &Ordine::Localita},             {"Provincia", &Ordine::Provincia},
        {"Stato", &Ordine::Stato},                   {"CFPI", &Ordine::CFPI},
        {"Telefono", &Ordine::Telefono},             {"Email", &Ordine::Email},
        {"D_RagioneSociale", &Ordine::D_RagioneSociale}, {"D_Cognome", &Ordine::D_Cognome},
        {"D_Nome", &Ordine::D_Nome},                 {"D_Indirizzo", &Ordine::D_Indirizzo},
        {"D_Cap", &Ordine::D_Cap},                   {"D_Localita", &Ordine::D_Localita},
        {"D_Provincia", &Ordine::D_Provincia},       {"D_Stato", &Ordine::D_Stato},
        {"Note", &Ordine::Note},                     {"TipoPagamento", &Ordine::TipoPagamento},
        {"Errore", &Ordine::Errore},
        {"StatisticheDallaData", &Ordine::StatisticheDallaData}, {"StatisticheAllaData", &Ordine::StatisticheAllaData},
        {"ProdottiDallaData", &Ordine::ProdottiDallaData}, {"ProdottiAllaData", &Ordine::ProdottiAllaData},
    };
    const auto it = proprieta.find(QLatin1String(nome));
    return it == proprieta.end() ? nullptr : &(this->*it.value());
}

void Ordine::CaricaDallaSessione()
{
    for (const OrdineCampo& c : OrdineControlli::Campi())
        if (QString* p = Proprieta(c.proprieta))
            *p = SessionText(QLatin1String(c.chiave));
    Errore = SessionText(QStringLiteral("Errore"));
}

void Ordine::Salva()
{
    for (const OrdineCampo& c : OrdineControlli::Campi())
        if (QString* p = Proprieta(c.proprieta))
            SetSession(QLatin1String(c.chiave), *p);
    SetSession(QStringLiteral("Errore"), Errore);
}

// Only a customer who has logged in is pre-filled: the customer cookie
// alone names a row, it proves nothing about who is at the keyboard; nor
// does the Session's IDUtente, which names the anonymous visitor's row too.
void Ordine::AzzeraDatiPersonali()
{
    Guard([&] {
        const qint32 id = QtrVisitatore::Cliente(*Session());
        CAdoRecordset rs;
        if (id >= 1)
            rs.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=?"), Connection(), {id});
        for (const OrdineCampo& c : OrdineControlli::Campi()) {
            QString* p = Proprieta(c.proprieta);
            if (!p)
                continue;
            const QString colonna = QLatin1String(c.colonna);
            *p = rs.IsOpen() && !rs.IsEOF() && !colonna.isEmpty() ? rs.Field(colonna).toString() : QString();
        }
        Errore.clear();
        Salva();
    });
}

bool Ordine::Annullato(bool get) const
{
    if (!get) {
        for (const auto& [nome, valore] : Request()->FormFields()) {
            Q_UNUSED(valore);
            if ((nome.endsWith(QLatin1String(".x")) || nome.endsWith(QLatin1String(".y")))
                && nome.left(7) == QLatin1String("Annulla"))
                return true;
        }
    }
    return RequestValue(QStringLiteral("Submit")) == QLatin1String("Annulla");
}

int Ordine::ControlloDatiPersonali()
{
    return Guard([&] {
        Response()->SetExpires(0);
        const bool get = Request()->ServerVariable(QStringLiteral("REQUEST_METHOD")) == QLatin1String("GET");
        QHash<QString, QString> valori;
        for (const OrdineCampo& c : OrdineControlli::Campi()) {
            if (*c.campo) {
                const QString campo = QLatin1String(c.campo);
                SetSession(QLatin1String(c.chiave), OrdineControlli::Limitato(c, get ? Request()->QueryString(campo)
                                                                                     : Request()->Form(campo)));
            }
            valori.insert(QLatin1String(c.chiave), SessionText(QLatin1String(c.chiave)));
        }
        if (Annullato(get))
            return 1;
        const QString codice
            = OrdineControlli::UltimoErrore(valori, [this](const QString& tipo) { return PagamentoAmmesso(tipo); });
        Errore = codice.isEmpty() ? QString() : Messaggio(codice);
        SetSession(QStringLiteral("Errore"), Errore);
        // The form shows what the visitor typed, accepted or not.
        CaricaDallaSessione();
        return Errore.isEmpty() ? 0 : 2;
    });
}

bool Ordine::CheckCFPI(const QVariant& CFPI)
{
    return OrdineControlli::CheckCFPI(CFPI.toString());
}

QString Ordine::LeggiCondizioniVendita()
{
    return Guard([&] {
        CAdoRecordset rs;
        const QString sql = QStringLiteral("SELECT * FROM CondizioniVendita WHERE CodiceLingua=?");
        rs.Open(sql, Connection(), {SessionText(QStringLiteral("CodiceLingua"))});
        if (rs.IsEOF())
            rs.Open(sql, Connection(), {SessionText(QStringLiteral("CodiceLinguaPredefinita"))});
        if (rs.IsEOF() || rs.IsNull(QStringLiteral("Testo")))
            return QString();
        return Funzioni::DecifraTesto(rs.Field(QStringLiteral("Testo")).toString());
    });
}

void Ordine::MemorizzaCookieCliente()
{
    Guard([&] {
        if (Funzioni::ModalitaLocale(Context()))
            return;
        CAspCookie cookie;
        cookie.value = SessionText(QStringLiteral("IDClienteOrdine"));
        cookie.expires = QDateTime(QDate::currentDate().addYears(10), QTime(0, 0));
        cookie.path = QStringLiteral("/");
        cookie.secure = false;
        Response()->SetCookie(QStringLiteral("QTRIDCliente"), cookie);
    });
}

// ---------------------------------------------------------------- submission

OrdineRiga Ordine::RigaCorrente(Carrello& c)
{
    OrdineRiga r;
    r.idProdotto = c.IDProdotto;
    r.codiceProdotto = c.CodiceProdotto;
    r.nomeProdotto = c.NomeProdotto;
    r.descrizioneFattura = c.DescrizioneFatturaProdotto;
    r.descrizioneBreve = c.DescrizioneBreveProdotto;
    r.idColore = c.IDColore;
    r.codiceColore = c.CodiceColoreProdotto;
    r.taglia = c.Taglia;
    r.um = c.UMProdotto;
    r.quantita = c.Quantita;
    r.prezzo = c.PrezzoProdotto;
    r.imposta = c.ImpostaProdotto;
    r.iva = c.IVAProdotto;
    r.peso = c.PesoProdotto;
    for (int j = 1; j <= c.NumeroCampiUtente; ++j) {
        const QString valore = c.LeggiCampoUtente(j);
        r.campiUtente.append({c.NomeCampoUtente, valore});
    }
    r.fPrezzo = c.FPrezzoProdotto;
    r.fPrezzoInEuro = c.FPrezzoProdottoInEuro;
    r.fImporto = c.FImportoProdotto;
    r.fImportoInEuro = c.FImportoProdottoInEuro;
    return r;
}

OrdineDati Ordine::DatiOrdine(Carrello& carrello, bool credenziali) const
{
    OrdineDati d;
    d.idUtente = QtrVisitatore::Cliente(*Session());
    d.idDestinatario = Intero(SessionValue(QStringLiteral("IDDestinatario")));
    d.credenziali = credenziali;
    d.locale = Funzioni::ModalitaLocale(Context());
    d.acquirente = {SessionText("RagioneSocialeUtente"), SessionText("CognomeUtente"),  SessionText("NomeUtente"),
                    SessionText("IndirizzoUtente"),      SessionText("CapUtente"),      SessionText("LocalitaUtente"),
                    SessionText("ProvinciaUtente"),      SessionText("StatoUtente"),    SessionText("TelefonoUtente"),
                    SessionText("EmailUtente"),          SessionText("CFPIUtente")};
    d.destinatario = {SessionText("D_RagioneSociale"), SessionText("D_Cognome"),   SessionText("D_Nome"),
                      SessionText("D_Indirizzo"),      SessionText("D_Cap"),       SessionText("D_Localita"),
                      SessionText("D_Provincia"),      SessionText("D_Stato"),     {}, {}, {}};
    d.note = SessionText(QStringLiteral("NoteUtente"));
    d.tipoPagamento = TipoPagamento;
    d.codiceLingua = SessionText(QStringLiteral("CodiceLingua"));
    d.fcEuro2Web = SessionValue(QStringLiteral("FCEuro2Web")).toDouble();
    d.fcListino2Euro = SessionValue(QStringLiteral("FCListino2Euro")).toDouble();
    d.arrotondamento = SessionValue(QStringLiteral("Arrotondamento")).toDouble();
    d.ivaSpedizioni = SessionValue(QStringLiteral("IvaSpedizioni")).toDouble();
    d.prezziIvaCompresa = SessionFlag(QStringLiteral("AttivaPrezziIvaCompresa"));
    d.speseSpedizioneVL = carrello.ImportoSpeseSpedizioneVL();
    d.speseContrassegnoVL = carrello.SpeseContrassegnoVL();
    d.esenzioneIVA = carrello.EsenzioneIVA();
    for (int i = 1; i <= carrello.NumeroOggettiNelCarrello; ++i) {
        carrello.LeggiOggetto(i);
        d.righe.append(RigaCorrente(carrello));
    }
    d.addebito = OrdineAddebito::DaCarrello(carrello.Totali(), d.arrotondamento, d.fcEuro2Web, d.ivaSpedizioni,
                                            d.tipoPagamento == QLatin1String("Contrassegno"));
    return d;
}

// Everything is read before the first write and written in one
// transaction; the Session learns the order and the merchant is mailed
// only once it is committed.
void Ordine::NotificaEsercente(const QVariant& UlterioriNote, const QVariant& FlagUserID)
{
    Guard([&] {
        if (OrdineGiaInviato())
            return;
        // Whatever page calls, no order goes without its shipping or with a
        // payment kind the shop does not take.
        if (!PagamentoAmmesso(TipoPagamento))
            throw std::runtime_error("L'ordine non può essere inviato: il tipo di pagamento non è disponibile.");
        if (!SpedizioneScelta())
            throw std::runtime_error("L'ordine non può essere inviato: manca la spedizione.");
        const bool condivisa = SessionFlag(QStringLiteral("ShareConn"));
        Carrello carrello;
        Apri(carrello, Context(), condivisa, Connection());
        const bool credenziali = FlagUserID.isValid() && !FlagUserID.isNull() && FlagUserID.toBool();
        const OrdineDati dati = DatiOrdine(carrello, credenziali);
        carrello.Free();

        const OrdineScritto scritto = OrdineScrittura::Scrivi(Connection(), dati, QDateTime::currentDateTime());
        SetSession(QStringLiteral("IDClienteOrdine"), scritto.idCliente);
        SetSession(QStringLiteral("NumOrd"), scritto.numOrdine);
        SetSession(QStringLiteral("PasswordGenerata"), scritto.passwordGenerata);
        SetSession(QStringLiteral("CarrelloOrdinato"), FirmaCarrello());
        SetSession(QStringLiteral("BodyMail"), QString());

        // The order is stored: from here on nothing may fail the page, or
        // the visitor would send it again. A mail that cannot go is logged.
        try {
            AvvisaEsercente(dati, scritto, UlterioriNote.toString(), credenziali);
        } catch (const std::exception& errore) {
            Funzioni::RegistraErrore(QStringLiteral("Ordine %1: avviso all'esercente non composto: %2")
                                         .arg(scritto.numOrdine, QString::fromUtf8(errore.what())));
        }
    });
}

void Ordine::AvvisaEsercente(const OrdineDati& dati, const OrdineScritto& scritto, const QString& ulterioriNote,
                             bool credenziali)
{
    Dizionario dizionario;
    Apri(dizionario, Context(), SessionFlag(QStringLiteral("ShareConn")), Connection());
    OrdineTestoMail::Opzioni opzioni;
    opzioni.simboloValuta = SessionText(QStringLiteral("SimboloValuta"));
    opzioni.prezziInEuro = SessionFlag(QStringLiteral("AttivaPrezziInEuro"));
    opzioni.credenziali = credenziali;
    opzioni.ulterioriNote = ulterioriNote;
    const OrdineTestoMail testo([&](const QString& codice) { return dizionario.Traduci(codice); }, opzioni);
    const QString corpo = testo.CorpoEsercente(dati, scritto);
    SetSession(QStringLiteral("BodyMail"), corpo);
    const QString oggetto = dizionario.Traduci(QStringLiteral("PMTNOTIFICAORDINE"));
    dizionario.Free();

    // A buyer's address the mail client would refuse must not cost the
    // merchant his notice: it then comes from the shop's own address.
    const QString emailOrdini = SessionText(QStringLiteral("EmailOrdini"));
    const bool daAcquirente = CSmtpMessage::CheckMailbox(dati.acquirente.email).isEmpty();
    InviaPosta(daAcquirente ? dati.acquirente.email : emailOrdini, emailOrdini, oggetto,
               corpo + QStringLiteral("\r\n\r\n") + dati.note);
}

void Ordine::InviaPosta(const QString& mittente, const QString& destinatario, const QString& oggetto,
                        const QString& testo) const
{
    try {
        Funzioni::InviaEmail(Context(), mittente, destinatario, oggetto, testo);
    } catch (const std::exception& errore) {
        Funzioni::RegistraErrore(QStringLiteral("Ordine %1: e-mail a %2 non inviata: %3")
                                     .arg(SessionText(QStringLiteral("NumOrd")), destinatario,
                                          QString::fromUtf8(errore.what())));
    }
}

void Ordine::NotificaCliente()
{
    Guard([&] {
        const bool condivisa = SessionFlag(QStringLiteral("ShareConn"));
        Dizionario dizionario;
        Apri(dizionario, Context(), condivisa, Connection());
        const auto traduci = [&](const QString& codice) { return dizionario.Traduci(codice); };
        const OrdineAzienda azienda{SessionText("RagioneSociale"), SessionText("Indirizzo"),
                                    SessionText("Cap"),            SessionText("Localita"),
                                    SessionText("Provincia"),      SessionText("Stato"),
                                    SessionText("TelefonoOrdini"), SessionText("Fax"),
                                    SessionText("PartitaIVA"),     SessionText("RegistroImprese")};
        QString notifica;
        CAdoRecordset rs;
        const QString sql = QStringLiteral("SELECT Testo FROM TestoNotificaOrdine WHERE CodiceLingua=?");
        rs.Open(sql, Connection(), {SessionText(QStringLiteral("CodiceLingua"))});
        if (rs.IsEOF())
            rs.Open(sql, Connection(), {SessionText(QStringLiteral("CodiceLinguaPredefinita"))});
        if (!rs.IsEOF() && !rs.IsNull(QStringLiteral("Testo")))
            notifica = Funzioni::DecifraTesto(rs.Field(QStringLiteral("Testo")).toString());
        rs.Close();
        const OrdineTestoMail testo(traduci, OrdineTestoMail::Opzioni{});
        const QString corpo = testo.CorpoCliente(azienda, SessionText(QStringLiteral("BodyMail")), notifica,
                                                 SessionText(QStringLiteral("PasswordGenerata")));
        const QString oggetto = traduci(QStringLiteral("PMTCONFERMARICORDINE"));
        dizionario.Free();
        // The shopper's address is one mailbox, whatever a page set: a list
        // ("a@x.it,b@y.it") would make the shop a relay to any address.
        const QString indirizzoErrato = CSmtpMessage::CheckMailbox(Email);
        if (indirizzoErrato.isEmpty())
            InviaPosta(SessionText(QStringLiteral("EmailOrdini")), Email, oggetto, corpo);
        else
            Funzioni::RegistraErrore(QStringLiteral("Ordine %1: conferma al cliente non inviata: %2")
                                         .arg(SessionText(QStringLiteral("NumOrd")), indirizzoErrato));
        // A password made for the customer goes out once.
        SetSession(QStringLiteral("PasswordGenerata"), QString());

        Carrello carrello;
        Apri(carrello, Context(), condivisa, Connection());
        carrello.Svuota();
        carrello.Free();
    });
}

// ---------------------------------------------------------------- checks before the submission

QString Ordine::FirmaCarrello() const
{
    return SessionText(QStringLiteral("Basket")) + QLatin1Char('#') + SessionText(QStringLiteral("IDSpese"));
}

bool Ordine::OrdineGiaInviato()
{
    return Guard([&] {
        if (SessionText(QStringLiteral("NumOrd")).isEmpty())
            return false;
        const QString ordinato = SessionText(QStringLiteral("CarrelloOrdinato"));
        return (!ordinato.isEmpty() && ordinato == FirmaCarrello())
            || SessionText(QStringLiteral("Basket")).isEmpty();
    });
}

bool Ordine::PagamentoAmmesso(const QString& tipo)
{
    return Guard([&] {
        static const QStringList tipi = {QStringLiteral("Bonifico"), QStringLiteral("CCPostale"),
                                         QStringLiteral("Contrassegno"), QStringLiteral("CartaCredito")};
        if (!tipi.contains(tipo) || !SessionFlag(QStringLiteral("Attiva") + tipo))
            return false;
        if (tipo != QLatin1String("CartaCredito") || SessionFlag(QStringLiteral("DemoCartaCredito")))
            return true;
        try {
            return !OrdinePagamentoCarta::IndirizzoBanca().isEmpty();
        } catch (const std::exception&) {
            return false;
        }
    });
}

// Where the shop lists shipping options the basket must name one of them,
// as the basket page asks before it lets the visitor go on.
bool Ordine::SpedizioneScelta()
{
    if (SessionFlag(QStringLiteral("SpedizioniPersonalizzate")))
        return true;
    CAdoRecordset rs;
    const qint32 scelta = Intero(SessionValue(QStringLiteral("IDSpese")));
    rs.Open(QStringLiteral("SELECT COUNT(*) AS N, SUM(CASE WHEN ID=? THEN 1 ELSE 0 END) AS S FROM SpeseSpedizione"),
            Connection(), {scelta});
    return rs.Field(QStringLiteral("N")).toInt() == 0 || rs.Field(QStringLiteral("S")).toInt() == 1;
}

QString Ordine::ControlloInvio()
{
    return Guard([&] {
        if (Intero(SessionValue(QStringLiteral("DimBasket"))) <= 0 || SessionText(QStringLiteral("Basket")).isEmpty()
            || !SpedizioneScelta())
            return QStringLiteral("/carrello.asp");
        QHash<QString, QString> valori;
        for (const OrdineCampo& c : OrdineControlli::Campi())
            valori.insert(QLatin1String(c.chiave), SessionText(QLatin1String(c.chiave)));
        const QString codice
            = OrdineControlli::UltimoErrore(valori, [this](const QString& tipo) { return PagamentoAmmesso(tipo); });
        if (!codice.isEmpty() || !PagamentoAmmesso(TipoPagamento))
            return QStringLiteral("/datiordine.asp");
        return QString();
    });
}

bool Ordine::PagamentoInSospeso()
{
    return Guard([&] {
        const QString numOrd = SessionText(QStringLiteral("NumOrd"));
        if (numOrd.isEmpty() || SessionFlag(QStringLiteral("DemoCartaCredito")))
            return false;
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT TipoPagamento, AutorizzazioneCartaCredito FROM Ordini WHERE NumOrdine=? "
                               "AND IDCliente=?"),
                Connection(), {numOrd, Intero(SessionValue(QStringLiteral("IDClienteOrdine")))});
        return !rs.IsEOF() && rs.Field(QStringLiteral("TipoPagamento")).toString() == QLatin1String("CartaCredito")
            && rs.Field(QStringLiteral("AutorizzazioneCartaCredito")).toString().trimmed().isEmpty();
    });
}

// ---------------------------------------------------------------- card payment

namespace {

// How far back the card orders of one address are counted.
constexpr qint64 kGiornoInSecondi = 24 * 60 * 60;

void Rifiuta(const char* testo)
{
    throw std::runtime_error(testo);
}

} // namespace

// Each attempt at the bank uses up one of the bank's request passwords: a
// visitor may not drain them, neither by asking again for one order nor by
// placing order after order, in one Session or in many.
qint32 Ordine::OrdineDaPagare()
{
    const QString numOrd = SessionText(QStringLiteral("NumOrd"));
    if (!OrdinePagamentoCarta::DaPagare(Connection(), numOrd, Intero(SessionValue(QStringLiteral("IDClienteOrdine")))))
        Rifiuta("Nessun ordine da pagare in questa sessione.");
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(numOrd);
    OrdineRichiesteBanca::AssicuraTabella(Connection());
    if (OrdineRichiesteBanca::Richieste(Connection(), idOrdine) >= kTentativiCarta)
        Rifiuta("Troppi tentativi di pagamento per questo ordine.");
    const OrdinePagamentoCarta::Limiti limiti = OrdinePagamentoCarta::LimitiCorrenti();
    const QString chiave = QStringLiteral("OrdiniCarta");
    QStringList ordini = SessionText(chiave).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    if (!ordini.contains(numOrd)) {
        if (ordini.size() >= limiti.ordiniPerSessione)
            Rifiuta("Troppi ordini pagati con carta in questa visita.");
        const QString indirizzo = Request()->ServerVariable(QStringLiteral("REMOTE_ADDR"));
        const QDateTime dal = QDateTime::currentDateTime().addSecs(-kGiornoInSecondi);
        if (OrdineRichiesteBanca::AltriOrdiniDa(Connection(), indirizzo, idOrdine, dal) >= limiti.ordiniPerIndirizzo)
            Rifiuta("Troppi ordini pagati con carta da questo indirizzo: riprova domani.");
        ordini.append(numOrd);
        SetSession(chiave, ordini.join(QLatin1Char('|')));
    }
    return idOrdine;
}

bool Ordine::PagamentoConCarta() const
{
    return TipoPagamento == QLatin1String("CartaCredito") && !SessionFlag(QStringLiteral("DemoCartaCredito"));
}

// Always the stored order's figure: the basket may have changed since.
QString Ordine::ImportoBanca(qint32 idOrdine, bool cifrato) const
{
    const int valuta = Intero(SessionValue(QStringLiteral("ValutaBancaSella")));
    const bool prova = SessionFlag(QStringLiteral("TestCartaCredito"));
    const OrdineRichiesteBanca::Totale totale = OrdineRichiesteBanca::TotaleOrdine(
        Connection(), idOrdine, SessionValue(QStringLiteral("FCListino2Euro")).toDouble());
    if (cifrato)
        return OrdineCifraturaCarta::Importo(valuta, prova, totale);
    const bool euro = valuta == 242;
    const qint64 centesimi = prova ? (euro ? 50 : 100000) : (euro ? totale.centesimi : totale.lire * 100);
    return QString::number(
        OrdinePagamentoCarta::ImportoPerFattore(centesimi, SessionText(QStringLiteral("TID"))));
}

QString Ordine::URLValidazioneCartaCredito()
{
    return Guard([&] {
        if (!PagamentoConCarta())
            return QString();
        const qint32 idOrdine = OrdineDaPagare();
        const QString importo = ImportoBanca(idOrdine, false);
        const OrdinePagamentoCarta::Richiesta richiesta = OrdinePagamentoCarta::PrendiPasswordRichiesta(
            Connection(), idOrdine, importo, Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")));
        OrdinePagamentoCarta::AvvisaEsercente(Connection(), idOrdine, richiesta.rimaste);
        return OrdinePagamentoCarta::URL(SessionText(QStringLiteral("CodiceEsercente")), importo.toLongLong(),
                                         richiesta.password, SessionText(QStringLiteral("NumOrd")));
    });
}

// The Session may have expired while the shopper was at the bank: the
// answer is checked against the order it names, and only the Session that
// placed the order mails its customer, once.
bool Ordine::Concludi(OrdinePagamentoCarta::Esito esito, const QString& numOrdine)
{
    OrdinePagato.clear();
    PagamentoDaNotificare = false;
    if (esito == OrdinePagamentoCarta::Esito::Rifiutato)
        return false;
    OrdinePagato = numOrdine;
    PagamentoDaNotificare =
        esito == OrdinePagamentoCarta::Esito::Registrato && SessionText(QStringLiteral("NumOrd")) == numOrdine;
    return true;
}

bool Ordine::ControlloEsitoValidazione()
{
    return Guard([&] {
        OrdinePagamentoCarta::Risposta risposta;
        risposta.a = Request()->QueryString(QStringLiteral("a"));
        risposta.b = Request()->QueryString(QStringLiteral("b"));
        risposta.c = Request()->QueryString(QStringLiteral("c"));
        const auto esito = OrdinePagamentoCarta::RegistraEsito(
            Connection(), risposta, [&](qint32 idOrdine) { return ImportoBanca(idOrdine, false); });
        return Concludi(esito, risposta.b.trimmed());
    });
}

QString Ordine::URLValidazioneCartaCredito1()
{
    return Guard([&] {
        if (!PagamentoConCarta())
            return QString();
        const qint32 idOrdine = OrdineDaPagare();
        SetSession(QStringLiteral("ErrorGestPay"), 0);
        const std::unique_ptr<IOrdineCifraturaCarta> componente = OrdineCifraturaCarta::Crea();
        if (!componente) {
            SetSession(QStringLiteral("ErrorGestPay"), OrdineCifraturaCarta::kErroreCreazione);
            return QString();
        }
        const int valuta = Intero(SessionValue(QStringLiteral("ValutaBancaSella")));
        const QString importo = ImportoBanca(idOrdine, true);
        int errore = 0;
        const QString url = OrdineCifraturaCarta::URL(*componente, SessionText(QStringLiteral("CodiceEsercente")),
                                                      valuta, importo, SessionText(QStringLiteral("NumOrd")), errore);
        if (errore != 0) {
            SetSession(QStringLiteral("ErrorGestPay"), errore);
            return url;
        }
        OrdineRichiesteBanca::Registra(Connection(), idOrdine, 0, importo,
                                       Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")),
                                       QDateTime::currentDateTime());
        return url;
    });
}

bool Ordine::ControlloEsitoValidazione1()
{
    return Guard([&] {
        const std::unique_ptr<IOrdineCifraturaCarta> componente = OrdineCifraturaCarta::Crea();
        if (!componente)
            return Concludi(OrdinePagamentoCarta::Esito::Rifiutato, QString());
        const auto esito = OrdineCifraturaCarta::RegistraEsito(
            Connection(), *componente, Request()->Item(QStringLiteral("a")), Request()->Item(QStringLiteral("b")),
            SessionText(QStringLiteral("CodiceEsercente")),
            [&](qint32 idOrdine) { return ImportoBanca(idOrdine, true); });
        return Concludi(esito, componente->GetShopTransactionID().trimmed());
    });
}

bool Ordine::PagamentoCartaEseguito()
{
    return Guard([&] { return OrdinePagamentoCarta::Pagato(Connection(), SessionText(QStringLiteral("NumOrd"))); });
}
