#include "server/core/catalogo/CatalogoVisitatore.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CacheNegozio.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <QLocale>

namespace {

double Reale(const QVariant& valore)
{
    if (valore.typeId() != QMetaType::QString)
        return valore.toDouble();
    QString testo = valore.toString().trimmed();
    testo.replace(QLatin1Char(','), QLatin1Char('.'));
    return QLocale::c().toDouble(testo);
}

} // namespace

CAdoConnection* CatalogoVisitatore::Connection() const { return m_catalogo.Connection(); }
IAspServer* CatalogoVisitatore::Server() const { return m_catalogo.Server(); }
IAspSession* CatalogoVisitatore::Session() const { return m_catalogo.Session(); }
QVariant CatalogoVisitatore::SessionValue(const QString& key) const { return m_catalogo.SessionValue(key); }
QString CatalogoVisitatore::SessionText(const QString& key) const { return m_catalogo.SessionText(key); }
bool CatalogoVisitatore::SessionFlag(const QString& key) const { return m_catalogo.SessionFlag(key); }
QString CatalogoVisitatore::RequestValue(const QString& key) const { return m_catalogo.RequestValue(key); }

void CatalogoVisitatore::SetSessionPagina(const QString& key, const QVariant& value) const
{
    m_catalogo.SetSessionPagina(key, value);
}

QVariant CatalogoVisitatore::IdSessione(const char* chiave) const
{
    const auto id = CatalogoValori::Id(SessionValue(QString::fromLatin1(chiave)), chiave);
    return id ? QVariant(*id) : QVariant();
}

// Read again only when the page changes the visitor's group or user.
const CatalogoDiritti& CatalogoVisitatore::Diritti()
{
    const QVariant gruppo = QtrVisitatore::Gruppo(*Session());
    const QVariant utente = QtrVisitatore::Utente(*Session());
    if (!m_diritti || m_diritti->idGruppo != gruppo || m_diritti->idUtente != utente)
        m_diritti = CatalogoDiritti::Leggi(Connection(), gruppo, utente);
    return *m_diritti;
}

std::optional<qint32> CatalogoVisitatore::IdArgomento(const QVariant& argomento, const char* chiave) const
{
    if (CatalogoValori::Zero(argomento))
        return CatalogoValori::Id(RequestValue(QString::fromLatin1(chiave)), chiave);
    return CatalogoValori::Id(argomento, chiave);
}

std::optional<qint32> CatalogoVisitatore::IdUtente() const
{
    const QVariant utente = QtrVisitatore::Utente(*Session());
    return utente.isNull() ? std::nullopt : std::optional<qint32>(utente.toInt());
}

bool CatalogoVisitatore::LinguaAttiva(const QString& codice)
{
    if (!m_lingueAttive) {
        QSet<QString> codici;
        CAdoRecordset rs;
        for (CacheNegozio::Apri(rs, QStringLiteral("SELECT Codice FROM Lingue WHERE Attivo=1"), Connection()); !rs.IsEOF();
             rs.MoveNext())
            codici.insert(rs.Field(QStringLiteral("Codice")).toString());
        m_lingueAttive = codici;
    }
    return m_lingueAttive->contains(codice);
}

// The visitor's language when it is one the shop offers; otherwise the
// texts come in the default language.
QString CatalogoVisitatore::LinguaVisitatore()
{
    const QString codice = SessionText(QStringLiteral("CodiceLingua"));
    return LinguaAttiva(codice) ? codice : QString();
}

QString CatalogoVisitatore::LinguaPredefinita() const
{
    return SessionText(QStringLiteral("CodiceLinguaPredefinita"));
}

bool CatalogoVisitatore::ApriInLingua(CAdoRecordset& rs, const QString& sql, qint32 id, bool tenuta)
{
    const auto apri = [&](const QString& lingua) {
        if (tenuta)
            CacheNegozio::Apri(rs, sql, Connection(), {lingua, id});
        else
            rs.Open(sql, Connection(), {lingua, id});
    };
    const QString lingua = LinguaVisitatore();
    if (!lingua.isEmpty()) {
        apri(lingua);
        if (!rs.IsEOF())
            return true;
    }
    apri(LinguaPredefinita());
    return !rs.IsEOF();
}

void CatalogoVisitatore::FiltriProdotti(CatalogoSql& sql)
{
    sql.DirittiProdotto(Diritti())
        .NovitaOfferte(CatalogoValori::Intero(SessionValue(QStringLiteral("FlagNovita")), "FlagNovita"),
                       CatalogoValori::Intero(SessionValue(QStringLiteral("FlagOfferte")), "FlagOfferte"), Oggi());
}

CatalogoCambi CatalogoVisitatore::Cambi() const
{
    CatalogoCambi cambi;
    cambi.fcListino2Euro = Reale(SessionValue(QStringLiteral("FCListino2Euro")));
    cambi.fcEuro2Web = Reale(SessionValue(QStringLiteral("FCEuro2Web")));
    cambi.arrotondamento = Reale(SessionValue(QStringLiteral("Arrotondamento")));
    cambi.arrotondamentoListino = Reale(SessionValue(QStringLiteral("ArrotondamentoListino")));
    return cambi;
}

QDate CatalogoVisitatore::Oggi() const { return m_oggi.isValid() ? m_oggi : QDate::currentDate(); }
