#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

// A server end that says only what a test scripts, for the misbehaviours a
// real server will not show on demand (silence, odd greetings, replies in
// pieces). It runs on the test's own thread: the client under test calls
// Pump from its wait hook.
class ScriptedSmtpPeer
{
public:
    // greeting: written one piece per Pump, so a reply can arrive split.
    // replies: by command word ("EHLO", "MAIL", ...; "." for the end of the
    // message text); a command with no entry gets no reply at all.
    ScriptedSmtpPeer(QByteArrayList greeting, QMap<QByteArray, QByteArray> replies);

    quint16 Port() const;
    void Pump();
    QByteArrayList Received() const; // every line the client sent

private:
    void Answer(const QByteArray& line);

    QTcpServer m_server;
    QTcpSocket* m_pPeer = nullptr;
    QByteArrayList m_greeting;
    QMap<QByteArray, QByteArray> m_replies;
    QByteArrayList m_received;
    bool m_bInData = false;
};
