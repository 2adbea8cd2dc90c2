#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QTcpSocket>

#include <functional>
#include <initializer_list>

// The system's own SMTP client: one connection, any number of messages,
// each one checked reply by reply. It blocks its caller; a wait hook lets
// the desktop keep its window alive meanwhile, and the server side leaves
// the hook empty.
class CSmtpSocket
{
public:
    // Called over and over while a network operation waits. When set, the
    // connection's own progress is also left to it, so it must let the
    // thread's events run (QCoreApplication::processEvents does).
    using WaitHook = std::function<void()>;

    static constexpr quint16 kDefaultPort = 25;
    static constexpr int kDefaultTimeout = 60000;

    CSmtpSocket();
    ~CSmtpSocket();
    CSmtpSocket(const CSmtpSocket&) = delete;
    CSmtpSocket& operator=(const CSmtpSocket&) = delete;

    // Opens the connection and reads the greeting, whatever its code; true
    // at once, sending nothing, when already connected.
    bool Connect(const QString& strServer, quint16 nPort = kDefaultPort);
    // One address, or several separated by "," or ";": one envelope
    // recipient each, all in the message's one To header.
    void SetTo(const QString& strTo);
    void SetFrom(const QString& strFrom);
    // The Reply-To header: one address, or empty for none.
    void SetReplyTo(const QString& strReplyTo);
    void SetSubject(const QString& strSubject);
    void SetBody(const QString& strBody);
    void SetHtml(bool bHtml);
    // False when an address is unusable (nothing is sent then), when the
    // server refuses a step (the error text is its whole reply, line ends
    // included; the connection stays usable) or when the connection fails
    // or times out (the connection is closed).
    bool SendMail();
    // Sends QUIT without waiting for the reply and closes.
    void Quit();
    bool IsConnected() const;
    QString GetLastErrorText() const;

    void SetWaitHook(WaitHook hook);
    // Longest wait for the connection and for each reply, in milliseconds.
    void SetTimeout(int nMilliseconds);

private:
    struct Reply
    {
        int nCode = 0;
        QString strText; // every line, each with its line end
    };

    bool SendCommand(const QByteArray& text, std::initializer_list<int> expectedCodes);
    bool SendGreetingCommand();
    bool CheckMessage(QStringList& listTo);
    bool ConnectSocket(const QString& strServer, quint16 nPort);
    bool WriteAll(const QByteArray& data);
    bool ReadReply(Reply& reply);
    bool ReadLine(QByteArray& line, const QDeadlineTimer& deadline);
    bool WaitForData(const QDeadlineTimer& deadline);
    // False, with the error set and the connection given up, once the
    // socket is gone or the wait has lasted too long. While connecting,
    // only a socket that has fallen back to unconnected is gone.
    bool StillWaiting(const QDeadlineTimer& deadline, bool bConnecting = false);
    int SliceOf(const QDeadlineTimer& deadline) const;
    QString TimeoutText() const;
    void Drop();
    void SetErrorFromSocket();

    QTcpSocket m_socket;
    QString m_strLastError;
    QString m_strGreeting;
    bool m_bConnected = false;
    QString m_strServer;
    QString m_strTo;
    QString m_strFrom;
    QString m_strReplyTo;
    QString m_strSubject;
    QString m_strBody;
    bool m_bHtml = false;
    int m_nLastReplyCode = 0;
    WaitHook m_waitHook;
    int m_nTimeout = kDefaultTimeout;
};
