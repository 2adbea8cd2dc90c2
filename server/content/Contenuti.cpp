#include "server/content/Contenuti.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspServer.h"
#include "platform/mail/CSmtpMessage.h"
#include "server/content/ContenutiAllegati.h"
#include "server/content/ContenutiDizionario.h"
#include "server/content/ContenutiFiltri.h"
#include "server/content/ContenutiPercorso.h"
#include "server/content/ContenutiPosta.h"
#include "server/content/ContenutiTesti.h"
#include "server/core/CursoreRighe.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrValori.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>

#include <functional>

#include <cmath>

QTR_ASP_REGISTER(Contenuti)

namespace {

const QString kCartellaSezioni = QStringLiteral("/images/sezioni/");

// An optional ID argument left out or given as 0.
bool Zero(const QVariant& valore)
{
    return CatalogoValori::Vuoto(valore) || CatalogoValori::Numero(valore) == 0;
}

qint16 Intero16Vuoto(const QVariant& valore)
{
    return CatalogoValori::Vuoto(valore) ? 0 : QtrValori::Intero16(valore);
}

// One decimal, as the page shows it.
float UnDecimale(double valore) { return static_cast<float>(std::round(valore * 10.0) / 10.0); }

} // namespace

Contenuti::Contenuti(QObject* parent) : CQtrServerObject(parent) {}

Contenuti::~Contenuti() = default;

// ---------------------------------------------------------------- frame

void Contenuti::Start()
{
    CQtrServerObject::Start();
    MittenteSegnalazione = SessionText(QStringLiteral("MittenteSegnalazione"));
    EmailMittenteSegnalazione = SessionText(QStringLiteral("EmailMittenteSegnalazione"));
    EmailDestinatarioSegnalazione = SessionText(QStringLiteral("EmailDestinatarioSegnalazione"));
    NoteSegnalazione = SessionText(QStringLiteral("NoteSegnalazione"));
    FlagNovita = Intero16Vuoto(SessionValue(QStringLiteral("SezioniFlagNovita")));
    m_lunghezzaEstratto = 50;
    m_ordinamento = QStringLiteral("Articoli.Ordine");
}

void Contenuti::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

void Contenuti::ImpostaPaginaNovita(const QVariant& N)
{
    Guard([&] {
        if (!N.toString().isEmpty())
            SetSession(QStringLiteral("SezioniFlagNovita"), QtrValori::Intero16(N));
        FlagNovita = Intero16Vuoto(SessionValue(QStringLiteral("SezioniFlagNovita")));
    });
}

void Contenuti::ImpostaCalcoloNumeroArticoliSezione(const QVariant& F)
{
    Guard([&] { SetSession(QStringLiteral("FlagCalNumArtSez"), F); });
}

void Contenuti::ImpostaCalcoloPercorsoSezioni(const QVariant& F)
{
    Guard([&] { SetSession(QStringLiteral("FlagCalPerSez"), F); });
}

void Contenuti::ImpostaTestSottoSezioni(const QVariant& F)
{
    Guard([&] { SetSession(QStringLiteral("FlagSottoSez"), F); });
}

void Contenuti::ImpostaLunghezzaEstrattoArticolo(const QVariant& L)
{
    Guard([&] { m_lunghezzaEstratto = QtrValori::Intero16(L); });
}

void Contenuti::ImpostaOrdinamentoArticoliPerDataPubblicazione()
{
    Guard([&] { m_ordinamento = QStringLiteral("Articoli.DataPubblicazione DESC, Articoli.ID DESC"); });
}

void Contenuti::ImpostaOrdinamentoArticoliCustom()
{
    Guard([&] { m_ordinamento = QStringLiteral("Articoli.Ordine"); });
}

// ---------------------------------------------------------------- visitor

QVariant Contenuti::Gruppo() const { return QtrVisitatore::Gruppo(*Session()); }

QVariant Contenuti::Utente() const { return QtrVisitatore::Utente(*Session()); }

QString Contenuti::Lingua() const { return SessionText(QStringLiteral("CodiceLingua")); }

QString Contenuti::Predefinita() const { return SessionText(QStringLiteral("CodiceLinguaPredefinita")); }

qint32 Contenuti::FlagNovitaSessione() const
{
    return CatalogoValori::Numero(SessionValue(QStringLiteral("FlagNovita"))).value_or(0);
}

bool Contenuti::SessioneUno(const char* chiave) const
{
    return CatalogoValori::Numero(SessionValue(QString::fromLatin1(chiave))) == 1;
}

QDate Contenuti::Oggi() const { return m_oggi.isValid() ? m_oggi : QDate::currentDate(); }

void Contenuti::VisibilitaSezione(CatalogoSql& sql) const { ContenutiFiltri::Sezione(sql, Gruppo(), Utente()); }

