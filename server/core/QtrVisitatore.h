#pragma once

#include <QtGlobal>

class IAspSession;

// Who is at the keyboard, as the members' login recorded it. The Session's
// IDUtente alone is no proof: the session set-up fills it with the
// anonymous visitor's row, which is an agent's or a customer's row in a
// shop without row 0. Only the login sets the mark read here, and the
// logout clears it, so a class that shows a customer's data asks here.
class QtrVisitatore
{
public:
    QtrVisitatore() = delete;

    // The logged-in customer (or the customer an agent acts for); 0 when
    // nobody logged in.
    static qint32 Cliente(const IAspSession& session);
    // The logged-in agent; 0 when no agent logged in.
    static qint32 Agente(const IAspSession& session);

    // Called by the login once it has written IDUtente and IDAgente, and by
    // the logout.
    static void Collega(IAspSession& session);
    static void Scollega(IAspSession& session);
};
