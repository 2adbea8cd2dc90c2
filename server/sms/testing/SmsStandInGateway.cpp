#include "server/sms/testing/SmsStandInGateway.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrlQuery>
#include <QXmlStreamReader>

namespace {

// The reply a gateway takes of its request: a form body whose XML field
// holds the document.
QString FormField(const QByteArray& body, const QString& name)
{
    for (const QByteArray& pair : body.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals < 0 || QString::fromUtf8(pair.left(equals)) != name)
            continue;
        QByteArray value = pair.mid(equals + 1);
        value.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
    }
    return QString();
}

SmsStandInGateway::Messaggio Read(const QString& documento)
{
    SmsStandInGateway::Messaggio m;
    m.documento = documento;
    // The gateway's declaration is written "<?XML": a reader for XML takes
    // the document after it.
    const QString declaration = QStringLiteral("<?XML version=\"1.0\"?>");
    if (!documento.startsWith(declaration))
        return m;
    QXmlStreamReader xml(documento.mid(declaration.size()));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        QString* field = name == QLatin1String("Username")         ? &m.username
                       : name == QLatin1String("Password")         ? &m.password
                       : name == QLatin1String("Originator")       ? &m.originator
                       : name == QLatin1String("Recipient")        ? &m.recipient
                       : name == QLatin1String("MessageType")      ? &m.messageType
                       : name == QLatin1String("MessageText")      ? &m.text
                       : name == QLatin1String("DeliveryReport")   ? &m.deliveryReport
                                                                   : nullptr;
        if (field)
            *field = xml.readElementText();
    }
    m.wellFormed = !xml.hasError();
    return m;
}

} // namespace

class SmsStandInGateway::Worker : public QObject
{
public:
    explicit Worker(SmsStandInGateway& owner) : m_owner(owner) {}

    quint16 Listen()
    {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost, 0);
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server->nextPendingConnection())
                Serve(socket);
        });
        return m_server->serverPort();
    }

private:
    void Serve(QTcpSocket* socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray& buffer = m_buffers[socket];
            buffer += socket->readAll();
            const qsizetype end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            qsizetype length = 0;
            for (const QByteArray& line : buffer.left(end).split('\n'))
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
            if (buffer.size() < end + 4 + length)
                return;
            const QByteArray head = buffer.left(end);
            const QByteArray body = buffer.mid(end + 4, length);
            m_buffers.remove(socket);
            const bool rightPage = head.startsWith("POST /xml/sendsms.cfm ");
            const QByteArray answer = rightPage ? m_owner.Answer(body) : QByteArray("<p>pagina sconosciuta</p>");
            socket->write((rightPage ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n")
                          + QByteArray("Content-Type: text/xml; charset=utf-8\r\nConnection: close\r\nContent-Length: ")
                          + QByteArray::number(answer.size()) + "\r\n\r\n" + answer);
            socket->disconnectFromHost();
        });
    }

    SmsStandInGateway& m_owner;
    QTcpServer* m_server = nullptr;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};

SmsStandInGateway::SmsStandInGateway() = default;

SmsStandInGateway::~SmsStandInGateway()
{
    if (m_thread) {
        QMetaObject::invokeMethod(m_worker, [this] { delete m_worker; }, Qt::BlockingQueuedConnection);
        m_thread->quit();
        m_thread->wait();
    }
}

QString SmsStandInGateway::Start()
{
    m_thread = std::make_unique<QThread>();
    m_thread->start();
    m_worker = new Worker(*this);
    m_worker->moveToThread(m_thread.get());
    QMetaObject::invokeMethod(m_worker, [this] { m_port = m_worker->Listen(); }, Qt::BlockingQueuedConnection);
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

void SmsStandInGateway::SetAnswer(int status, const QString& message)
{
    QMutexLocker lock(&m_mutex);
    m_status = status;
    m_message = message;
    m_raw.clear();
}

void SmsStandInGateway::SetRawAnswer(const QByteArray& body)
{
    QMutexLocker lock(&m_mutex);
    m_raw = body;
}

void SmsStandInGateway::SetDelayMs(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_delayMs = ms;
}

QList<SmsStandInGateway::Messaggio> SmsStandInGateway::Messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

QByteArray SmsStandInGateway::Answer(const QByteArray& request)
{
    const Messaggio message = Read(FormField(request, QStringLiteral("XML")));
    int delay = 0;
    QByteArray answer;
    {
        QMutexLocker lock(&m_mutex);
        m_messages.append(message);
        delay = m_delayMs;
        answer = !m_raw.isEmpty()
                     ? m_raw
                     : QStringLiteral("<?xml version=\"1.0\"?>\n<SMSGateway>\n  <Status>%1</Status>\n  <MessageID>%2</MessageID>\n"
                                      "  <Message>%3</Message>\n</SMSGateway>\n")
                           .arg(m_status)
                           .arg(m_messages.size())
                           .arg(m_message.toHtmlEscaped())
                           .toUtf8();
    }
    if (delay > 0)
        QThread::msleep(delay);
    return answer;
}