// ---------------------------------------------------------------- sections

std::optional<qint32> Contenuti::IdSezionePerCodice(const QVariant& sezione)
{
    if (const auto id = CatalogoValori::Numero(sezione))
        return id;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT ID FROM Sezioni WHERE Codice=?"), Connection(), {sezione.toString()});
    if (rs.IsEOF())
        return std::nullopt;
    return rs.Field(QStringLiteral("ID")).toInt();
}

bool Contenuti::LeggiSezione(const QVariant& IDSez)
{
    return Guard([&] {
        CatalogoSql sql(QStringLiteral("SELECT * FROM Sezioni WHERE "));
        if (const auto id = CatalogoValori::Numero(IDSez))
            sql.Aggiungi(QStringLiteral("ID=?"), {*id});
        else
            sql.Aggiungi(QStringLiteral("Codice=?"), {IDSez.toString()});
        VisibilitaSezione(sql);
        m_rsSezioni.Open(sql.Testo(), Connection(), sql.Parametri());
        if (m_rsSezioni.IsEOF())
            return false;
        LeggiDatiSezione(m_rsSezioni, SessioneUno("FlagSottoSez"));
        return true;
    });
}

bool Contenuti::ApriPaginaSezioni(const QVariant& IDSez)
{
    return Guard([&] {
        const auto padre = Zero(IDSez) ? std::optional<qint32>(0) : IdSezionePerCodice(IDSez);
        if (!padre)
            return false;
        this->IDSez = *padre;
        CatalogoSql sql(QStringLiteral("SELECT * FROM Sezioni WHERE Attivo=1 AND IDSezionePadre=?"));
        sql.Aggiungi(QString(), {*padre});
        VisibilitaSezione(sql);
        sql.Aggiungi(QStringLiteral(" ORDER BY Ordine, ID"));
        m_rsSezioni.Open(sql.Testo(), Connection(), sql.Parametri());
        if (m_rsSezioni.IsEOF())
            return false;
        LeggiDatiSezione(m_rsSezioni, SessioneUno("FlagSottoSez"));
        return true;
    });
}

bool Contenuti::LeggiSezioneSuccessiva()
{
    return Guard([&] {
        if (!m_rsSezioni.IsOpen() || m_rsSezioni.IsEOF())
            return false;
        m_rsSezioni.MoveNext();
        if (m_rsSezioni.IsEOF())
            return false;
        LeggiDatiSezione(m_rsSezioni, SessioneUno("FlagSottoSez"));
        return true;
    });
}

void Contenuti::ChiudiPaginaSezioni()
{
    Guard([&] {
        m_rsSezioni.Close();
        m_rsArticoli.Close();
    });
}

void Contenuti::LeggiDatiSezione(const CAdoRecordset& rs, bool sottoSezioni, bool flagData)
{
    const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
    if (sottoSezioni)
        FlagSottoSezioni = ControlloSottoSezioni(id);
    if (flagData)
        FlagDataPubblicazioneArticolo = rs.Field(QStringLiteral("DataPubblicazione")).toInt() != 0;
    IDSezione = id;
    CodiceSezione = ContenutiTesti::Testo(rs, QStringLiteral("Codice"));
    LeggiTestiSezione(id);
    if (SessioneUno("FlagCalPerSez"))
        PercorsoSezioni = CalcolaPercorsoSezioni(rs.Field(QStringLiteral("IDSezionePadre")).toInt());
    if (SessioneUno("FlagCalNumArtSez"))
        NumeroArticoliSezione = ContaArticoliSezione(id);
}

void Contenuti::LeggiTestiSezione(qint32 id)
{
    CAdoRecordset rs;
    ContenutiTesti::ApriInLingua(rs, Connection(), QStringLiteral("SezioniLingue"), QStringLiteral("IDSezione"), id,
                                 Lingua(), Predefinita());
    NomeSezione = ContenutiTesti::Decifrato(rs, QStringLiteral("Nome"));
    DescrizioneSezione = ContenutiTesti::Decifrato(rs, QStringLiteral("Descrizione"));
}

bool Contenuti::ControlloSottoSezioni(qint32 id)
{
    CatalogoSql sql(QStringLiteral("SELECT ID FROM Sezioni WHERE Attivo=1 AND IDSezionePadre=?"));
    sql.Aggiungi(QString(), {id});
    VisibilitaSezione(sql);
    CAdoRecordset rs;
    rs.Open(sql.Testo(), Connection(), sql.Parametri());
    return !rs.IsEOF();
}

