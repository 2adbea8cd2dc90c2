#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

class IExchangeProgress;
class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The client that posts the synchronisation's requests to the shop. Fields
// go out in the order they were added, as a UTF-8 form; a file goes out as
// the raw body the shop's file page reads, in pieces, with the transfer
// reported to the progress sink. The host may name its scheme
// ("https://negozio.example"); plain "negozio.example" is http. Each call
// blocks until the reply is in, letting the caller's events through.
class CHttp
{
public:
    CHttp(const QString& host, const QString& proxy, int port, const QString& proxyUser,
          const QString& proxyPassword, IExchangeProgress* progress);
    ~CHttp();
    CHttp(const CHttp&) = delete;
    CHttp& operator=(const CHttp&) = delete;

    // flag is kept for the callers' sake; every field travels the same way.
    void AddToPOSTFields(const QString& name, const QString& value, int flag = 1);
    void ErasePostFields();
    void SetPOSTFile(const QString& path);
    void SetContentType(const QString& contentType);

    // True when the shop answered: reply holds the body. False when no
    // connection was made. The fields are dropped either way.
    bool Post(const QString& page, QString* header, QString* reply);
    // Sends the file set by SetPOSTFile with the account, path and name
    // fields added before it.
    bool PostFileBase64(const QString& page, QString* header, QString* reply);

    // Several posts in flight: Queue sends the fields added so far and
    // returns at once with a ticket; Next blocks until one of the queued
    // posts is answered (in whatever order the shop answers them) and says
    // which. The posts share the client's kept-alive connections.
    struct Answer
    {
        int ticket = -1;
        bool answered = false;   // as Post's result
        QString reply;
    };
    int Queue(const QString& page);
    int InFlight() const { return int(m_queued.size()) + int(m_arrived.size()); }
    Answer Next();

    // How long one request may wait for the shop (seconds).
    void SetTimeout(int seconds) { m_timeoutSeconds = seconds; }
    // The size of the pieces a file is cut into.
    void SetPieceSize(qint64 bytes) { m_pieceSize = bytes; }

private:
    QNetworkRequest Request(const QString& page, const QString& contentType) const;
    bool Send(const QNetworkRequest& request, const QByteArray& body, QString* reply);
    QString Field(const QString& name) const;
    QByteArray TakeFormBody();
    static Answer Read(QNetworkReply* reply);

    QNetworkAccessManager* m_network;
    QString m_scheme;
    QString m_host;
    int m_port;
    IExchangeProgress* m_progress;
    QList<QPair<QString, QString>> m_fields;
    QString m_file;
    QString m_contentType;
    int m_timeoutSeconds = 120;
    qint64 m_pieceSize = 4 * 1024 * 1024;
    QHash<QNetworkReply*, int> m_queued;
    QList<Answer> m_arrived;
    QEventLoop* m_waiting = nullptr;
    int m_nextTicket = 0;
};
