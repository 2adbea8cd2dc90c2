#include "server/host/testing/CQtr50dProcess.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <csignal>

CQtr50dProcess::~CQtr50dProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString CQtr50dProcess::Program() { return QCoreApplication::applicationDirPath() + QStringLiteral("/qtr50d"); }

bool CQtr50dProcess::Start(const QString& configFile)
{
    m_process.setProgram(Program());
    m_process.setArguments({QStringLiteral("--config"), configFile});
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    static const QRegularExpression kListening(QStringLiteral("in ascolto su http://[^:]+:(\\d+)/"));
    QByteArray said;
    while (m_process.waitForReadyRead(10000)) {
        said += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = kListening.match(QString::fromUtf8(said));
        if (match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    return false;
}

int CQtr50dProcess::Terminate(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return -1;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(timeoutMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QByteArray CQtr50dProcess::StandardError() { return m_process.readAllStandardError(); }

int CQtr50dProcess::Run(const QStringList& arguments, QByteArray* output)
{
    QProcess process;
    process.start(Program(), arguments);
    if (!process.waitForFinished(30000))
        return -1;
    if (output)
        *output = process.readAllStandardOutput() + process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
