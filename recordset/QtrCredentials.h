#pragma once

#include <QStringList>

// The columns of Configurazione that hold the shop's credentials: the site
// account, the card gateway's merchant code and terminal, the proxy's
// account. None of them leaves the merchant's hands: not on a CD edition,
// not in a reply to the offline catalogue.
inline QStringList QtrConfigurazioneCredentials()
{
    return {QStringLiteral("CodiceUtente"), QStringLiteral("Password"), QStringLiteral("CodiceEsercente"),
            QStringLiteral("TID"), QStringLiteral("UserIDProxy"), QStringLiteral("PasswordProxy")};
}
