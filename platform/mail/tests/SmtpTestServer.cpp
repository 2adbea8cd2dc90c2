#include "platform/mail/tests/SmtpTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QThread>

namespace {

// Python and the server start in well under a second; the bound only keeps
// a broken installation from hanging the run.
constexpr int kStartLimit = 20000;

} // namespace

SmtpTestServer::~SmtpTestServer()
{
    Stop();
}

QString SmtpTestServer::Start()
{
    m_process.setProgram(QStringLiteral(QTR_SMTP_TEST_PYTHON));
    m_process.setArguments({QStringLiteral(QTR_SMTP_TEST_SERVER_SCRIPT), QStringLiteral("--folder"),
                            m_folder.Path()});
    m_process.setStandardErrorFile(m_folder.FilePath(QStringLiteral("server.log")));
    m_process.start();
    if (!m_process.waitForStarted(kStartLimit))
        return QStringLiteral("cannot start %1: %2")
            .arg(QStringLiteral(QTR_SMTP_TEST_PYTHON), m_process.errorString());
    const QString strError = WaitForPort();
    if (!strError.isEmpty())
        return strError;
    return WaitUntilAccepting();
}

void SmtpTestServer::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

quint16 SmtpTestServer::Port() const
{
    return m_nPort;
}

void SmtpTestServer::Clear() const
{
    QDir folder(m_folder.Path());
    for (const QString& strName : folder.entryList({QStringLiteral("message-*.json")}, QDir::Files))
        folder.remove(strName);
    folder.remove(QStringLiteral("commands.log"));
}

QList<QJsonObject> SmtpTestServer::Messages() const
{
    QList<QJsonObject> listMessages;
    QDir folder(m_folder.Path());
    for (const QString& strName :
         folder.entryList({QStringLiteral("message-*.json")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(strName));
        if (file.open(QIODevice::ReadOnly))
            listMessages << QJsonDocument::fromJson(file.readAll()).object();
    }
    return listMessages;
}

QList<QJsonObject> SmtpTestServer::WaitForMessages(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QList<QJsonObject> listMessages = Messages();
    while (listMessages.size() < count && !deadline.hasExpired()) {
        QThread::msleep(50);
        listMessages = Messages();
    }
    return listMessages;
}

QStringList SmtpTestServer::Commands() const
{
    QFile file(m_folder.FilePath(QStringLiteral("commands.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QChar('\n'), Qt::SkipEmptyParts);
}

QString SmtpTestServer::WaitForPort()
{
    const QDeadlineTimer deadline(kStartLimit);
    while (!m_process.canReadLine()) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return QStringLiteral("the SMTP server gave no port; its log: %1")
                .arg(QString::fromUtf8(m_folder.ReadFile(QStringLiteral("server.log"))));
        m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    bool bOk = false;
    m_nPort = m_process.readLine().trimmed().toUShort(&bOk);
    return bOk ? QString() : QStringLiteral("the SMTP server printed no port number");
}

QString SmtpTestServer::WaitUntilAccepting() const
{
    const QDeadlineTimer deadline(kStartLimit);
    for (;;) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), m_nPort);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            return QString();
        }
        if (deadline.hasExpired())
            return QStringLiteral("the SMTP server does not accept connections on port %1")
                .arg(m_nPort);
        QThread::msleep(50);
    }
}
