#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>

#include <memory>

class QThread;
class QTcpServer;

// A stand-in for the SMS gateway, on loopback, on a thread of its own: it
// takes POST /xml/sendsms.cfm with the form field "XML", reads the
// SMSMessage document out of it as a gateway would (the values unescaped)
// and answers with an SMSGateway document: status, an ID, a message.
class SmsStandInGateway
{
public:
    struct Messaggio
    {
        QString documento;    // the XML as it arrived, after the form's decoding
        QString username, password, originator, recipient, messageType, text, deliveryReport;
        bool wellFormed = false;
    };

    SmsStandInGateway();
    ~SmsStandInGateway();

    // Listens on a free port of 127.0.0.1; returns the address with scheme.
    QString Start();
    quint16 Port() const { return m_port; }

    // The answer to every message from now on.
    void SetAnswer(int status, const QString& message);
    // A body sent as it is, in place of the SMSGateway document.
    void SetRawAnswer(const QByteArray& body);
    // How long each message waits before its answer.
    void SetDelayMs(int ms);

    QList<Messaggio> Messages() const;

private:
    class Worker;
    QByteArray Answer(const QByteArray& request);

    std::unique_ptr<QThread> m_thread;
    Worker* m_worker = nullptr;
    quint16 m_port = 0;

    mutable QMutex m_mutex;
    QList<Messaggio> m_messages;
    int m_status = 0;
    QString m_message = QStringLiteral("Messaggio accettato");
    QByteArray m_raw;
    int m_delayMs = 0;
};
