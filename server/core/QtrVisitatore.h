#pragma once

#include <QVariant>
#include <QtGlobal>

class CAdoConnection;
class CAdoRecordset;
class IAspSession;

// Who the visitor is, for every class of the component: prices, rights and
// orders ask here and nowhere else.
//
// The Session's IDUtente, IDGruppo and IDListino always name whose rights,
// discounts and price list apply: the member once he logged in, the
// anonymous visitor's row otherwise (the session set-up's choice, which a
// logout restores). Only the set-up, the login and the logout write them,
// all through this class. The row behind an anonymous visitor may be an
// agent's or a customer's, so it is no login: the login's own mark tells
// whose data and orders the visitor may see.
class QtrVisitatore
{
public:
    QtrVisitatore() = delete;

    // The logged-in customer (or the customer an agent acts for); 0 when
    // nobody logged in.
    static qint32 Cliente(const IAspSession& session);
    // The logged-in agent; 0 when no agent logged in.
    static qint32 Agente(const IAspSession& session);
    // The logged-in mailing-only member; 0 when none.
    static qint32 MembroMailing(const IAspSession& session);

    // Whose rights and discounts apply, as values to bind: null when the
    // shop has no anonymous visitor's row and nobody logged in.
    static QVariant Utente(const IAspSession& session);
    static QVariant Gruppo(const IAspSession& session);
    // The price list's index (0 the first list).
    static qint32 Listino(const IAspSession& session);

    // The price list of a customer row: its own (stored one above its
    // index), else its group's, else the first.
    static qint32 ListinoCliente(const CAdoRecordset& cliente, CAdoConnection* connection);

    // The login of a customer or an agent (the Session keys written by the
    // login), and of a mailing-only member.
    static void Collega(IAspSession& session, qint32 utente, qint32 gruppo, qint32 listino, qint32 agente);
    static void CollegaMembroMailing(IAspSession& session, qint32 utente);
    // Back to the visitor a new Session starts as (the set-up and the
    // logout): nobody logged in, and the anonymous visitor's row: the row
    // with ID 0, else the first agent's, else the first that is no
    // mailing-only member's. Without any, the visitor is nobody's (IDUtente
    // and IDGruppo unset).
    static void Azzera(IAspSession& session, CAdoConnection* connection);
};
