#include "desktop/customers/CMailingInvio.h"

#include "desktop/customers/IMailingSms.h"
#include "platform/mail/CSmtpSocket.h"

namespace {

const QString kNoServer = QStringLiteral("Impossibile contattare il server.");
const QString kInvioMail = QStringLiteral("Invio mail");

// Asks the server for the credit; false after the message that ends the run.
bool EnoughCredit(const MailingJob& job, IMailingSms& sms, CMailingInvio::IUi& ui)
{
    const IMailingSms::Reply reply = sms.CheckCredit();
    if (!reply.bContacted) {
        ui.Message(QStringLiteral("Impossibile contattare il server!"), QStringLiteral("Invio SMS"),
                   CMailingInvio::IUi::Stop);
        return false;
    }
    if (!reply.strText.startsWith(QLatin1String("OK"))) {
        ui.Message(reply.strText, QStringLiteral("Invio SMS"), CMailingInvio::IUi::Stop);
        return false;
    }
    // Only the recipients with a mobile number get an SMS, so only they
    // need credit.
    int toSend = 0;
    for (const MailingRecipient& recipient : job.recipients)
        if (!recipient.strCellulare.isEmpty())
            ++toSend;
    const int credit = CMailingInvio::CreditOf(reply.strText);
    if (credit < toSend) {
        ui.Message(QStringLiteral("Credito insufficiente per l'invio degli SMS!\n\nSMS da inviare: %1\nCredito "
                                  "disponibile: %2")
                       .arg(toSend)
                       .arg(credit),
                   QStringLiteral("Controllo credito"), CMailingInvio::IUi::Stop);
        return false;
    }
    return true;
}

QString BodyOf(const MailingJob& job, const QString& language)
{
    QString body = job.Text(job.body, language);
    const QString promo = job.Text(job.promo, language);
    if (job.bInsertPromo && !promo.isEmpty())
        body += QStringLiteral("\r\n\r\n") + promo;
    const QString signature = job.Text(job.signature, language);
    if (!signature.isEmpty())
        body += QStringLiteral("\r\n") + signature;
    return body;
}

} // namespace

bool CMailingInvio::CheckEmailAddress(const QString& address, const QString& label, QString& log)
{
    const int at = address.indexOf(QLatin1Char('@'));
    QString failure;
    if (at < 0)
        failure = QStringLiteral(" - manca il carattere @.\r\n");
    else if (at == 0)
        failure = QStringLiteral(" - manca il nome utente.\r\n");
    else if (at == address.size() - 1)
        failure = QStringLiteral(" - manca il dominio.\r\n");
    else {
        const QString domain = address.mid(at + 1);
        const int dot = domain.indexOf(QLatin1Char('.'));
        if (dot < 0 || domain.size() - dot - 1 < 2)
            failure = QStringLiteral(" - dominio errato.\r\n");
    }
    if (failure.isEmpty())
        return true;
    log += label + failure;
    return false;
}

int CMailingInvio::CreditOf(const QString& reply)
{
    int digits = 0;
    const QString rest = reply.mid(2);
    while (digits < rest.size() && rest.at(digits).isDigit())
        ++digits;
    return rest.left(digits).toInt();
}

CMailingInvio::Outcome CMailingInvio::Run(const MailingJob& job, IUi& ui, IMailingSms* sms,
                                          const std::atomic<bool>* cancel)
{
    Outcome outcome;
    const int count = job.recipients.size();
    if (count == 0) {
        ui.Message(QStringLiteral("Nessun utente selezionato."), QStringLiteral("Selezione utenti"), IUi::Exclamation);
        outcome.strLog = QStringLiteral("Nessun errore");
        outcome.bShowLog = true;
        return outcome;
    }
    outcome.state = Stopped;
    if (job.bSms && (!sms || !sms->LoadSettings() || !EnoughCredit(job, *sms, ui)))
        return outcome;

    CSmtpSocket smtp;
    if (job.bMail && !smtp.Connect(job.strServer, job.nPort)) {
        ui.Message(kNoServer, kInvioMail, IUi::Stop);
        return outcome;
    }
    int rowsSinceConnect = 0;
    // A connection that fails again: the message, then the log of what
    // went before, so no refusal goes unseen.
    const auto interrupt = [&](int done) {
        ui.Message(kNoServer, kInvioMail, IUi::Stop);
        outcome.state = Interrupted;
        outcome.strLog += QStringLiteral("Invio interrotto: %1 destinatari su %2 non raggiunti.\r\n")
                              .arg(count - done)
                              .arg(count);
        outcome.bShowLog = true;
        return outcome;
    };
    for (int i = 0; i < count; ++i) {
        if (cancel && cancel->load()) {
            outcome.strLog += QStringLiteral("Invio annullato: %1 destinatari su %2 non raggiunti.\r\n")
                                  .arg(count - i)
                                  .arg(count);
            break;
        }
        const MailingRecipient& recipient = job.recipients.at(i);
        Report report;
        report.strLabel = recipient.strLabel;
        if (job.bMail && ++rowsSinceConnect == kRowsPerConnection) {
            rowsSinceConnect = 0;
            smtp.Quit();
            if (!smtp.Connect(job.strServer, job.nPort))
                return interrupt(i);
        }
        ui.Progress(i, count, QStringLiteral("Invio messaggi %1/%2 in corso...").arg(i + 1).arg(count));
        const QString language = recipient.strLingua.isEmpty() ? job.strDefaultLanguage : recipient.strLingua;
        if (job.bMail) {
            const QString address = recipient.strEmail.trimmed().toLower();
            if (!CheckEmailAddress(address, recipient.strLabel, outcome.strLog)) {
                report.mail = BadAddress;
            } else {
                smtp.SetFrom(job.strSender);
                smtp.SetTo(address);
                smtp.SetSubject(job.Text(job.subject, language));
                smtp.SetBody(BodyOf(job, language));
                bool sent = smtp.SendMail();
                // A connection lost on the way is opened again once, and the
                // message sent again on it.
                if (!sent && !smtp.IsConnected()) {
                    if (!smtp.Connect(job.strServer, job.nPort))
                        return interrupt(i);
                    rowsSinceConnect = 0;
                    sent = smtp.SendMail();
                }
                report.mail = sent ? Sent : Refused;
                if (!sent)
                    outcome.strLog += QStringLiteral("Errore SMTP server: %1 - %2\r\n")
                                          .arg(smtp.GetLastErrorText(), recipient.strLabel);
            }
        }
        if (job.bSms && sms && !recipient.strCellulare.isEmpty()) {
            const QString sender = job.smsSender.value(language);
            const IMailingSms::Reply reply =
                sms->Send(sender.isEmpty() ? QStringLiteral("QTRList") : sender.left(11), recipient.strCellulare,
                          job.Text(job.smsText, language).left(160));
            if (!reply.bContacted)
                ui.Message(kNoServer, QStringLiteral("Invio SMS"), IUi::Stop);
            report.sms = reply.strText == QLatin1String("OK") ? Sent : Refused;
            if (report.sms != Sent)
                outcome.strLog += QStringLiteral("Errore SMS server: [%1] - %2\r\n").arg(recipient.strCellulare,
                                                                                        reply.strText);
        }
        outcome.reports.append(report);
    }
    if (job.bMail)
        smtp.Quit();
    outcome.state = outcome.reports.size() == count ? Completed : Stopped;
    if (outcome.strLog.isEmpty())
        outcome.strLog = QStringLiteral("Nessun errore");
    outcome.bShowLog = true;
    return outcome;
}
