#include "server/core/Generale.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspApplication.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspScriptingContext.h"
#include "platform/asp/IAspServer.h"
#include "platform/mail/CSmtpMessage.h"
#include "recordset/schema/QtrIdAllocator.h"
#include "server/core/CAdoSqlSession.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Dizionario.h"
#include "server/core/Funzioni.h"
#include "server/core/LettoreNumeri.h"
#include "server/core/QtrValori.h"
#include "server/core/QtrVisitatore.h"

#include <QDateTime>
#include <QFileInfo>

#include <stdexcept>

QTR_ASP_REGISTER(Generale)

namespace {

const QString kCampiObbligatori = QStringLiteral("#RagioneSociale#Cognome#Indirizzo#Cap#Localita#Provincia#Stato#");

// The Configurazione columns copied under keys of the same name only when
// they hold a value, in the table's order.
const char* const kDatiAzienda[] = {"RagioneSociale", "Indirizzo",       "Cap",          "Localita",
                                    "Provincia",      "Stato",           "TelefonoInfo", "TelefonoSupporto",
                                    "TelefonoOrdini", "Fax",             "PartitaIVA",   "RegistroImprese",
                                    "EmailInfo",      "EmailSupporto",   "EmailOrdini"};

QString Cifre(int valore, int cifre) { return QStringLiteral("%1").arg(valore, cifre, 10, QLatin1Char('0')); }

// A visitor number as IdentificaUtente writes it: fourteen digits of date
// and time, then the counter.
bool NumeroVisitatoreValido(const QString& numero)
{
    if (numero.size() < 15 || numero.size() > 33)
        return false;
    for (const QChar c : numero)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The settings the Session is built from must all be there.
void RigaRichiesta(const CAdoRecordset& rs, const QString& cosa)
{
    if (rs.IsEOF())
        throw CAdoException(QStringLiteral("Impostazioni del negozio incomplete: manca %1.").arg(cosa));
}

} // namespace

QObject* Generale::Conn() const { return CurrentConnection(); }

void Generale::SetConnProperty(QObject* connect)
{
    Guard([&] { UseConnection(connect); });
}

void Generale::Start()
{
    m_application = Funzioni::ModalitaLocale(Context()) ? nullptr : Context()->Application();
    m_dbFolder = ShopDatabaseFolder();
    CopiaSessione();
    OpenOwnConnection(m_dbFolder);
}

void Generale::ReleaseRecordsets() { m_rsLingue.Close(); }

void Generale::ReleaseConnection()
{
    m_application = nullptr;
    CloseEveryConnection();
}

IAspApplication* Generale::Application() const
{
    if (!m_application)
        throw std::runtime_error("Oggetto Application non disponibile");
    return m_application;
}

void Generale::CopiaSessione()
{
    QString* testi[] = {&RagioneSociale, &Indirizzo,        &Cap,           &Localita,
                        &Provincia,      &Stato,            &TelefonoInfo,  &TelefonoSupporto,
                        &TelefonoOrdini, &Fax,              &PartitaIVA,    &RegistroImprese,
                        &EmailInfo,      &EmailSupporto,    &EmailOrdini};
    for (int i = 0; i < 15; ++i)
        *testi[i] = SessionText(QLatin1String(kDatiAzienda[i]));
    SimboloValuta = SessionText(QStringLiteral("SimboloValuta"));
    AttivaPrezziIvaCompresa = SessionFlag(QStringLiteral("AttivaPrezziIvaCompresa"));
    AttivaPrezziInEuro = SessionFlag(QStringLiteral("AttivaPrezziInEuro"));
    AttivaBonifico = SessionFlag(QStringLiteral("AttivaBonifico"));
    Banca = SessionText(QStringLiteral("Banca"));
    ABI = SessionText(QStringLiteral("ABI"));
    CAB = SessionText(QStringLiteral("CAB"));
    CCBancario = SessionText(QStringLiteral("CCBancario"));
    AttivaCCPostale = SessionFlag(QStringLiteral("AttivaCCPostale"));
    Intestatario = SessionText(QStringLiteral("Intestatario"));
    CCPostale = SessionText(QStringLiteral("CCPostale"));
    AttivaContrassegno = SessionFlag(QStringLiteral("AttivaContrassegno"));
    if (AttivaContrassegno) {
        TipoSpeseContrassegno = SessionValue(QStringLiteral("TipoSpeseContrassegno")).toInt();
        SpeseContrassegno = SessionValue(QStringLiteral("SpeseContrassegno")).toDouble();
        MinimoContrassegno = SessionValue(QStringLiteral("MinimoContrassegno")).toDouble();
        // List-currency amounts shown in the visitor's currency.
        const double listino = SessionValue(QStringLiteral("FCListino2Euro")).toDouble();
        const double web = SessionValue(QStringLiteral("FCEuro2Web")).toDouble();
        const double unita = SessionValue(QStringLiteral("Arrotondamento")).toDouble();
        if (SpeseContrassegno != 0 && TipoSpeseContrassegno == 0)
            SpeseContrassegnoVL = Funzioni::ConvertiPrezzo(SpeseContrassegno, listino, web, unita);
        if (MinimoContrassegno != 0)
            MinimoContrassegnoVL = Funzioni::ConvertiPrezzo(MinimoContrassegno, listino, web, unita);
    }
    AttivaCartaCredito = SessionFlag(QStringLiteral("AttivaCartaCredito"));
    URLValidazioneCartaCredito = SessionText(QStringLiteral("URLValidazioneCartaCredito"));
    DemoCartaCredito = SessionFlag(QStringLiteral("DemoCartaCredito"));
    TestCartaCredito = SessionFlag(QStringLiteral("TestCartaCredito"));
    CodiceEsercente = SessionText(QStringLiteral("CodiceEsercente"));
    TID = SessionText(QStringLiteral("TID"));
    CodiceLingua = SessionText(QStringLiteral("CodiceLingua"));
    CodiceLinguaPredefinita = SessionText(QStringLiteral("CodiceLinguaPredefinita"));
}

// ---------------------------------------------------------------- Session set-up

void Generale::Inizializza()
{
    Guard([&] {
        SetSession(QStringLiteral("ShareConn"), false);
        SetSession(QStringLiteral("CampiObbligatori"), kCampiObbligatori);
        SetSession(QStringLiteral("ControlloCFPI"), false);
        SetSession(QStringLiteral("PasswordNumerica"), false);
        SetSession(QStringLiteral("LunghezzaMinimaPassword"), 0);
        SetSession(QStringLiteral("GenerazioneUserPswdNumeriche"), false);
        LeggiConfigurazione();
        ImpostaPredefiniti();
        QtrVisitatore::Azzera(*Session(), Connection());
    });
}

void Generale::LeggiConfigurazione()
{
    CAdoRecordset rs;
    CacheNegozio::Apri(rs, QStringLiteral("SELECT * FROM Configurazione"), Connection());
    SetSession(QStringLiteral("DbPath"), m_dbFolder);
    RigaRichiesta(rs, QStringLiteral("la riga di Configurazione"));
    const auto copiaSeValorizzato = [&](const QString& chiave, const QString& colonna) {
        if (!rs.IsNull(colonna))
            SetSession(chiave, rs.Field(colonna));
    };
    const auto copia = [&](const QString& chiave, const QString& colonna) { SetSession(chiave, rs.Field(colonna)); };
    const auto copiaFlag = [&](const QString& chiave, const QString& colonna) {
        SetSession(chiave, QtrValori::FlagMemorizzato(rs.Field(colonna)));
    };
    for (const char* colonna : kDatiAzienda)
        copiaSeValorizzato(QLatin1String(colonna), QLatin1String(colonna));
    copiaFlag(QStringLiteral("AttivaAreaRiservata"), QStringLiteral("FlagAreaRiservata"));
    copiaFlag(QStringLiteral("AttivaPrezziIvaCompresa"), QStringLiteral("FlagPrezziIvaCompresa"));
    copia(QStringLiteral("TipoOrdinamento"), QStringLiteral("TipoOrdinamento"));
    copia(QStringLiteral("TipoPesoImballo"), QStringLiteral("TipoPesoImballo"));
    copia(QStringLiteral("PesoImballo"), QStringLiteral("PesoImballo"));
    copia(QStringLiteral("IvaSpedizioni"), QStringLiteral("IvaSpedizioni"));
    copiaFlag(QStringLiteral("AttivaBonifico"), QStringLiteral("FlagBonifico"));
    for (const char* colonna : {"Banca", "ABI", "CAB", "CCBancario"})
        copiaSeValorizzato(QLatin1String(colonna), QLatin1String(colonna));
    copiaFlag(QStringLiteral("AttivaCCPostale"), QStringLiteral("FlagCCPostale"));
    for (const char* colonna : {"Intestatario", "CCPostale"})
        copiaSeValorizzato(QLatin1String(colonna), QLatin1String(colonna));
    copiaFlag(QStringLiteral("AttivaContrassegno"), QStringLiteral("FlagContrassegno"));
    SetSession(QStringLiteral("SpeseContrassegno"), 0);
    for (const char* colonna : {"SpeseContrassegno", "TipoSpeseContrassegno", "MinimoContrassegno"})
        copiaSeValorizzato(QLatin1String(colonna), QLatin1String(colonna));
    copiaFlag(QStringLiteral("AttivaCartaCredito"), QStringLiteral("FlagCartaCredito"));
    copiaFlag(QStringLiteral("DemoCartaCredito"), QStringLiteral("DemoCartaCredito"));
    copiaFlag(QStringLiteral("TestCartaCredito"), QStringLiteral("TestCartaCredito"));
    for (const char* colonna : {"CodiceEsercente", "TID"})
        copiaSeValorizzato(QLatin1String(colonna), QLatin1String(colonna));
    copia(QStringLiteral("IDValutaListino"), QStringLiteral("ValutaListino"));
    LeggiOpzioni();
    const QVariant linguaPredefinita = rs.Field(QStringLiteral("LinguaPredefinita"));
    rs.Close();
    LeggiLinguaEValute(linguaPredefinita);
}

void Generale::LeggiOpzioni()
{
    QString opzioni;
    CAdoRecordset rs;
    CacheNegozio::Apri(rs, QStringLiteral("SELECT * FROM Opzioni ORDER BY ID"), Connection());
    for (; !rs.IsEOF(); rs.MoveNext()) {
        opzioni += QLatin1Char('#') + rs.Field(QStringLiteral("Codice")).toString() + QLatin1Char('#')
            + (QtrValori::Vero(rs.Field(QStringLiteral("Flag"))) ? QLatin1Char('1') : QLatin1Char('0'));
    }
    SetSession(QStringLiteral("Opzioni"), opzioni);
}

void Generale::LeggiLinguaEValute(const QVariant& idLingua)
{
    CAdoRecordset lingua;
    CacheNegozio::Apri(lingua, QStringLiteral("SELECT * FROM Lingue WHERE ID=?"), Connection(), {idLingua});
    RigaRichiesta(lingua, QStringLiteral("la lingua predefinita (Lingue.ID %1)").arg(idLingua.toString()));
    SetSession(QStringLiteral("CodiceLinguaPredefinita"), lingua.Field(QStringLiteral("Codice")));
    SetSession(QStringLiteral("CodiceLingua"), lingua.Field(QStringLiteral("Codice")));
    if (!lingua.IsNull(QStringLiteral("Descrizione")))
        SetSession(QStringLiteral("DescrizioneLingua"), lingua.Field(QStringLiteral("Descrizione")));
    SetSession(QStringLiteral("AttivaPrezziInEuro"),
               QtrValori::FlagMemorizzato(lingua.Field(QStringLiteral("FlagPrezziInEuro"))));
    const QVariant idValuta = lingua.Field(QStringLiteral("IDValuta"));
    lingua.Close();

    CAdoRecordset valuta;
    CacheNegozio::Apri(valuta, QStringLiteral("SELECT * FROM Valute WHERE ID=?"), Connection(),
                {SessionValue(QStringLiteral("IDValutaListino"))});
    RigaRichiesta(valuta, QStringLiteral("la valuta del listino"));
    SetSession(QStringLiteral("FCListino2Euro"), valuta.Field(QStringLiteral("Cambio")));
    SetSession(QStringLiteral("ArrotondamentoListino"), valuta.Field(QStringLiteral("Arrotondamento")));
    CacheNegozio::Apri(valuta, QStringLiteral("SELECT * FROM Valute WHERE ID=?"), Connection(), {idValuta});
    RigaRichiesta(valuta, QStringLiteral("la valuta della lingua predefinita"));
    SetSession(QStringLiteral("FCEuro2Web"), valuta.Field(QStringLiteral("Cambio")));
    if (!valuta.IsNull(QStringLiteral("Simbolo")))
        SetSession(QStringLiteral("SimboloValuta"), valuta.Field(QStringLiteral("Simbolo")));
    SetSession(QStringLiteral("Arrotondamento"), valuta.Field(QStringLiteral("Arrotondamento")));
    SimboloValuta = SessionText(QStringLiteral("SimboloValuta"));
}

void Generale::ImpostaPredefiniti()
{
    SetSession(QStringLiteral("DebugDizionario"), QStringLiteral("0"));
    for (const char* chiave : {"FlagCalNumProCat", "FlagCalNumArtSez", "FlagCalNumIntArg", "FlagCalNumUteArg",
                               "FlagCalPerSez", "FlagSottoSez"})
        SetSession(QLatin1String(chiave), 1);
    SetSession(QStringLiteral("Basket"), QString(QLatin1String("")));
    SetSession(QStringLiteral("DimBasket"), 0);
    SetSession(QStringLiteral("IDSpese"), 0);
    for (const char* chiave : {"SelezioneCustom", "FiltroRagioneSociale", "FiltroCap", "FiltroLocalita",
                               "FiltroProvincia", "FiltroTelefono", "StatisticheDallaData", "StatisticheAllaData",
                               "ProdottiDallaData", "ProdottiAllaData"})
        SetSession(QLatin1String(chiave), QString(QLatin1String("")));
    SetSession(QStringLiteral("OrdinamentoStatistiche"), 0);
    SetSession(QStringLiteral("OrdinamentoProdotti"), 0);
    SetSession(QStringLiteral("ModoOrdStat"), QStringLiteral("ASC"));
    SetSession(QStringLiteral("ModoOrdProd"), QStringLiteral("ASC"));
}

void Generale::ImpostaLingua()
{
    Guard([&] {
        const QString codice = RequestValue(QStringLiteral("CodiceLingua"));
        if (codice.isEmpty())
            return;
        // Only a language offered to visitors is taken; the code then reaches
        // every query and path that names the visitor's language.
        CAdoRecordset lingua;
        CacheNegozio::Apri(lingua, QStringLiteral("SELECT * FROM Lingue WHERE Codice=? AND Attivo=1"), Connection(), {codice});
        if (lingua.IsEOF())
            throw std::invalid_argument(("Lingua non disponibile: " + codice).toStdString());
        CAdoRecordset valuta;
        CacheNegozio::Apri(valuta, QStringLiteral("SELECT * FROM Valute WHERE ID=?"), Connection(),
                    {lingua.Field(QStringLiteral("IDValuta"))});
        RigaRichiesta(valuta, QStringLiteral("la valuta della lingua ") + codice);
        const QVariant cambio = valuta.Field(QStringLiteral("Cambio"));
        CodiceLingua = codice;
        SetSession(QStringLiteral("CodiceLingua"), codice);
        SetSession(QStringLiteral("AttivaPrezziInEuro"),
                   QtrValori::FlagMemorizzato(lingua.Field(QStringLiteral("FlagPrezziInEuro"))));
        SetSession(QStringLiteral("FCEuro2Web"), cambio);
        SetSession(QStringLiteral("SimboloValuta"), valuta.Field(QStringLiteral("Simbolo")));
        SetSession(QStringLiteral("Arrotondamento"), valuta.Field(QStringLiteral("Arrotondamento")));
        SimboloValuta = SessionText(QStringLiteral("SimboloValuta"));
    });
}

void Generale::SetShareConn()
{
    Guard([&] { SetSession(QStringLiteral("ShareConn"), true); });
}

void Generale::SetIntero(const QString& chiave, const QVariant& valore)
{
    Guard([&] { SetSession(chiave, int(QtrValori::Intero16(valore))); });
}

void Generale::SetBooleano(const QString& chiave, const QVariant& valore)
{
    Guard([&] { SetSession(chiave, QtrValori::Booleano(valore)); });
}

void Generale::SetTesto(const QString& chiave, const QVariant& valore)
{
    Guard([&] { SetSession(chiave, valore); });
}

void Generale::ImpostaLunghezzaPaginaProdotti(const QVariant& ps) { SetIntero(QStringLiteral("PageSize"), ps); }
void Generale::ImpostaLunghezzaPaginaArticoli(const QVariant& ps) { SetIntero(QStringLiteral("ArticlePageSize"), ps); }
void Generale::ImpostaLunghezzaPaginaRicerca(const QVariant& ps) { SetIntero(QStringLiteral("SearchPageSize"), ps); }
void Generale::ImpostaLunghezzaPaginaDiscussioni(const QVariant& ps) { SetIntero(QStringLiteral("ThreadPageSize"), ps); }
void Generale::ImpostaLunghezzaPaginaRisposte(const QVariant& ps) { SetIntero(QStringLiteral("AnswerPageSize"), ps); }
void Generale::ImpostaLunghezzaPaginaMessaggi(const QVariant& ps) { SetIntero(QStringLiteral("MessagesPageSize"), ps); }
void Generale::ImpostaDurataMessaggi(const QVariant& ps) { SetIntero(QStringLiteral("DurataMessaggiChat"), ps); }
void Generale::ImpostaFrequenzaAggiornamentoChat(const QVariant& ps)
{
    SetIntero(QStringLiteral("FrequenzaAggiornamentoChat"), ps);
}
void Generale::ImpostaLunghezzaCodaChat(const QVariant& ps) { SetIntero(QStringLiteral("LunghezzaCodaChat"), ps); }
void Generale::ImpostaLunghezzaListaOrdini(const QVariant& ps) { SetIntero(QStringLiteral("OrderPageSize"), ps); }
void Generale::ImpostaLunghezzaPaginaRiordino(const QVariant& ps) { SetIntero(QStringLiteral("ReorderPageSize"), ps); }
void Generale::ImpostaLunghezzaElencoClientiAgente(const QVariant& ps)
{
    SetIntero(QStringLiteral("LunghezzaElencoClientiAgente"), ps);
}
void Generale::ImpostaLunghezzaElencoClientiAgenteStatistiche(const QVariant& ps)
{
    SetIntero(QStringLiteral("LunghezzaElencoClientiAgenteStatistiche"), ps);
}
void Generale::ImpostaLunghezzaElencoProdottiCliente(const QVariant& ps)
{
    SetIntero(QStringLiteral("LunghezzaElencoProdottiCliente"), ps);
}
void Generale::ImpostaURLPaginaSezioni(const QVariant& url) { SetTesto(QStringLiteral("URLPaginaSezioni"), url); }
void Generale::ImpostaURLPaginaCategorie(const QVariant& url) { SetTesto(QStringLiteral("URLPaginaCategorie"), url); }
void Generale::ImpostaURLPaginaProdotti(const QVariant& url) { SetTesto(QStringLiteral("URLPaginaProdotti"), url); }
void Generale::ImpostaURLPaginaArgomentiForum(const QVariant& url)
{
    SetTesto(QStringLiteral("URLPaginaArgomentiForum"), url);
}
void Generale::ImpostaURLPaginaArgomentiChat(const QVariant& url)
{
    SetTesto(QStringLiteral("URLPaginaArgomentiChat"), url);
}
void Generale::ImpostaCampiObbligatori(const QVariant& campiObbligatori)
{
    SetTesto(QStringLiteral("CampiObbligatori"), campiObbligatori);
}
void Generale::ImpostaControlloCFPI(const QVariant& flag) { SetBooleano(QStringLiteral("ControlloCFPI"), flag); }
void Generale::ImpostaControlloPasswordNumerica(const QVariant& flag)
{
    SetBooleano(QStringLiteral("PasswordNumerica"), flag);
}
void Generale::ImpostaLunghezzaMinimaPassword(const QVariant& lmp)
{
    SetTesto(QStringLiteral("LunghezzaMinimaPassword"), lmp);
}
void Generale::ImpostaGenerazioneUserPswdNumeriche(const QVariant& flag)
{
    SetBooleano(QStringLiteral("GenerazioneUserPswdNumeriche"), flag);
}

// ---------------------------------------------------------------- visitors and counters

void Generale::IdentificaUtente()
{
    Guard([&] {
        if (Funzioni::ModalitaLocale(Context()))
            return;
        SetSession(QStringLiteral("CKIDCliente"), 0);
        const QString cliente = Request()->Cookie(QStringLiteral("QTRIDCliente"));
        if (!cliente.isEmpty())
            SetSession(QStringLiteral("CKIDCliente"), cliente);
        if (!SessionText(QStringLiteral("OkQTRIDSession")).isEmpty())
            return;

        // A visitor whose pages store nothing has no stored Session: each
        // of his pages starts one anew. His number stays the one his
        // browser keeps for its session, so it does not move page by page.
        const QString numeroInviato = Request()->Cookie(QStringLiteral("QTRIDSessione"));
        if (NumeroVisitatoreValido(numeroInviato)) {
            SetSession(QStringLiteral("OkQTRIDSession"), numeroInviato);
            return;
        }
        const QDateTime adesso = QDateTime::currentDateTime();
        // One step of the counter, without the site's lock: new visitors
        // do not wait for one another, nor for any page holding it.
        const qint64 contatore = Application()->Increment(QStringLiteral("IDSession"));

        const QDate d = adesso.date();
        const QTime t = adesso.time();
        const QString numero = Cifre(d.year(), 4) + Cifre(d.month(), 2) + Cifre(d.day(), 2) + Cifre(t.hour(), 2)
            + Cifre(t.minute(), 2) + Cifre(t.second(), 2) + QString::number(contatore);
        SetSession(QStringLiteral("OkQTRIDSession"), numero);
        Response()->SetCookie(QStringLiteral("QTRIDSessione"), CAspCookie{numero, {}, {}, false, {}, false});
        if (Request()->Cookie(QStringLiteral("QTRIDUser")).isEmpty())
            Response()->SetCookie(QStringLiteral("QTRIDUser"),
                                  CAspCookie{numero, adesso.addYears(10), QStringLiteral("/"), false, {}, false});
    });
}

QVariant Generale::SetOKSession()
{
    return Guard([&] {
        SetSession(QStringLiteral("SessionOK"), QStringLiteral("OK"));
        return QVariant();
    });
}

qint32 Generale::NumeroRichiesta(const QVariant& valore) const
{
    return LettoreNumeri::Intero(valore, false).value_or(0);
}

bool Generale::TestOKSession()
{
    return Guard([&] { return SessionText(QStringLiteral("SessionOK")) == QLatin1String("OK"); });
}

void Generale::LeggiProgressivi()
{
    Guard([&] {
        if (Funzioni::ModalitaLocale(Context()))
            return;
        IAspApplication* application = Application();
        application->SetValue(QStringLiteral("IDSession"), 0);
        application->SetValue(QStringLiteral("ProgressivoClienti"), FindNext(QStringLiteral("Clienti")));
        application->SetValue(QStringLiteral("ProgressivoOrdini"), FindNext(QStringLiteral("Ordini")));
        application->SetValue(QStringLiteral("ProgressivoDettaglioOrdini"), FindNext(QStringLiteral("OrdiniDettaglio")));
    });
}

qint32 Generale::FindNext(const QString& nomeTabella)
{
    return Guard([&] {
        CAdoSqlSession session(*Connection());
        return QtrIdAllocator::Peek(session, Funzioni::NomeTabella(nomeTabella));
    });
}

// ---------------------------------------------------------------- shop information

void Generale::MostraLingua()
{
    CodiceLingua = m_rsLingue.Field(QStringLiteral("Codice")).toString();
    if (!m_rsLingue.IsNull(QStringLiteral("Descrizione")))
        DescrizioneLingua = m_rsLingue.Field(QStringLiteral("Descrizione")).toString();
}

bool Generale::LeggiPrimaLingua()
{
    return Guard([&] {
        CacheNegozio::Apri(m_rsLingue, QStringLiteral("SELECT * FROM Lingue WHERE Attivo=1 ORDER BY ID"), Connection());
        if (m_rsLingue.IsEOF()) {
            m_rsLingue.Close();
            return false;
        }
        MostraLingua();
        return true;
    });
}

bool Generale::LeggiLinguaSuccessiva()
{
    return Guard([&] {
        m_rsLingue.MoveNext();
        if (m_rsLingue.IsEOF()) {
            m_rsLingue.Close();
            CodiceLingua = SessionText(QStringLiteral("CodiceLingua"));
            return false;
        }
        MostraLingua();
        return true;
    });
}

QString Generale::LeggiChiSiamo()
{
    return Guard([&] {
        CAdoRecordset rs;
        CacheNegozio::Apri(rs, QStringLiteral("SELECT * FROM ChiSiamo WHERE CodiceLingua=?"), Connection(),
                {SessionText(QStringLiteral("CodiceLingua"))});
        if (rs.IsEOF())
            CacheNegozio::Apri(rs, QStringLiteral("SELECT * FROM ChiSiamo WHERE CodiceLingua=?"), Connection(),
                    {SessionText(QStringLiteral("CodiceLinguaPredefinita"))});
        if (rs.IsEOF() || rs.IsNull(QStringLiteral("Testo")))
            return QString();
        return Funzioni::DecifraTesto(rs.Field(QStringLiteral("Testo")).toString());
    });
}

bool Generale::FileDelSito(const QString& percorso) const
{
    return QFileInfo(Server()->MapPath(percorso)).isFile();
}

bool Generale::ControlloLogoAzienda()
{
    return Guard([&] {
        PercorsoLogoAzienda =
            QStringLiteral("/images/") + SessionText(QStringLiteral("CodiceLingua")) + QStringLiteral("/su_logo.gif");
        if (FileDelSito(PercorsoLogoAzienda))
            return true;
        PercorsoLogoAzienda = QStringLiteral("/images/") + SessionText(QStringLiteral("CodiceLinguaPredefinita"))
            + QStringLiteral("/su_logo.gif");
        return FileDelSito(PercorsoLogoAzienda);
    });
}

bool Generale::LeggiFlag(const QString& codice)
{
    return Guard([&] {
        const QString opzioni = SessionText(QStringLiteral("Opzioni"));
        const int p = opzioni.indexOf(QLatin1Char('#') + codice + QLatin1Char('#'));
        if (p < 0)
            return false;
        return opzioni.mid(p + codice.size() + 2, 1) == QLatin1String("1");
    });
}

// The contact form as mail text; mittente receives the sender's address,
// or the shop's when the form has none.
QString Generale::ComponiMessaggio(QString& mittente) const
{
    QString nome, messaggio, righe;
    for (const auto& [campo, valore] : Request()->FormFields()) {
        const QString minuscolo = campo.toLower();
        if (minuscolo.endsWith(QLatin1String(".x")) || minuscolo.endsWith(QLatin1String(".y"))
            || minuscolo.startsWith(QLatin1String("s_")))
            continue;
        if (campo == QLatin1String("Mittente"))
            nome = valore;
        else if (campo == QLatin1String("Email"))
            mittente = valore;
        else if (campo == QLatin1String("Messaggio"))
            messaggio = valore;
        else
            righe += campo + QStringLiteral(": ") + valore + QStringLiteral("\r\n");
    }
    QString testo;
    if (!nome.isEmpty())
        testo += nome + QStringLiteral(" scrive:\r\n\r\n");
    if (!mittente.isEmpty())
        testo += QStringLiteral("Email: ") + mittente + QStringLiteral("\r\n\r\n");
    // What the visitor typed is one mailbox or none: a list, or anything
    // the mail client would refuse, stays in the text and the message comes
    // from the shop's own address.
    if (!CSmtpMessage::CheckMailbox(mittente).isEmpty())
        mittente = SessionText(QStringLiteral("EmailInfo"));
    return testo + righe + QStringLiteral("\r\n") + messaggio;
}

void Generale::InviaMessaggi()
{
    Guard([&] {
        QString mittente;
        const QString testo = ComponiMessaggio(mittente);
        auto* dizionario = qobject_cast<Dizionario*>(Server()->CreateObject(QStringLiteral("QTR50.Dizionario")));
        if (!dizionario)
            throw std::runtime_error("Impossibile creare QTR50.Dizionario");
        if (SessionFlag(QStringLiteral("ShareConn")))
            dizionario->SetConn(Connection());
        const QString oggetto = dizionario->Traduci(QStringLiteral("MSGOGGETTOMAILINFO"));
        Funzioni::InviaEmail(Context(), mittente, SessionText(QStringLiteral("EmailInfo")), oggetto, testo);
        dizionario->Free();
    });
}