QString Contenuti::CalcolaPercorsoSezioni(qint32 id)
{
    static const ContenutiPercorso sezioni{QStringLiteral("Sezioni"), QStringLiteral("IDSezionePadre"),
                                           QStringLiteral("SezioniLingue"), QStringLiteral("IDSezione"),
                                           QStringLiteral("IDSezione")};
    return sezioni.Calcola(Connection(), id, SessionText(QStringLiteral("URLPaginaSezioni")), Lingua(), Predefinita());
}

qint32 Contenuti::ContaArticoliSezione(qint32 id)
{
    CatalogoSql sql(QStringLiteral("SELECT DISTINCT Articoli.ID FROM Articoli INNER JOIN SezioniArticoli ON "
                                   "Articoli.ID = SezioniArticoli.IDArticolo WHERE Articoli.Attivo=1 AND "
                                   "SezioniArticoli.IDSezione"));
    ContenutiFiltri::In(sql, ContenutiFiltri::Discendenti(Connection(), QStringLiteral("Sezioni"),
                                                          QStringLiteral("IDSezionePadre"), id));
    FiltriArticolo(sql);
    ContenutiFiltri::Novita(sql, FlagNovitaSessione());
    CAdoRecordset rs;
    rs.Open(sql.Testo(), Connection(), sql.Parametri());
    return rs.RecordCount();
}

bool Contenuti::ControlloSezionePadre(const QVariant& IDTestSez, const QVariant& IDParentSez)
{
    return Guard([&] {
        const auto provata = IdSezionePerCodice(IDTestSez);
        if (!provata)
            return false;
        const auto antenato = Zero(IDParentSez) ? std::optional<qint32>(IDSezione) : IdSezionePerCodice(IDParentSez);
        if (!antenato)
            return false;
        QSet<qint32> visti;
        for (qint32 corrente = *provata; corrente != 0 && !visti.contains(corrente);) {
            visti.insert(corrente);
            CAdoRecordset rs;
            rs.Open(QStringLiteral("SELECT IDSezionePadre FROM Sezioni WHERE ID=?"), Connection(), {corrente});
            if (rs.IsEOF())
                return false;
            corrente = rs.Field(QStringLiteral("IDSezionePadre")).toInt();
            if (corrente == *antenato)
                return true;
        }
        return false;
    });
}

bool Contenuti::ControlloFotoSezione()
{
    return Guard([&] {
        PercorsoFotoSezione.clear();
        for (const QString& lingua : {Lingua(), Predefinita()}) {
            if (lingua.isEmpty() || lingua.contains(QLatin1Char('/')) || lingua.contains(QLatin1Char('.')))
                continue;
            for (const char* estensione : {".jpg", ".gif"}) {
                const QString percorso = kCartellaSezioni + lingua + QLatin1Char('/') + QString::number(IDSezione)
                                         + QLatin1String(estensione);
                if (QFileInfo::exists(Server()->MapPath(percorso))) {
                    PercorsoFotoSezione = percorso;
                    return true;
                }
            }
        }
        return false;
    });
}

// ---------------------------------------------------------------- articles

void Contenuti::FiltriArticolo(CatalogoSql& sql) const
{
    ContenutiFiltri::Articolo(sql, Gruppo(), Utente());
    ContenutiFiltri::Pubblicazione(sql, Oggi());
}

CatalogoSql Contenuti::QueryArticoliSezione(qint32 idSezione, bool perData) const
{
    CatalogoSql sql(QStringLiteral("SELECT * FROM Articoli WHERE Articoli.Attivo=1"));
    ContenutiFiltri::Articolo(sql, Gruppo(), Utente());
    sql.Aggiungi(QStringLiteral(" AND EXISTS (SELECT IDArticolo FROM SezioniArticoli WHERE "
                                "IDArticolo=Articoli.ID AND IDSezione=?)"),
                 {idSezione});
    ContenutiFiltri::Novita(sql, FlagNovitaSessione());
    ContenutiFiltri::Pubblicazione(sql, Oggi());
    sql.Aggiungi(QStringLiteral(" ORDER BY ")
                 + (perData ? QStringLiteral("Articoli.DataPubblicazione DESC, Articoli.ID DESC") : m_ordinamento));
    return sql;
}

