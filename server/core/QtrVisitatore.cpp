#include "server/core/QtrVisitatore.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/IAspSession.h"
#include "server/core/CacheNegozio.h"
#include "server/core/QtrValori.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <limits>

namespace {

const QString kCollegato = QStringLiteral("UtenteCollegato");
const QString kUtente = QStringLiteral("IDUtente");
const QString kGruppo = QStringLiteral("IDGruppo");
const QString kListino = QStringLiteral("IDListino");
const QString kAgente = QStringLiteral("IDAgente");
const QString kMailing = QStringLiteral("IDUtenteML");

constexpr int kTipoAgente = 3;

qint32 Positivo(const IAspSession& session, const QString& chiave)
{
    bool ok = false;
    const qint64 id = session.Value(chiave).toLongLong(&ok);
    return ok && id > 0 && id <= std::numeric_limits<qint32>::max() ? qint32(id) : 0;
}

qint32 Collegato(const IAspSession& session, const QString& chiave)
{
    return QtrValori::Vero(session.Value(kCollegato)) ? Positivo(session, chiave) : 0;
}

} // namespace

qint32 QtrVisitatore::Cliente(const IAspSession& session) { return Collegato(session, kUtente); }

qint32 QtrVisitatore::Agente(const IAspSession& session) { return Collegato(session, kAgente); }

qint32 QtrVisitatore::MembroMailing(const IAspSession& session) { return Positivo(session, kMailing); }

QVariant QtrVisitatore::Utente(const IAspSession& session)
{
    return CatalogoValori::IdDaLegare(session.Value(kUtente), "IDUtente");
}

QVariant QtrVisitatore::Gruppo(const IAspSession& session)
{
    return CatalogoValori::IdDaLegare(session.Value(kGruppo), "IDGruppo");
}

qint32 QtrVisitatore::Listino(const IAspSession& session)
{
    return CatalogoValori::Intero(session.Value(kListino), "IDListino");
}

qint32 QtrVisitatore::ListinoCliente(const CAdoRecordset& cliente, CAdoConnection* connection)
{
    qint32 listino = 0;
    if (!cliente.IsNull(kListino))
        listino = cliente.Field(kListino).toInt() - 1;
    if (listino == -1) {
        CAdoRecordset gruppo;
        CacheNegozio::Apri(gruppo, QStringLiteral("SELECT * FROM Gruppi WHERE ID=?"), connection,
                           {cliente.Field(kGruppo)});
        if (!gruppo.IsEOF() && !gruppo.IsNull(kListino))
            listino = gruppo.Field(kListino).toInt();
    }
    return listino == -1 ? 0 : listino;
}

void QtrVisitatore::Azzera(IAspSession& session, CAdoConnection* connection)
{
    session.SetValue(kCollegato, false);
    session.SetValue(kMailing, 0);
    session.SetValue(QStringLiteral("IDDestinatario"), 0);
    session.SetValue(kListino, 0);
    session.SetValue(kAgente, 0);
    CAdoRecordset rs;
    for (const char* condizione : {"ID=0", "TipoUtente=3", "TipoUtente<>2"}) {
        rs.Open(QStringLiteral("SELECT * FROM Clienti WHERE %1 ORDER BY ID").arg(QLatin1String(condizione)),
                connection);
        if (!rs.IsEOF())
            break;
    }
    if (rs.IsEOF()) {
        session.SetValue(kUtente, QVariant());
        session.SetValue(kGruppo, QVariant());
        return;
    }
    session.SetValue(kUtente, rs.Field(QStringLiteral("ID")));
    session.SetValue(kAgente, rs.Field(kAgente));
    session.SetValue(kGruppo, rs.Field(kGruppo));
    if (rs.Field(QStringLiteral("TipoUtente")).toInt() == kTipoAgente)
        session.SetValue(kAgente, rs.Field(QStringLiteral("ID")));
    session.SetValue(kListino, ListinoCliente(rs, connection));
}

void QtrVisitatore::Collega(IAspSession& session, qint32 utente, qint32 gruppo, qint32 listino, qint32 agente)
{
    session.SetValue(kUtente, utente);
    session.SetValue(kAgente, agente);
    session.SetValue(kGruppo, gruppo);
    session.SetValue(kListino, listino);
    session.SetValue(kCollegato, true);
}

void QtrVisitatore::CollegaMembroMailing(IAspSession& session, qint32 utente) { session.SetValue(kMailing, utente); }
