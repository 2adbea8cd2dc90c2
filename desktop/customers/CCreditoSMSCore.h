#pragma once

#include "desktop/customers/CSmsRequests.h"

class CDaoDatabase;

// What the SMS credit dialog shows: the shop server's answer to the credit
// request, in one line. The settings are read on the window's thread; the
// request may run on any.
class CCreditoSMSCore
{
public:
    // False when the shop's account is not set: the text stays empty.
    bool Load(CDaoDatabase& db);
    const SmsSettings& Settings() const { return m_settings; }

    // Asks the server and gives the line to show.
    static QString Request(const SmsSettings& settings);
    // "Credito disponibile: " and the number and " SMS" for a reply that
    // begins with "OK"; the reply itself otherwise; when the server could
    // not be reached, "Impossibile contattare il server.".
    static QString TextOf(const CSmsRequests::Reply& reply);

private:
    SmsSettings m_settings;
};
