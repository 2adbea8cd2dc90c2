#pragma once

#include "platform/mail/CSmtpSocket.h"

#include <QString>
#include <QStringList>

// One message for a caller that sends mail one at a time (the shop server's
// notifications): connect, send, quit.
struct SmtpMail
{
    QString from;
    // A visitor's own address for answers, when the mail goes from the
    // shop's address on his behalf; empty for none.
    QString replyTo;
    QStringList to;
    QString subject;
    QString body;
    bool html = false;
    QString server = QStringLiteral("localhost");
    quint16 port = CSmtpSocket::kDefaultPort;
    int timeout = CSmtpSocket::kDefaultTimeout; // milliseconds
};

struct SmtpResult
{
    bool ok = false;
    QString error; // the server's reply or our own text; empty on success
};

SmtpResult SendSmtpMail(const SmtpMail& mail, const CSmtpSocket::WaitHook& waitHook = {});
