#pragma once

#include <QString>

#include <functional>

class IAspSession;

// What the shop mails for a visitor (a form, a page sent to a friend):
// how many it sends, and the link to the shop's own page it carries.
class ContenutiPosta
{
public:
    ContenutiPosta() = delete;

    // True, and the message counted, while the Session and the visitor's
    // network address are within their limits (ContenutiLimitePosta).
    static bool Consentita(IAspSession& session, const QString& indirizzoRete);

    // The address of a page of the shop: its own site address (the
    // settings' URLSito, else the host name it was asked under) and a
    // path of its own; any other path, or an address elsewhere, gives
    // riserva instead.
    static QString Collegamento(const QString& sito, const QString& nomeServer, const QString& percorso,
                                const QString& riserva);
    // The referral's text: who sends it, the shop's words, the link and
    // the notes, each followed by an empty line.
    static QString CorpoSegnalazione(const QString& mittente, const QString& email, const QString& link,
                                     const QString& note, const QString& ulterioriNote,
                                     const std::function<QString(const QString&)>& testo);
    // A path of this site: "/" and no host, scheme, blank or control
    // character.
    static bool PercorsoLocale(const QString& percorso);
};
