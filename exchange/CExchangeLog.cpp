#include "exchange/CExchangeLog.h"

#include <QDateTime>
#include <QFile>

CExchangeLog::CExchangeLog(const QString& projectFolder, const QString& fileName)
{
    if (!projectFolder.isEmpty())
        m_path = projectFolder + QLatin1Char('/') + fileName;
}

void CExchangeLog::Write(const QString& text) const
{
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy  HH:mm:ss"));
    file.write((stamp + QLatin1Char(' ') + text + QLatin1Char('\n')).toUtf8());
}
