#pragma once

#include "platform/mail/SmtpMail.h"

#include <QDateTime>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Mail that a page hands over and a thread of its own delivers: each
// message is a file in the queue's folder before Accoda returns, so a page
// never waits for the relay and a restart loses nothing. A message the
// relay does not take stays and is tried again later, each wait twice the
// last (up to an hour); after the longest age it is moved to "scartate"
// and logged, never deleted unsent.
class CMailQueue
{
public:
    struct Settings
    {
        QString folder;
        QString server = QStringLiteral("localhost");
        quint16 port = CSmtpSocket::kDefaultPort;
        int timeoutMs = 30000;          // per step of one delivery
        int firstRetrySeconds = 60;
        int longestRetrySeconds = 3600;
        int longestAgeSeconds = 3 * 24 * 3600;
        std::function<void(const QString&)> log;   // one line per failure
    };

    explicit CMailQueue(Settings settings);
    ~CMailQueue();
    CMailQueue(const CMailQueue&) = delete;
    CMailQueue& operator=(const CMailQueue&) = delete;

    // Empty when the message is stored; otherwise why not (an address the
    // mail client would refuse, or the folder cannot be written).
    QString Accoda(const SmtpMail& mail);

    // The delivering thread: started once, stopped by Ferma or the
    // destructor (a delivery in progress finishes first).
    void Avvia();
    void Ferma();

    // One pass over the messages due at that moment (with anchePrima, over
    // every message, due or not); the number delivered.
    int InviaScadute(const QDateTime& adesso, bool anchePrima = false);
    int InAttesa() const;
    QString Cartella() const { return m_settings.folder; }

private:
    void Ciclo();
    bool InviaFile(const QString& file, const QDateTime& adesso, bool anchePrima);
    void Registra(const QString& riga) const;

    Settings m_settings;
    std::mutex m_lock;
    std::condition_variable m_sveglia;
    bool m_fermo = false;
    bool m_nuova = false;
    std::thread m_thread;
};
