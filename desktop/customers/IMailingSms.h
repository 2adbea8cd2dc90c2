#pragma once

#include <QString>

// The SMS requests a mailing makes through the shop server: the account's
// credit ("/checksms50.asp") and one message ("/sendsms50.asp"). The
// program's HTTP client answers it; a test answers with a stand-in. It is
// called from the mailing's worker thread, one request after the other.
class IMailingSms
{
public:
    struct Reply
    {
        bool bContacted = false;   // false: the server could not be reached
        QString strText;           // the body of the server's answer
    };

    virtual ~IMailingSms() = default;

    // False when the shop's SMS account is not available: nothing is sent
    // and nothing shown.
    virtual bool LoadSettings() = 0;
    virtual Reply CheckCredit() = 0;
    // originator at most 11 characters, text at most 160; the mobile number
    // as stored.
    virtual Reply Send(const QString& originator, const QString& recipient, const QString& text) = 0;
};
