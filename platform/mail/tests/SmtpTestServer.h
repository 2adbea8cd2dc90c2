#pragma once

#include "platform/testing/TempFolder.h"

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// A real SMTP server on 127.0.0.1, run as a child process for the tests.
// Each message it accepts lands, already decoded by an independent mail
// parser, as a JSON record in its folder; the commands it saw go to a log.
class SmtpTestServer
{
public:
    SmtpTestServer() = default;
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    // Empty on success, otherwise why the server did not come up.
    QString Start();
    void Stop();
    quint16 Port() const;

    // Forgets the messages and commands of earlier tests.
    void Clear() const;
    QList<QJsonObject> Messages() const;
    // The messages once at least count have arrived, or what arrived within
    // the time: mail that a server queues goes out after its page answered.
    QList<QJsonObject> WaitForMessages(int count, int timeoutMs = 15000) const;
    QStringList Commands() const;

private:
    QString WaitForPort();
    QString WaitUntilAccepting() const;

    TempFolder m_folder;
    QProcess m_process;
    quint16 m_nPort = 0;
};
