#include "server/content/Forum.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "server/content/ContenutiDizionario.h"
#include "server/content/ContenutiFiltri.h"
#include "server/content/ContenutiTesti.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrValori.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoValori.h"

QTR_ASP_REGISTER(Forum)

namespace {

const QStringList kCampiModulo = {QStringLiteral("MittenteIntervento"), QStringLiteral("EmailMittenteIntervento"),
                                  QStringLiteral("OggettoIntervento"), QStringLiteral("TestoIntervento")};

bool MenoUno(const QVariant& valore)
{
    return CatalogoValori::Numero(valore) == -1;
}

qint32 Conta(CAdoConnection* connessione, const CatalogoSql& sql)
{
    CAdoRecordset rs;
    rs.Open(sql.Testo(), connessione, sql.Parametri());
    return rs.IsEOF() ? 0 : rs.Field(QStringLiteral("Num")).toInt();
}

} // namespace

Forum::Forum(QObject* parent) : ForumArgomenti(0, QStringLiteral("URLPaginaArgomentiForum"), parent) {}

Forum::~Forum() = default;

void Forum::Start()
{
    ForumArgomenti::Start();
    LunghezzaEstratto = 50;
    MittenteIntervento = SessionText(kCampiModulo[0]);
    EmailMittenteIntervento = SessionText(kCampiModulo[1]);
    OggettoIntervento = SessionText(kCampiModulo[2]);
    TestoIntervento = SessionText(kCampiModulo[3]);
}

QDateTime Forum::Adesso() const { return m_adesso.isValid() ? m_adesso : QDateTime::currentDateTime(); }

void Forum::ImpostaCalcoloStatisticheArgomento(const QVariant& F)
{
    Guard([&] { SetSession(QStringLiteral("FlagCalNumIntArg"), F); });
}

void Forum::ImpostaLunghezzaEstrattoIntervento(const QVariant& L)
{
    Guard([&] { LunghezzaEstratto = QtrValori::Intero16(L); });
}

bool Forum::ConteggiRichiesti() const
{
    return CatalogoValori::Numero(SessionValue(QStringLiteral("FlagCalNumIntArg"))) == 1;
}

void Forum::CalcolaConteggi(const QList<qint32>& argomenti)
{
    CatalogoSql discussioni(QStringLiteral("SELECT COUNT(*) AS Num FROM InterventiForum WHERE Attivo=1 AND "
                                           "IDIntervento=0 AND IDArgomento"));
    ContenutiFiltri::In(discussioni, argomenti);
    NumeroDiscussioniArgomento = Conta(Connection(), discussioni);
    CatalogoSql interventi(QStringLiteral("SELECT COUNT(*) AS Num FROM InterventiForum WHERE Attivo=1 AND IDArgomento"));
    ContenutiFiltri::In(interventi, argomenti);
    NumeroInterventiArgomento = Conta(Connection(), interventi);
}

// ---------------------------------------------------------------- pages

bool Forum::ApriPagina(const QString& sql, const QVariant& chiave, const QVariant& pagina, const char* dimensione,
                       qint16& lunghezza, qint16& corrente, qint16& totale)
{
    // A page that is no whole number shows nothing.
    const qint32 numero = CatalogoValori::Vuoto(pagina) ? 1 : CatalogoValori::Numero(pagina).value_or(0);
    ChiudiArgomenti();
    m_rsInterventi.Open(sql, Connection(), {chiave});
    if (m_rsInterventi.IsEOF())
        return false;
    qint32 dimensionePagina = CatalogoValori::Numero(SessionValue(QString::fromLatin1(dimensione))).value_or(0);
    if (dimensionePagina <= 0)
        dimensionePagina = 10;
    dimensionePagina = qMin(dimensionePagina, m_rsInterventi.RecordCount());
    m_rsInterventi.SetPageSize(dimensionePagina);
    if (numero < 1 || numero > m_rsInterventi.PageCount() || m_rsInterventi.PageCount() > 32767) {
        m_rsInterventi.Close();
        return false;
    }
    m_rsInterventi.SetAbsolutePage(numero);
    lunghezza = static_cast<qint16>(dimensionePagina);
    LeggiDatiIntervento(m_rsInterventi);
    corrente = static_cast<qint16>(numero);
    totale = static_cast<qint16>(m_rsInterventi.PageCount());
    return true;
}

