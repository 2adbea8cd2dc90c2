#include "server/content/Chat.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "server/content/ChatOrologio.h"
#include "server/content/ContenutiDizionario.h"
#include "server/content/ContenutiFiltri.h"
#include "server/content/ContenutiTesti.h"
#include "server/core/Funzioni.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoValori.h"

QTR_ASP_REGISTER(Chat)

namespace {

// The chat user the entry made for this Session.
const QString kUtenteSessione = QStringLiteral("IDUtenteChat");

} // namespace

Chat::Chat(QObject* parent) : ForumArgomenti(1, QStringLiteral("URLPaginaArgomentiChat"), parent) {}

Chat::~Chat() = default;

void Chat::Start()
{
    ForumArgomenti::Start();
    FrequenzaAggiornamento = SessioneNumero("FrequenzaAggiornamentoChat");
    IDUtente = SessioneNumero("IDUtenteChat");
}

qint32 Chat::SessioneNumero(const char* chiave) const
{
    return CatalogoValori::Numero(SessionValue(QString::fromLatin1(chiave))).value_or(0);
}

void Chat::ImpostaCalcoloUtentiArgomento(const QVariant& F)
{
    Guard([&] { SetSession(QStringLiteral("FlagCalNumUteArg"), F); });
}

bool Chat::ConteggiRichiesti() const { return SessioneNumero("FlagCalNumUteArg") == 1; }

void Chat::CalcolaConteggi(const QList<qint32>& argomenti)
{
    EliminaUtentiInattivi();
    CatalogoSql sql(QStringLiteral("SELECT COUNT(*) AS Num FROM UtentiChat WHERE IDArgomento"));
    ContenutiFiltri::In(sql, argomenti);
    CAdoRecordset rs;
    rs.Open(sql.Testo(), Connection(), sql.Parametri());
    NumeroUtentiArgomento = rs.IsEOF() ? 0 : rs.Field(QStringLiteral("Num")).toInt();
}

void Chat::EliminaUtentiInattivi()
{
    const qint64 limite = ChatOrologio::SecondiAdesso() - 3 * qint64(SessioneNumero("FrequenzaAggiornamentoChat"));
    Connection()->Execute(QStringLiteral("DELETE FROM UtentiChat WHERE UltimoAccesso<?"), {limite});
}

bool Chat::IngressoUtente()
{
    return Guard([&] {
        Nickname = Request()->Item(QStringLiteral("Nickname")).left(kNickname);
        SetSession(QStringLiteral("Nickname"), Nickname);
        ContenutiDizionario testi(Server(), SessionFlag(QStringLiteral("ShareConn")), Connection());
        Errore.clear();
        if (Nickname.isEmpty())
            Errore = testi(QStringLiteral("ERRNONICK"));
        const auto stanza = ArgomentoDelTipo(Request()->Item(QStringLiteral("IDArgomento")));
        if (!stanza) {
            Errore = testi(QStringLiteral("ERRSTANZACHAT"));
            return false;
        }
        EliminaUtentiInattivi();
        CAdoRecordset presente;
        presente.Open(QStringLiteral("SELECT ID FROM UtentiChat WHERE IDArgomento=? AND Nickname=?"), Connection(),
                      {*stanza, Nickname});
        if (!presente.IsEOF())
            Errore = testi(QStringLiteral("ERRNICKGIAPRESENTE"));
        if (!Errore.isEmpty())
            return false;

        IDUtente = Funzioni::ProssimoID(QStringLiteral("UtentiChat"), Connection(), true);
        Connection()->Execute(
            QStringLiteral("INSERT INTO UtentiChat (ID, IDArgomento, Nickname, UltimoAccesso) VALUES (?, ?, ?, ?)"),
            {IDUtente, *stanza, Nickname, ChatOrologio::SecondiAdesso()});
        IDArgomento = *stanza;
        SetSession(kUtenteSessione, IDUtente);
        AggiungiMessaggio(*stanza, testi(QStringLiteral("PMTNICKADMINCHAT")),
                          Nickname + QStringLiteral(": ") + testi(QStringLiteral("MSGBENVENUTOCHAT")));
        SetSession(QStringLiteral("Nickname"), QString());
        return true;
    });
}

