#pragma once

#include "desktop/customers/SmsSettings.h"

#include <QString>

class CDaoDatabase;

// The SMS requests of the desk to the shop's server: the account's credit
// ("/checksms50.asp") and one message ("/sendsms50.asp"), posted through
// the synchronisation's HTTP client. Every call blocks until the server
// answered or could not be reached.
class CSmsRequests
{
public:
    // What came back: bContacted is false when the server could not be
    // reached; strReply is the server's answer.
    struct Reply
    {
        bool bContacted = false;
        QString strReply;
    };

    // The account and server of the shop's settings; false (and nothing
    // sent by the caller) when there is no settings row, no user code, no
    // password or no server address.
    static bool LoadSmsSettings(CDaoDatabase& db, SmsSettings& settings);

    // The sender name: the dictionary's text for PMTINTESTAZIONESMS in
    // language, else in fallbackLanguage (when given), else fallbackText.
    static QString SenderName(CDaoDatabase& db, const QString& language, const QString& fallbackLanguage,
                              const QString& fallbackText);

    static Reply RequestCredit(const SmsSettings& settings);
    // The sender is cut to 11 characters and the text to 160; the number
    // goes as stored.
    static Reply Send(const SmsSettings& settings, const QString& originator, const QString& recipient,
                      const QString& text);

    // The reply rules: a credit reply begins with "OK" and the number
    // follows (no digits: 0); a message is sent only when the whole reply
    // is "OK".
    static bool IsCredit(const QString& reply, qint64* credit = nullptr);
    static bool IsSent(const QString& reply);

    static constexpr int kMaxOriginator = 11;
    static constexpr int kMaxText = 160;
};