bool Forum::ApriPaginaDiscussioni(const QVariant& Pag, const QVariant& IDArgPar)
{
    return Guard([&] {
        const bool daRichiesta = MenoUno(IDArgPar) || !IDArgPar.isValid();
        const QVariant argomento = daRichiesta ? QVariant(Request()->Item(QStringLiteral("IDArgomento"))) : IDArgPar;
        const QVariant pagina = daRichiesta ? QVariant(Request()->Item(QStringLiteral("Page"))) : Pag;
        // A topic that is none keeps the visitor on the one he chose before.
        if (const auto id = ArgomentoDelTipo(argomento))
            SetSession(QStringLiteral("IDArgomentoInterventoForum"), *id);
        const auto scelto = CatalogoValori::Numero(SessionValue(QStringLiteral("IDArgomentoInterventoForum")));
        if (!scelto)
            return false;
        return ApriPagina(QStringLiteral("SELECT * FROM InterventiForum WHERE Attivo=1 AND IDIntervento=0 AND "
                                         "IDArgomento=? ORDER BY Data DESC, Ora DESC, ID DESC"),
                          *scelto, pagina, "ThreadPageSize", LunghezzaPaginaDiscussioni, PaginaCorrenteDiscussioni,
                          TotalePagineDiscussioni);
    });
}

bool Forum::ApriPaginaRisposte(const QVariant& Pag, const QVariant& IDIntPar)
{
    return Guard([&] {
        const bool daRichiesta = MenoUno(IDIntPar) || !IDIntPar.isValid();
        const QVariant intervento = daRichiesta ? QVariant(Request()->Item(QStringLiteral("IDIntervento"))) : IDIntPar;
        const QVariant pagina = daRichiesta ? QVariant(Request()->Item(QStringLiteral("Page"))) : Pag;
        if (const auto id = CatalogoValori::Numero(intervento))
            SetSession(QStringLiteral("IDInterventoForum"), *id);
        const auto scelto = CatalogoValori::Numero(SessionValue(QStringLiteral("IDInterventoForum")));
        if (!scelto)
            return false;
        return ApriPagina(QStringLiteral("SELECT * FROM InterventiForum WHERE Attivo=1 AND IDIntervento=? "
                                         "ORDER BY Data DESC, Ora DESC, ID DESC"),
                          *scelto, pagina, "AnswerPageSize", LunghezzaPaginaRisposte, PaginaCorrenteRisposte,
                          TotalePagineRisposte);
    });
}

bool Forum::Successivo()
{
    if (!m_rsInterventi.IsOpen() || m_rsInterventi.IsEOF())
        return false;
    m_rsInterventi.MoveNext();
    if (m_rsInterventi.IsEOF())
        return false;
    LeggiDatiIntervento(m_rsInterventi);
    return true;
}

bool Forum::LeggiDiscussioneSuccessiva()
{
    return Guard([&] { return Successivo(); });
}

bool Forum::LeggiRispostaSuccessiva()
{
    return Guard([&] { return Successivo(); });
}

void Forum::ChiudiPaginaDiscussioni()
{
    Guard([&] { m_rsInterventi.Close(); });
}

void Forum::ChiudiPaginaRisposta()
{
    Guard([&] { m_rsInterventi.Close(); });
}

bool Forum::ControlloPrimaPaginaDiscussioni()
{
    return Guard([&] { return PaginaCorrenteDiscussioni == 1; });
}

bool Forum::ControlloUltimaPaginaDiscussioni()
{
    return Guard([&] { return PaginaCorrenteDiscussioni == TotalePagineDiscussioni; });
}

bool Forum::ControlloPrimaPaginaRisposte()
{
    return Guard([&] { return PaginaCorrenteRisposte == 1; });
}

bool Forum::ControlloUltimaPaginaRisposte()
{
    return Guard([&] { return PaginaCorrenteRisposte == TotalePagineRisposte; });
}

// ---------------------------------------------------------------- posts

bool Forum::LeggiIntervento(const QVariant& ID)
{
    return Guard([&] {
        const QVariant intervento =
            CatalogoValori::Numero(ID).value_or(0) == 0 ? QVariant(Request()->Item(QStringLiteral("IDIntervento"))) : ID;
        this->ID = intervento;
        const auto id = CatalogoValori::Numero(intervento);
        if (!id)
            return false;
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT * FROM InterventiForum WHERE ID=? AND Attivo=1"), Connection(), {*id});
        if (rs.IsEOF())
            return false;
        LeggiDatiIntervento(rs);
        return true;
    });
}

