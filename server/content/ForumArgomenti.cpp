#include "server/content/ForumArgomenti.h"

#include "server/content/ContenutiFiltri.h"
#include "server/content/ContenutiPercorso.h"
#include "server/content/ContenutiTesti.h"
#include "server/core/catalogo/CatalogoValori.h"

namespace {

bool Zero(const QVariant& valore)
{
    return CatalogoValori::Vuoto(valore) || CatalogoValori::Numero(valore) == 0;
}

} // namespace

ForumArgomenti::ForumArgomenti(int tipo, const QString& chiaveUrl, QObject* parent)
    : CQtrServerObject(parent), m_tipo(tipo), m_chiaveUrl(chiaveUrl)
{
}

ForumArgomenti::~ForumArgomenti() = default;

void ForumArgomenti::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

QString ForumArgomenti::Lingua() const { return SessionText(QStringLiteral("CodiceLingua")); }

QString ForumArgomenti::Predefinita() const { return SessionText(QStringLiteral("CodiceLinguaPredefinita")); }

std::optional<qint32> ForumArgomenti::IdPerCodice(const QVariant& argomento)
{
    if (const auto id = CatalogoValori::Numero(argomento))
        return id;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT ID FROM Argomenti WHERE Codice=?"), Connection(), {argomento.toString()});
    if (rs.IsEOF())
        return std::nullopt;
    return rs.Field(QStringLiteral("ID")).toInt();
}

std::optional<qint32> ForumArgomenti::ArgomentoDelTipo(const QVariant& argomento)
{
    if (CatalogoValori::Vuoto(argomento))
        return std::nullopt;
    CAdoRecordset rs;
    if (const auto id = CatalogoValori::Numero(argomento))
        rs.Open(QStringLiteral("SELECT ID FROM Argomenti WHERE ID=? AND Tipo=?"), Connection(), {*id, m_tipo});
    else
        rs.Open(QStringLiteral("SELECT ID FROM Argomenti WHERE Codice=? AND Tipo=?"), Connection(),
                {argomento.toString(), m_tipo});
    if (rs.IsEOF())
        return std::nullopt;
    return rs.Field(QStringLiteral("ID")).toInt();
}

bool ForumArgomenti::LeggiArgomento(const QVariant& IDArg)
{
    return Guard([&] {
        if (const auto id = CatalogoValori::Numero(IDArg))
            m_rsArgomenti.Open(QStringLiteral("SELECT * FROM Argomenti WHERE ID=?"), Connection(), {*id});
        else
            m_rsArgomenti.Open(QStringLiteral("SELECT * FROM Argomenti WHERE Codice=?"), Connection(),
                               {IDArg.toString()});
        if (m_rsArgomenti.IsEOF())
            return false;
        LeggiDatiArgomento();
        return true;
    });
}

bool ForumArgomenti::ApriPaginaArgomenti(const QVariant& IDArg)
{
    return Guard([&] {
        const auto padre = Zero(IDArg) ? std::optional<qint32>(0) : IdPerCodice(IDArg);
        if (!padre)
            return false;
        this->IDArg = *padre;
        m_rsArgomenti.Open(QStringLiteral("SELECT * FROM Argomenti WHERE Tipo=? AND IDArgomentoPadre=? ORDER BY Ordine, ID"),
                           Connection(), {m_tipo, *padre});
        if (m_rsArgomenti.IsEOF())
            return false;
        LeggiDatiArgomento();
        return true;
    });
}

bool ForumArgomenti::LeggiArgomentoSuccessivO()
{
    return Guard([&] {
        if (!m_rsArgomenti.IsOpen() || m_rsArgomenti.IsEOF())
            return false;
        m_rsArgomenti.MoveNext();
        if (m_rsArgomenti.IsEOF())
            return false;
        LeggiDatiArgomento();
        return true;
    });
}

void ForumArgomenti::ChiudiPaginaArgomenti()
{
    Guard([&] { m_rsArgomenti.Close(); });
}

void ForumArgomenti::LeggiDatiArgomento()
{
    const qint32 id = m_rsArgomenti.Field(QStringLiteral("ID")).toInt();
    CAdoRecordset figli;
    figli.Open(QStringLiteral("SELECT ID FROM Argomenti WHERE IDArgomentoPadre=?"), Connection(), {id});
    FlagSottoArgomenti = !figli.IsEOF();
    IDArgomento = id;
    LeggiTestoLingua(id, NomeArgomento, DescrizioneArgomento);
    PercorsoArgomenti = CalcolaPercorsoArgomenti(m_rsArgomenti.Field(QStringLiteral("IDArgomentoPadre")).toInt());
    if (ConteggiRichiesti())
        CalcolaConteggi(ContenutiFiltri::Discendenti(Connection(), QStringLiteral("Argomenti"),
                                                     QStringLiteral("IDArgomentoPadre"), id));
}

void ForumArgomenti::LeggiArgomentoDi(qint32 id)
{
    IDArgomento = id;
    LeggiTestoLingua(id, NomeArgomento, DescrizioneArgomento);
    PercorsoArgomenti = CalcolaPercorsoArgomenti(id);
}

void ForumArgomenti::LeggiTestoLingua(qint32 id, QString& nome, QString& descrizione)
{
    CAdoRecordset rs;
    ContenutiTesti::ApriInLingua(rs, Connection(), QStringLiteral("ArgomentiLingue"), QStringLiteral("IDArgomento"), id,
                                 Lingua(), Predefinita());
    nome = ContenutiTesti::Decifrato(rs, QStringLiteral("Nome"));
    descrizione = ContenutiTesti::Decifrato(rs, QStringLiteral("Descrizione"));
}

QString ForumArgomenti::CalcolaPercorsoArgomenti(qint32 inizio)
{
    static const ContenutiPercorso argomenti{QStringLiteral("Argomenti"), QStringLiteral("IDArgomentoPadre"),
                                             QStringLiteral("ArgomentiLingue"), QStringLiteral("IDArgomento"),
                                             QStringLiteral("IDArgomento")};
    return argomenti.Calcola(Connection(), inizio, SessionText(m_chiaveUrl), Lingua(), Predefinita());
}