bool Contenuti::ApriPaginaArticoli(const QVariant& Pag, const QVariant& IDSezPar)
{
    return Guard([&] {
        QVariant sezione = IDSezPar;
        QVariant pagina = Pag;
        if (Zero(IDSezPar)) {
            sezione = Request()->Item(QStringLiteral("IDSezione"));
            pagina = Request()->Item(QStringLiteral("Page"));
        }
        if (CatalogoValori::Vuoto(sezione))
            return false;
        const auto id = IdSezionePerCodice(sezione);
        if (!id)
            return false;
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT DataPubblicazione FROM Sezioni WHERE ID=?"), Connection(), {*id});
        if (rs.IsEOF())
            return false;
        // A page that is no whole number shows nothing.
        const auto numeroPagina = CatalogoValori::Vuoto(pagina) ? std::optional<qint32>(1) : CatalogoValori::Numero(pagina);
        if (!numeroPagina)
            return false;
        FlagDataPubblicazioneArticolo = rs.Field(QStringLiteral("DataPubblicazione")).toInt() != 0;
        SetSession(QStringLiteral("IDSezioneArticoli"), *id);
        const CatalogoSql sql = QueryArticoliSezione(*id, FlagDataPubblicazioneArticolo);
        m_rsArticoli.Open(sql.Testo(), Connection(), sql.Parametri());
        if (m_rsArticoli.IsEOF())
            return false;
        qint32 lunghezza = CatalogoValori::Numero(SessionValue(QStringLiteral("ArticlePageSize"))).value_or(0);
        if (lunghezza <= 0)
            lunghezza = 10;
        lunghezza = qMin(lunghezza, m_rsArticoli.RecordCount());
        m_rsArticoli.SetPageSize(lunghezza);
        // A page past either end shows nothing rather than failing.
        if (*numeroPagina < 1 || *numeroPagina > m_rsArticoli.PageCount())
            return false;
        m_rsArticoli.SetAbsolutePage(*numeroPagina);
        LunghezzaPaginaArticoli = static_cast<qint16>(lunghezza);
        LeggiDatiArticolo(m_rsArticoli);
        PaginaCorrenteArticoli = *numeroPagina;
        TotalePagineArticoli = m_rsArticoli.PageCount();
        return true;
    });
}

bool Contenuti::LeggiArticoloSuccessivo()
{
    return Guard([&] {
        if (!m_rsArticoli.IsOpen() || m_rsArticoli.IsEOF())
            return false;
        m_rsArticoli.MoveNext();
        if (m_rsArticoli.IsEOF())
            return false;
        LeggiDatiArticolo(m_rsArticoli);
        return true;
    });
}

// The first article of the page the list was opened on.
bool Contenuti::LeggiPrimoArticolo()
{
    return Guard([&] {
        if (!m_rsArticoli.IsOpen() || m_rsArticoli.RecordCount() == 0 || PaginaCorrenteArticoli < 1)
            return false;
        m_rsArticoli.SetAbsolutePage(PaginaCorrenteArticoli);
        if (m_rsArticoli.IsEOF())
            return false;
        LeggiDatiArticolo(m_rsArticoli);
        return true;
    });
}

void Contenuti::ChiudiPaginaArticoli()
{
    Guard([&] { m_rsArticoli.Close(); });
}

bool Contenuti::ControlloPrimaPaginaArticoli()
{
    return Guard([&] { return PaginaCorrenteArticoli == 1; });
}

bool Contenuti::ControlloUltimaPaginaArticoli()
{
    return Guard([&] { return m_rsArticoli.IsOpen() && PaginaCorrenteArticoli == m_rsArticoli.PageCount(); });
}

bool Contenuti::LeggiArticolo(const QVariant& ID)
{
    return Guard([&] {
        const QVariant articolo = Zero(ID) ? QVariant(Request()->Item(QStringLiteral("IDArticolo"))) : ID;
        this->ID = articolo;
        if (CatalogoValori::Vuoto(articolo))
            return false;
        CatalogoSql sql(QStringLiteral("SELECT * FROM Articoli WHERE "));
        if (const auto id = CatalogoValori::Numero(articolo))
            sql.Aggiungi(QStringLiteral("Articoli.ID=?"), {*id});
        else
            sql.Aggiungi(QStringLiteral("Articoli.Codice=?"), {articolo.toString()});
        sql.Aggiungi(QStringLiteral(" AND Articoli.Attivo=1"));
        FiltriArticolo(sql);
        CAdoRecordset rs;
        rs.Open(sql.Testo(), Connection(), sql.Parametri());
        if (rs.IsEOF())
            return false;
        LeggiDatiArticolo(rs);
        return true;
    });
}

