#include "server/core/QtrVisitatore.h"

#include "platform/asp/IAspSession.h"
#include "server/core/QtrValori.h"

#include <limits>

namespace {

const QString kCollegato = QStringLiteral("UtenteCollegato");

qint32 Id(const IAspSession& session, const QString& chiave)
{
    if (!QtrValori::Vero(session.Value(kCollegato)))
        return 0;
    bool ok = false;
    const qint64 id = session.Value(chiave).toLongLong(&ok);
    return ok && id > 0 && id <= std::numeric_limits<qint32>::max() ? qint32(id) : 0;
}

} // namespace

qint32 QtrVisitatore::Cliente(const IAspSession& session) { return Id(session, QStringLiteral("IDUtente")); }

qint32 QtrVisitatore::Agente(const IAspSession& session) { return Id(session, QStringLiteral("IDAgente")); }

void QtrVisitatore::Collega(IAspSession& session) { session.SetValue(kCollegato, true); }

void QtrVisitatore::Scollega(IAspSession& session) { session.SetValue(kCollegato, false); }
