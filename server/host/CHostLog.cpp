#include "server/host/CHostLog.h"

#include "server/host/CHostRequest.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <cstdio>

namespace {

bool OpenAppending(QFile& file, const QString& path, QString& error)
{
    if (path.isEmpty())
        return true;
    file.setFileName(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        return true;
    error = QStringLiteral("Impossibile aprire il log %1: %2").arg(path, file.errorString());
    return false;
}

// Quotes and backslashes escaped, control bytes written as \xHH, so a
// request cannot forge a line of the log.
QByteArray Escaped(const QByteArray& text)
{
    QByteArray out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out += '\\' + QByteArray(1, c);
        else if (byte < 0x20 || byte == 0x7f)
            out += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}

} // namespace

bool CHostLog::Open(const QString& accessFile, const QString& errorFile, QString& error)
{
    return OpenAppending(m_access, accessFile, error) && OpenAppending(m_error, errorFile, error);
}

QByteArray CHostLog::CombinedLine(const CHostRequest& request, const QString& remoteAddress, int status,
                                  qint64 bytes, const QDateTime& when)
{
    const QString time = QLocale::c().toString(when, QStringLiteral("dd/MMM/yyyy:HH:mm:ss "));
    const int offset = when.offsetFromUtc();
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(qAbs(offset) / 3600, 2, 10, QLatin1Char('0'))
                             .arg(qAbs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
    const QByteArray referer = request.Header("Referer");
    const QByteArray agent = request.Header("User-Agent");
    return remoteAddress.toLatin1() + " - - [" + time.toLatin1() + zone.toLatin1() + "] \"" + Escaped(request.method)
           + ' ' + Escaped(request.target) + ' ' + Escaped(request.version) + "\" " + QByteArray::number(status) + ' '
           + (bytes > 0 ? QByteArray::number(bytes) : QByteArray("-")) + " \""
           + (referer.isEmpty() ? QByteArray("-") : Escaped(referer)) + "\" \""
           + (agent.isEmpty() ? QByteArray("-") : Escaped(agent)) + "\"\n";
}

void CHostLog::Access(const CHostRequest& request, const QString& remoteAddress, int status, qint64 bytes)
{
    const QByteArray line = CombinedLine(request, remoteAddress, status, bytes, QDateTime::currentDateTime());
    Write(m_access, false, line);
}

void CHostLog::Error(const QString& shop, const QString& page, const QString& message)
{
    QString text = message;
    text.replace(QLatin1Char('\n'), QLatin1String(" | "));
    text.remove(QLatin1Char('\r'));
    const QByteArray line = QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + " [" + shop.toUtf8()
                            + "] " + page.toUtf8() + ": " + text.toUtf8() + '\n';
    Write(m_error, true, line);
}

void CHostLog::Write(QFile& file, bool toStandardError, const QByteArray& line)
{
    QMutexLocker locker(&m_lock);
    if (file.isOpen()) {
        file.write(line);
        file.flush();
    } else if (toStandardError) {
        fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
}
