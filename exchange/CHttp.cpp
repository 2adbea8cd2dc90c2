#include "exchange/CHttp.h"

#include "exchange/IExchangeProgress.h"
#include "recordset/sync/CSyncFileBody.h"
#include "recordset/sync/SyncProtocol.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

CHttp::CHttp(const QString& host, const QString& proxy, int port, const QString& proxyUser,
             const QString& proxyPassword, IExchangeProgress* progress)
    : m_network(new QNetworkAccessManager), m_port(port), m_progress(progress)
{
    const QUrl url = QUrl::fromUserInput(host);
    m_scheme = url.scheme() == QLatin1String("https") ? QStringLiteral("https") : QStringLiteral("http");
    m_host = url.host().isEmpty() ? host : url.host();
    if (m_port <= 0)
        m_port = url.port(m_scheme == QLatin1String("https") ? 443 : 80);
    if (!proxy.isEmpty()) {
        const QUrl proxyUrl = QUrl::fromUserInput(proxy);
        m_network->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxyUrl.host(), quint16(proxyUrl.port(8080)),
                                          proxyUser, proxyPassword));
    } else {
        m_network->setProxy(QNetworkProxy::NoProxy);
    }
}

CHttp::~CHttp()
{
    // Posts still in flight are dropped with the client.
    for (QNetworkReply* reply : m_queued.keys())
        reply->abort();
    delete m_network;
}

void CHttp::AddToPOSTFields(const QString& name, const QString& value, int) { m_fields.append({name, value}); }

void CHttp::ErasePostFields() { m_fields.clear(); }

void CHttp::SetPOSTFile(const QString& path) { m_file = path; }

void CHttp::SetContentType(const QString& contentType) { m_contentType = contentType; }

QString CHttp::Field(const QString& name) const
{
    for (const auto& [key, value] : m_fields) {
        if (key == name)
            return value;
    }
    return QString();
}

QNetworkRequest CHttp::Request(const QString& page, const QString& contentType) const
{
    QUrl url;
    url.setScheme(m_scheme);
    url.setHost(m_host);
    url.setPort(m_port);
    url.setPath(page);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    request.setTransferTimeout(m_timeoutSeconds * 1000);
    return request;
}

CHttp::Answer CHttp::Read(QNetworkReply* reply)
{
    Answer answer;
    answer.answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (answer.answered)
        answer.reply = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    return answer;
}

bool CHttp::Send(const QNetworkRequest& request, const QByteArray& body, QString* reply)
{
    QNetworkReply* answer = m_network->post(request, body);
    QEventLoop loop;
    QObject::connect(answer, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const Answer read = Read(answer);
    if (read.answered && reply)
        *reply = read.reply;
    return read.answered;
}

QByteArray CHttp::TakeFormBody()
{
    QByteArray body;
    for (const auto& [name, value] : m_fields) {
        if (!body.isEmpty())
            body += '&';
        body += name.toUtf8().toPercentEncoding() + '=' + value.toUtf8().toPercentEncoding();
    }
    m_fields.clear();
    return body;
}

bool CHttp::Post(const QString& page, QString*, QString* reply)
{
    const QByteArray body = TakeFormBody();
    return Send(Request(page, QStringLiteral("application/x-www-form-urlencoded; charset=utf-8")), body, reply);
}

int CHttp::Queue(const QString& page)
{
    const int ticket = m_nextTicket++;
    QNetworkReply* reply =
        m_network->post(Request(page, QStringLiteral("application/x-www-form-urlencoded; charset=utf-8")), TakeFormBody());
    m_queued.insert(reply, ticket);
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply] {
        Answer answer = Read(reply);
        answer.ticket = m_queued.take(reply);
        m_arrived.append(answer);
        if (m_waiting)
            m_waiting->quit();
    });
    return ticket;
}

CHttp::Answer CHttp::Next()
{
    if (m_arrived.isEmpty() && !m_queued.isEmpty()) {
        QEventLoop loop;
        m_waiting = &loop;
        loop.exec();
        m_waiting = nullptr;
    }
    return m_arrived.isEmpty() ? Answer() : m_arrived.takeFirst();
}

bool CHttp::PostFileBase64(const QString& page, QString*, QString* reply)
{
    CSyncFileBody::Header header;
    header.userCode = Field(QString(SyncProtocol::kUserCode));
    header.password = Field(QString(SyncProtocol::kPassword));
    header.path = Field(QString(SyncProtocol::kPath));
    header.fileName = Field(QString(SyncProtocol::kFileName));
    m_fields.clear();
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reply)
            *reply = QStringLiteral("Impossibile leggere il file %1").arg(m_file);
        return true;
    }
    header.totalBytes = file.size();
    const QString contentType = m_contentType.isEmpty() ? QStringLiteral("application/octet-stream") : m_contentType;
    if (m_progress)
        m_progress->TransferRange(header.totalBytes);
    qint64 sent = 0;
    header.flagFirst = 1;
    do {
        const QByteArray piece = file.read(m_pieceSize);
        header.offset = sent;   // lets the shop recognise a piece sent again
        if (!Send(Request(page, contentType), CSyncFileBody::Build(header, piece), reply))
            return false;
        sent += piece.size();
        if (m_progress)
            m_progress->TransferPos(sent);
        if (!reply || *reply != SyncProtocol::kOk)
            return true;
        header.flagFirst = 0;
    } while (sent < header.totalBytes);
    return true;
}
