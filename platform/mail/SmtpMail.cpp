#include "platform/mail/SmtpMail.h"

SmtpResult SendSmtpMail(const SmtpMail& mail, const CSmtpSocket::WaitHook& waitHook)
{
    CSmtpSocket smtp;
    smtp.SetWaitHook(waitHook);
    smtp.SetTimeout(mail.timeout);
    smtp.SetFrom(mail.from);
    smtp.SetReplyTo(mail.replyTo);
    smtp.SetTo(mail.to.join(QStringLiteral(", ")));
    smtp.SetSubject(mail.subject);
    smtp.SetBody(mail.body);
    smtp.SetHtml(mail.html);

    SmtpResult result;
    result.ok = smtp.Connect(mail.server, mail.port) && smtp.SendMail();
    result.error = smtp.GetLastErrorText();
    smtp.Quit();
    return result;
}
