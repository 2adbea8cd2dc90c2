#pragma once

#include <QFile>
#include <QMutex>
#include <QString>

struct CHostRequest;

// The access log (combined format, one line a request) and the error log
// (time, shop, page and message), each written whole, line by line, from
// any thread. A log without a file writes to standard error.
class CHostLog
{
public:
    bool Open(const QString& accessFile, const QString& errorFile, QString& error);

    void Access(const CHostRequest& request, const QString& remoteAddress, int status, qint64 bytes);
    void Error(const QString& shop, const QString& page, const QString& message);

    static QByteArray CombinedLine(const CHostRequest& request, const QString& remoteAddress, int status,
                                   qint64 bytes, const QDateTime& when);

private:
    void Write(QFile& file, bool toStandardError, const QByteArray& line);

    QMutex m_lock;
    QFile m_access;
    QFile m_error;
};