// A switch 2 follows the article's sections: on when any of them has it
// on. A switch the merchant set to 0 on the article stays off.
void Contenuti::RisolviInterruttori(qint32 id, int& stampa, int& segnalazione, int& voto)
{
    if (stampa != 2 && segnalazione != 2 && voto != 2)
        return;
    const int richiesti[3] = {stampa, segnalazione, voto};
    int* valori[3] = {&stampa, &segnalazione, &voto};
    bool primo = true;
    CAdoRecordset rs;
    for (rs.Open(QStringLiteral("SELECT Sezioni.Stampa, Sezioni.Segnalazione, Sezioni.Voto FROM SezioniArticoli "
                                "INNER JOIN Sezioni ON Sezioni.ID=SezioniArticoli.IDSezione WHERE "
                                "SezioniArticoli.IDArticolo=?"),
                 Connection(), {id});
         !rs.IsEOF(); rs.MoveNext()) {
        const int sezione[3] = {rs.Field(QStringLiteral("Stampa")).toInt() != 0 ? 1 : 0,
                                rs.Field(QStringLiteral("Segnalazione")).toInt() != 0 ? 1 : 0,
                                rs.Field(QStringLiteral("Voto")).toInt() != 0 ? 1 : 0};
        for (int i = 0; i < 3; ++i) {
            if (richiesti[i] != 2)
                continue;
            *valori[i] = primo ? sezione[i] : qMax(*valori[i], sezione[i]);
        }
        primo = false;
    }
}

void Contenuti::LeggiDatiArticolo(const CAdoRecordset& rs)
{
    const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
    IDArticolo = id;
    Attivo = rs.Field(QStringLiteral("Attivo")).toInt() != 0;
    Novita = rs.Field(QStringLiteral("Novita")).toInt() != 0;
    int stampa = rs.Field(QStringLiteral("FlagStampa")).toInt();
    int segnalazione = rs.Field(QStringLiteral("FlagSegnalazione")).toInt();
    int voto = rs.Field(QStringLiteral("FlagVoto")).toInt();
    RisolviInterruttori(id, stampa, segnalazione, voto);
    FlagStampaArticolo = stampa != 0;
    FlagSegnalazioneArticolo = segnalazione != 0;
    FlagVotoArticolo = voto != 0;
    NumeroVotantiArticolo = rs.Field(QStringLiteral("NumeroVotanti")).toInt();
    VotiArticolo = rs.Field(QStringLiteral("Voti")).toInt();
    SegnalazioniArticolo = rs.Field(QStringLiteral("Segnalazioni")).toInt();
    VotoMedioArticolo = NumeroVotantiArticolo > 0 ? UnDecimale(double(VotiArticolo) / NumeroVotantiArticolo) : 0;

    CodiceModelloArticolo.clear();
    CAdoRecordset modello;
    modello.Open(QStringLiteral("SELECT Codice FROM Template WHERE ID=?"), Connection(),
                 {rs.Field(QStringLiteral("IDTemplate")).toInt()});
    CodiceModelloArticolo = ContenutiTesti::Testo(modello, QStringLiteral("Codice"));

    IDModulo = rs.Field(QStringLiteral("IDModulo")).toInt();
    IDArticoloRispostaModulo = rs.Field(QStringLiteral("IDArticoloRispostaModulo")).toInt();
    FlagModulo = IDModulo > 0;
    if (FlagModulo) {
        m_modulo.ImpostaLingua(Lingua(), Predefinita());
        if (m_modulo.Apri(Connection(), IDModulo, NomeModulo, DescrizioneModulo)) {
            CopiaCampo();
            CopiaOpzione();
        }
    }

    CodiceArticolo = ContenutiTesti::Testo(rs, QStringLiteral("Codice"));
    DataPubblicazioneArticolo = ContenutiAllegati::Data(rs.Field(QStringLiteral("DataPubblicazione")));
    PubblicazioneDallaDataArticolo = ContenutiAllegati::Data(rs.Field(QStringLiteral("PubblicazioneDallaData")));
    PubblicazioneAllaDataArticolo = ContenutiAllegati::Data(rs.Field(QStringLiteral("PubblicazioneAllaData")));

    CAdoRecordset testi;
    ContenutiTesti::ApriInLingua(testi, Connection(), QStringLiteral("ArticoliLingue"), QStringLiteral("IDArticolo"), id,
                                 Lingua(), Predefinita());
    TitoloArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Titolo"));
    SottotitoloArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Sottotitolo"));
    TestoArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Testo"));
    AutoreArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Autore"));
    VisiteArticolo = testi.IsEOF() ? 0 : testi.Field(QStringLiteral("Visite")).toInt();
    EstrattoArticolo = ContenutiTesti::Estratto(TestoArticolo, m_lunghezzaEstratto);
}

// The article's sections, links and files are read one row at a time by
// a page's "first"/"next" loop. The list closes itself when it ends, so a
// "next" after the end, or one with no "first" before it, answers false.
bool Contenuti::ApriElenco(CAdoRecordset& rs, const QString& sql, const QVariantList& params,
                           const std::function<bool()>& leggi)
{
    rs.Open(sql, Connection(), params);
    if (rs.IsEOF()) {
        rs.Close();
        return false;
    }
    return leggi();
}

bool Contenuti::AvanzaElenco(CAdoRecordset& rs, const std::function<bool()>& leggi)
{
    return CursoreRighe::Avanza(rs, true) && leggi();
}