void Chat::AggiungiMessaggio(qint32 stanza, const QString& nickname, const QString& testo)
{
    const QDateTime adesso = ChatOrologio::Adesso();
    Connection()->Execute(QStringLiteral("INSERT INTO InterventiChat (ID, IDArgomento, Nickname, IndirizzoIP, Data, "
                                         "Ora, Timeout, Testo, Modificato) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1)"),
                          {Funzioni::ProssimoID(QStringLiteral("InterventiChat"), Connection(), true), stanza, nickname,
                           Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")),
                           QDateTime(adesso.date(), QTime(0, 0)), QDateTime(QDate(1899, 12, 30), adesso.time()),
                           ChatOrologio::Secondi(adesso), testo});
}

bool Chat::UtentePresente()
{
    IDUtente = SessioneNumero("IDUtenteChat");
    if (IDUtente == 0)
        return false;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT IDArgomento, Nickname FROM UtentiChat WHERE ID=?"), Connection(), {IDUtente});
    if (rs.IsEOF()) {
        SetSession(kUtenteSessione, 0);
        IDUtente = 0;
        return false;
    }
    IDArgomento = rs.Field(QStringLiteral("IDArgomento")).toInt();
    Nickname = ContenutiTesti::Testo(rs, QStringLiteral("Nickname"));
    Connection()->Execute(QStringLiteral("UPDATE UtentiChat SET UltimoAccesso=? WHERE ID=?"),
                          {ChatOrologio::SecondiAdesso(), IDUtente});
    return true;
}

void Chat::AggiornaMessaggi()
{
    Guard([&] {
        const QString testo = Request()->Item(QStringLiteral("Testo")).left(kTesto);
        if (testo.isEmpty() || !UtentePresente())
            return;
        AggiungiMessaggio(IDArgomento, Nickname, testo);
    });
}

bool Chat::ApriPaginaInterventi()
{
    return Guard([&] {
        if (!UtentePresente())
            return false;
        const qint64 limite = ChatOrologio::SecondiAdesso() - SessioneNumero("DurataMessaggiChat");
        Connection()->Execute(QStringLiteral("DELETE FROM InterventiChat WHERE Timeout<?"), {limite});
        m_rsMessaggi.Open(QStringLiteral("SELECT * FROM InterventiChat WHERE IDArgomento=? "
                                         "ORDER BY Data DESC, Ora DESC, ID DESC"),
                          Connection(), {IDArgomento});
        if (m_rsMessaggi.IsEOF())
            return false;
        LeggiDatiMessaggio();
        LunghezzaPaginaMessaggi = SessioneNumero("MessagesPageSize");
        return true;
    });
}

bool Chat::LeggiInterventoSuccessivo()
{
    return Guard([&] {
        if (!m_rsMessaggi.IsOpen() || m_rsMessaggi.IsEOF())
            return false;
        m_rsMessaggi.MoveNext();
        if (m_rsMessaggi.IsEOF())
            return false;
        LeggiDatiMessaggio();
        return true;
    });
}

void Chat::ChiudiPaginaInterventi()
{
    Guard([&] { m_rsMessaggi.Close(); });
}

void Chat::LeggiDatiMessaggio()
{
    IDArgomento = m_rsMessaggi.Field(QStringLiteral("IDArgomento")).toInt();
    Nickname = ContenutiTesti::Testo(m_rsMessaggi, QStringLiteral("Nickname"));
    IndirizzoIP = ContenutiTesti::Testo(m_rsMessaggi, QStringLiteral("IndirizzoIP"));
    DataIntervento = CAdoRecordset::DateValue(m_rsMessaggi.Field(QStringLiteral("Data")));
    OraIntervento = CAdoRecordset::DateValue(m_rsMessaggi.Field(QStringLiteral("Ora")));
    TestoIntervento = ContenutiTesti::Testo(m_rsMessaggi, QStringLiteral("Testo"));
}
