#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A proxy on loopback between the desktop and the shop that cuts one
// request of a chosen kind the way a network does: it drops the request,
// lets the shop carry it out and drops the reply, or sends half of it and
// resets both connections. Every other byte passes unchanged. It lives on
// the test's thread, whose events the desktop's blocking requests let
// through.
class RoadCutProxy : public QObject
{
    Q_OBJECT
public:
    // The upload's requests, then the order download's: a deletion notice
    // from the shop, a changed row, a confirmation of a row or a notice.
    enum class Kind { Deletion, Row, FirstPiece, MiddlePiece, LastPiece, DeletionNotice, Record, Confirmation, Other };
    // DropReplyOnce lets the client's own resend of the request through: the
    // shop gets the request twice and the client sees one answer.
    enum class Cut { DropRequest, DropReply, HalfRequestThenReset, DropReplyOnce };

    explicit RoadCutProxy(quint16 shopPort);
    ~RoadCutProxy() override;

    quint16 Port() const { return m_server.serverPort(); }
    // Cuts the n-th request of kind (from 1, counted from this call), and
    // the same request again each time the desktop's client resends it on
    // its own, until StopCutting: the run sees the cut, not a retry.
    void CutAt(Kind kind, int n, Cut cut);
    void StopCutting();
    // The cuts made so far (a resent request cut again counts again).
    int Cuts() const { return m_cuts; }
    // How many requests of a kind went through or were cut.
    int Seen(Kind kind) const { return m_seen.value(kind); }
    // Every request as the desktop sent it, head and body.
    const QList<QByteArray>& Requests() const { return m_requests; }

private:
    struct Link
    {
        QTcpSocket* client = nullptr;
        QTcpSocket* shop = nullptr;
        QByteArray pending;        // from the client, not yet a whole request
        bool dropReply = false;    // the shop's next reply is not passed on
    };

    void Accept();
    void FromClient(Link* link);
    void FromShop(Link* link);
    void Close(Link* link, bool reset);
    // The length of the first whole request in data, 0 while incomplete.
    static qsizetype RequestLength(const QByteArray& data);
    Kind Classify(const QByteArray& request);

    QTcpServer m_server;
    quint16 m_shopPort;
    QList<Link*> m_links;
    QHash<Kind, int> m_seen;
    QHash<QString, qint64> m_sentOfFile;   // bytes of each file passed so far
    QList<QByteArray> m_requests;
    Kind m_cutKind = Kind::Other;
    int m_cutAt = 0;
    QByteArray m_cutRequest;
    Cut m_cut = Cut::DropRequest;
    int m_cuts = 0;
};