bool Contenuti::LeggiSezioneDiArticolo()
{
    const qint32 sezione = m_rsSezioniArticolo.Field(QStringLiteral("IDSezione")).toInt();
    LeggiSezione(sezione);
    if (SessioneUno("FlagCalPerSez"))
        PercorsoSezioni = CalcolaPercorsoSezioni(sezione);
    return true;
}

bool Contenuti::LeggiPrimaSezioneArticolo()
{
    return Guard([&] {
        return ApriElenco(m_rsSezioniArticolo,
                          QStringLiteral("SELECT * FROM SezioniArticoli WHERE IDArticolo=? ORDER BY ID"), {IDArticolo},
                          [this] { return LeggiSezioneDiArticolo(); });
    });
}

bool Contenuti::LeggiSezioneArticoloSuccessiva()
{
    return Guard([&] {
        return AvanzaElenco(m_rsSezioniArticolo, [this] { return LeggiSezioneDiArticolo(); });
    });
}

// One vote per article and Session, a whole number in the offered range,
// on an article the visitor may read with voting on; the count and the
// sum grow in one statement, so two votes at once are both kept.
bool Contenuti::VotaArticolo(const QVariant& ID, const QVariant& Voto)
{
    return Guard([&] {
        const auto id = CatalogoValori::Numero(ID);
        const auto voto = CatalogoValori::Numero(Voto);
        if (!id || !voto || *voto < kVotoMinimo || *voto > kVotoMassimo)
            return false;
        const QString chiave = QStringLiteral("ArticoliVotati");
        const QStringList votati = SessionText(chiave).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (votati.contains(QString::number(*id)))
            return false;
        CatalogoSql sql(QStringLiteral("SELECT * FROM Articoli WHERE Articoli.ID=? AND Articoli.Attivo=1"));
        sql.Aggiungi(QString(), {*id});
        FiltriArticolo(sql);
        CAdoRecordset rs;
        rs.Open(sql.Testo(), Connection(), sql.Parametri());
        if (rs.IsEOF())
            return false;
        int stampa = 0, segnalazione = 0;
        int flagVoto = rs.Field(QStringLiteral("FlagVoto")).toInt();
        RisolviInterruttori(*id, stampa, segnalazione, flagVoto);
        if (flagVoto == 0)
            return false;
        Connection()->Execute(QStringLiteral("UPDATE Articoli SET NumeroVotanti=NumeroVotanti+1, Voti=Voti+?, "
                                             "Modificato=1 WHERE ID=?"),
                              {*voto, *id});
        SetSession(chiave, (votati + QStringList{QString::number(*id)}).join(QLatin1Char(',')));
        return true;
    });
}

// ---------------------------------------------------------------- forms

void Contenuti::CopiaCampo()
{
    const ContenutiModulo::Campo& campo = m_modulo.Corrente();
    CodiceCampoModulo = campo.codice;
    TipoCampoModulo = campo.tipo;
    LunghezzaCampoModulo = campo.lunghezza;
    NumeroDecimaliCampoModulo = campo.decimali;
    NomeCampoModulo = campo.nome;
    IDOpzioneCampoModulo = campo.idOpzione;
}

void Contenuti::CopiaOpzione()
{
    IDOpzioneCampoModulo = m_modulo.Corrente().idOpzione;
    OpzioneCampoModulo = m_modulo.Corrente().opzione;
}

bool Contenuti::LeggiCampoModuloSuccessivo()
{
    return Guard([&] {
        if (!m_modulo.CampoSuccessivo())
            return false;
        CopiaCampo();
        if (TipoCampoModulo == ContenutiModulo::MenuADiscesa)
            CopiaOpzione();
        return true;
    });
}

bool Contenuti::LeggiOpzioneCampoSuccessiva()
{
    return Guard([&] {
        if (!m_modulo.OpzioneSuccessiva())
            return false;
        CopiaOpzione();
        return true;
    });
}