void Forum::LeggiDatiIntervento(const CAdoRecordset& rs)
{
    IDIntervento = rs.Field(QStringLiteral("ID")).toInt();
    IDInterventoPadre = rs.Field(QStringLiteral("IDIntervento")).toInt();
    LeggiArgomentoDi(rs.Field(QStringLiteral("IDArgomento")).toInt());
    Attivo = rs.Field(QStringLiteral("Attivo")).toInt() != 0;
    MittenteIntervento = ContenutiTesti::Testo(rs, QStringLiteral("Mittente"));
    EmailMittenteIntervento = ContenutiTesti::Testo(rs, QStringLiteral("EmailMittente"));
    OggettoIntervento = ContenutiTesti::Testo(rs, QStringLiteral("Oggetto"));
    TestoIntervento = ContenutiTesti::Testo(rs, QStringLiteral("Testo"));
    NoteModeratoreIntervento = ContenutiTesti::Testo(rs, QStringLiteral("NoteModeratore"));
    DataIntervento = CAdoRecordset::DateValue(rs.Field(QStringLiteral("Data")));
    OraIntervento = CAdoRecordset::DateValue(rs.Field(QStringLiteral("Ora")));
    EstrattoIntervento = ContenutiTesti::Estratto(TestoIntervento, LunghezzaEstratto);
}

bool Forum::InvioIntervento()
{
    return Guard([&] {
        MittenteIntervento = RequestValue(QStringLiteral("Mittente"));
        EmailMittenteIntervento = RequestValue(QStringLiteral("EmailMittente"));
        OggettoIntervento = RequestValue(QStringLiteral("Oggetto"));
        TestoIntervento = RequestValue(QStringLiteral("Testo"));
        const QString valori[] = {MittenteIntervento, EmailMittenteIntervento, OggettoIntervento, TestoIntervento};
        for (int i = 0; i < 4; ++i)
            SetSession(kCampiModulo[i], valori[i]);

        ContenutiDizionario testi(Server(), SessionFlag(QStringLiteral("ShareConn")), Connection());
        Errore.clear();
        if (TestoIntervento.isEmpty())
            Errore = testi(QStringLiteral("ERRNOTESTOINT"));
        if (OggettoIntervento.isEmpty())
            Errore = testi(QStringLiteral("ERRNOOGGINT"));
        if (MittenteIntervento.isEmpty())
            Errore = testi(QStringLiteral("ERRNOMITTINT"));
        if (!Errore.isEmpty())
            return false;

        // A reply goes under the topic of the active post it answers; a new
        // thread into a forum topic that exists.
        std::optional<qint32> argomento;
        const QString richiesto = RequestValue(QStringLiteral("IDInterventoPadre"));
        const auto numero = CatalogoValori::Vuoto(richiesto) ? std::optional<qint32>(0) : CatalogoValori::Numero(richiesto);
        const qint32 padre = numero.value_or(-1);
        if (!numero) {
            // Neither a thread of its own nor a reply: refused below.
        } else if (padre != 0) {
            CAdoRecordset rs;
            rs.Open(QStringLiteral("SELECT IDArgomento FROM InterventiForum WHERE ID=? AND Attivo=1"), Connection(),
                    {padre});
            if (!rs.IsEOF())
                argomento = rs.Field(QStringLiteral("IDArgomento")).toInt();
        } else {
            argomento = ArgomentoDelTipo(RequestValue(QStringLiteral("IDArgomentoPadre")));
        }
        if (!argomento) {
            Errore = testi(QStringLiteral("ERRARGOMENTOINT"));
            return false;
        }

        const QDateTime adesso = Adesso();
        CAdoRecordset nuovo;
        nuovo.Open(QStringLiteral("SELECT * FROM InterventiForum WHERE ID=0"), Connection(), {},
                   CAdoRecordset::adLockOptimistic);
        nuovo.AddNew();
        nuovo.SetField(QStringLiteral("ID"), Funzioni::ProssimoID(QStringLiteral("InterventiForum"), Connection(), true));
        nuovo.SetField(QStringLiteral("IDArgomento"), *argomento);
        nuovo.SetField(QStringLiteral("IDIntervento"), padre);
        nuovo.SetField(QStringLiteral("Data"), QDateTime(adesso.date(), QTime(0, 0)));
        nuovo.SetField(QStringLiteral("Ora"), QDateTime(QDate(1899, 12, 30), adesso.time()));
        nuovo.SetField(QStringLiteral("Mittente"), MittenteIntervento.left(kMittente));
        nuovo.SetField(QStringLiteral("EmailMittente"), EmailMittenteIntervento.left(kEmail));
        nuovo.SetField(QStringLiteral("Oggetto"), OggettoIntervento.left(kOggetto));
        nuovo.SetField(QStringLiteral("Testo"), TestoIntervento);
        nuovo.SetField(QStringLiteral("Attivo"), false);
        nuovo.SetField(QStringLiteral("Modificato"), true);
        nuovo.Update();
        nuovo.Close();
        for (const QString& chiave : kCampiModulo)
            SetSession(chiave, QString());
        return true;
    });
}
