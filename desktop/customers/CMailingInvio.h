#pragma once

#include "desktop/customers/MailingJob.h"

#include <QList>
#include <QString>

#include <atomic>

class IMailingSms;

// The send run of a mailing without widgets: the SMS credit check, then
// for each recipient the mail through the system's SMTP client (a new
// connection every twenty recipients, and again when one is lost) and the
// SMS through the shop server, each outcome reported per recipient and in
// the log the merchant is shown at the end.
class CMailingInvio
{
public:
    // What the run needs of a window: its message boxes and its progress.
    class IUi
    {
    public:
        enum Icon { Stop, Exclamation };
        virtual ~IUi() = default;
        virtual void Message(const QString& text, const QString& caption, Icon icon) = 0;
        virtual void Progress(int position, int count, const QString& status) = 0;
    };

    enum Result { Sent, NotSent, BadAddress, Refused };
    struct Report
    {
        QString strLabel;
        Result mail = NotSent;
        Result sms = NotSent;
    };
    enum State { Completed, Stopped, Interrupted };
    struct Outcome
    {
        State state = Completed;
        QString strLog;           // shown to the merchant; "Nessun errore" when nothing failed
        bool bShowLog = false;
        QList<Report> reports;    // one per recipient dealt with
    };

    static constexpr int kRowsPerConnection = 20;

    // The address checks, in order; appends the failing one's line to log.
    static bool CheckEmailAddress(const QString& address, const QString& label, QString& log);
    // "OK" followed by the credit: its leading digits, none giving 0.
    static int CreditOf(const QString& reply);

    // sms may be null when the job sends no SMS; cancel is read between
    // recipients.
    static Outcome Run(const MailingJob& job, IUi& ui, IMailingSms* sms, const std::atomic<bool>* cancel = nullptr);
};