// Mailed in the shop's default language from the shop's own address, to
// the one address the form names; a signed-in member is the one answers
// go to.
bool Contenuti::InviaModulo()
{
    return Guard([&] {
        Errore.clear();
        ContenutiDizionario testi(Server(), SessionFlag(QStringLiteral("ShareConn")), Connection());
        const auto id = CatalogoValori::Numero(Request()->Form(QStringLiteral("IDModulo")));
        ContenutiModulo::Posta posta;
        const auto postato = [&](const QString& campo) { return Request()->Form(campo); };
        if (!id || !ContenutiModulo::ComponiPosta(Connection(), *id, Predefinita(), postato, posta)
            || !CSmtpMessage::CheckMailbox(posta.destinatario).isEmpty()) {
            Errore = testi(QStringLiteral("ERRMODULONONVALIDO"));
            return false;
        }
        QString rispondiA;
        if (const qint32 cliente = QtrVisitatore::Cliente(*Session()))
            posta.corpo = ContenutiModulo::DatiMembro(Connection(), cliente, std::cref(testi), rispondiA) + posta.corpo;
        if (!ContenutiPosta::Consentita(*Session(), Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")))) {
            Errore = testi(QStringLiteral("ERRTROPPIINVII"));
            return false;
        }
        Funzioni::InviaEmail(Context(), SessionText(QStringLiteral("EmailInfo")), posta.destinatario, posta.oggetto,
                             posta.corpo, rispondiA);
        return true;
    });
}

// ---------------------------------------------------------------- links and files

void Contenuti::LeggiDatiLink()
{
    const qint32 id = m_rsLink.Field(QStringLiteral("ID")).toInt();
    IDLinkArticolo = id;
    URLLinkArticolo = ContenutiTesti::Decifrato(m_rsLink, QStringLiteral("URL"));
    FlagEsternoLinkArticolo = m_rsLink.Field(QStringLiteral("Esterno")).toInt() != 0;
    VisiteLinkArticolo = m_rsLink.Field(QStringLiteral("Visite")).toInt();
    DataUltimaVisitaLinkArticolo = ContenutiAllegati::Data(m_rsLink.Field(QStringLiteral("DataUltimaVisita")));
    CAdoRecordset testi;
    ContenutiTesti::ApriInLingua(testi, Connection(), QStringLiteral("ArticoliLinkLingue"), QStringLiteral("IDLink"), id,
                                 Lingua(), Predefinita());
    TitoloLinkArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Titolo"));
    DescrizioneLinkArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Descrizione"));
}

bool Contenuti::LeggiPrimoLinkArticolo()
{
    return Guard([&] {
        return ApriElenco(m_rsLink, QStringLiteral("SELECT * FROM ArticoliLink WHERE IDArticolo=? ORDER BY Ordine, ID"),
                          {IDArticolo}, [this] { LeggiDatiLink(); return true; });
    });
}

bool Contenuti::LeggiLinkArticoloSuccessivo()
{
    return Guard([&] {
        return AvanzaElenco(m_rsLink, [this] { LeggiDatiLink(); return true; });
    });
}

bool Contenuti::LeggiDatiFile()
{
    const qint32 id = m_rsFile.Field(QStringLiteral("ID")).toInt();
    const auto file = ContenutiAllegati::Cerca(Server()->MapPath(ContenutiAllegati::kCartella), id);
    if (!file)
        return false;
    DimensioneFileArticolo = file->dimensione;
    UMDimensioneFileArticolo = file->unita;
    PercorsoFileArticolo = file->percorso;
    IDFileArticolo = id;
    CodiceFileArticolo = ContenutiTesti::Testo(m_rsFile, QStringLiteral("Codice"));
    CAdoRecordset testi;
    ContenutiTesti::ApriInLingua(testi, Connection(), QStringLiteral("ArticoliFilesLingue"), QStringLiteral("IDFiles"),
                                 id, Lingua(), Predefinita());
    TitoloFileArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Titolo"));
    DescrizioneFileArticolo = ContenutiTesti::Decifrato(testi, QStringLiteral("Descrizione"));
    return true;
}

bool Contenuti::LeggiFileArticolo(const QVariant& ID)
{
    return Guard([&] {
        if (const auto id = CatalogoValori::Numero(ID))
            m_rsFile.Open(QStringLiteral("SELECT * FROM ArticoliFiles WHERE ID=?"), Connection(), {*id});
        else
            m_rsFile.Open(QStringLiteral("SELECT * FROM ArticoliFiles WHERE IDArticolo=? AND Codice=?"), Connection(),
                          {IDArticolo, ID.toString()});
        const bool trovato = !m_rsFile.IsEOF() && LeggiDatiFile();
        m_rsFile.Close();
        return trovato;
    });
}

bool Contenuti::LeggiPrimoFileArticolo()
{
    return Guard([&] {
        return ApriElenco(m_rsFile, QStringLiteral("SELECT * FROM ArticoliFiles WHERE IDArticolo=? ORDER BY Ordine, ID"),
                          {IDArticolo}, [this] { return LeggiDatiFile(); });
    });
}

bool Contenuti::LeggiFileArticoloSuccessivo()
{
    return Guard([&] {
        return AvanzaElenco(m_rsFile, [this] { return LeggiDatiFile(); });
    });
}

// ---------------------------------------------------------------- tree

bool Contenuti::ApriAlberoContenuti(const QVariant& IDSez, const QVariant& FlagSezPadre)
{
    return Guard([&] {
        const bool sezionePadre = !CatalogoValori::Vuoto(FlagSezPadre) && QtrValori::Booleano(FlagSezPadre);
        CatalogoSql sql(QStringLiteral("SELECT * FROM Sezioni WHERE Attivo=1 AND "));
        if (sezionePadre) {
            if (const auto id = CatalogoValori::Numero(IDSez))
                sql.Aggiungi(QStringLiteral("ID=?"), {*id});
            else
                sql.Aggiungi(QStringLiteral("Codice=?"), {IDSez.toString()});
        } else {
            const auto padre = Zero(IDSez) ? std::optional<qint32>(0) : IdSezionePerCodice(IDSez);
            if (!padre)
                return false;
            this->IDSez = *padre;
            sql.Aggiungi(QStringLiteral("IDSezionePadre=?"), {*padre});
        }
        VisibilitaSezione(sql);
        sql.Aggiungi(QStringLiteral(" ORDER BY Ordine, ID"));
        return m_albero.Apri(*this, sql);
    });
}

bool Contenuti::LeggiAlberoContenutiSuccessivo(const QVariant& FlagSezioni, const QVariant& FlagArticoli)
{
    return Guard([&] {
        const auto flag = [](const QVariant& v) { return !CatalogoValori::Vuoto(v) && QtrValori::Booleano(v); };
        return m_albero.Successivo(*this, flag(FlagSezioni), flag(FlagArticoli));
    });
}

void Contenuti::ChiudiAlberoContenuti()
{
    Guard([&] { m_albero.Chiudi(); });
}

// ---------------------------------------------------------------- referral

// The page goes to one friend's address, from the shop's own address
// with the visitor's in Reply-To, with a copy to the shop; the link is
// built on the shop's address, never on one the request names.
bool Contenuti::SegnalazioneArticolo()
{
    return Guard([&] {
        MittenteSegnalazione = RequestValue(QStringLiteral("Mittente")).trimmed();
        EmailMittenteSegnalazione = RequestValue(QStringLiteral("EmailMittente")).trimmed();
        EmailDestinatarioSegnalazione = RequestValue(QStringLiteral("EmailDestinatario")).trimmed();
        NoteSegnalazione = RequestValue(QStringLiteral("Note"));
        const QString ulterioriNote = RequestValue(QStringLiteral("UlterioriNote"));
        SetSession(QStringLiteral("MittenteSegnalazione"), MittenteSegnalazione);
        SetSession(QStringLiteral("EmailMittenteSegnalazione"), EmailMittenteSegnalazione);
        SetSession(QStringLiteral("EmailDestinatarioSegnalazione"), EmailDestinatarioSegnalazione);
        SetSession(QStringLiteral("NoteSegnalazione"), NoteSegnalazione);

        ContenutiDizionario testi(Server(), SessionFlag(QStringLiteral("ShareConn")), Connection());
        Errore.clear();
        if (!CSmtpMessage::CheckMailbox(EmailDestinatarioSegnalazione).isEmpty())
            Errore = testi(QStringLiteral("ERRNOMAILDESTSEGN"));
        if (!CSmtpMessage::CheckMailbox(EmailMittenteSegnalazione).isEmpty())
            Errore = testi(QStringLiteral("ERRNOMAILMITTSEGN"));
        if (!Errore.isEmpty())
            return false;
        if (!ContenutiPosta::Consentita(*Session(), Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")))) {
            Errore = testi(QStringLiteral("ERRTROPPIINVII"));
            return false;
        }

        CAdoRecordset impostazioni;
        impostazioni.Open(QStringLiteral("SELECT URLSito FROM Configurazione"), Connection());
        const QString link = ContenutiPosta::Collegamento(
            ContenutiTesti::Testo(impostazioni, QStringLiteral("URLSito")),
            Request()->ServerVariable(QStringLiteral("SERVER_NAME")), Request()->Item(QStringLiteral("URL")),
            Request()->ServerVariable(QStringLiteral("URL")));
        const QString corpo = ContenutiPosta::CorpoSegnalazione(MittenteSegnalazione, EmailMittenteSegnalazione, link,
                                                                NoteSegnalazione, ulterioriNote, std::cref(testi));
        const QString negozio = SessionText(QStringLiteral("EmailInfo"));
        Funzioni::InviaEmail(Context(), negozio, EmailDestinatarioSegnalazione,
                             testi(QStringLiteral("MSGOGGETTOMAILSEGN")), corpo, EmailMittenteSegnalazione);
        if (CSmtpMessage::CheckMailbox(negozio).isEmpty())
            Funzioni::InviaEmail(Context(), negozio, negozio, testi(QStringLiteral("OGGETTOMAILSEGN")), corpo,
                                 EmailMittenteSegnalazione);
        return true;
    });
}
