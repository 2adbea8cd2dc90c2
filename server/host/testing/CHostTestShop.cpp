#include "server/host/testing/CHostTestShop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

CHostTestShop::CHostTestShop()
{
    QDir().mkpath(m_temp.FilePath(QStringLiteral("site/db")));
    QDir().mkpath(m_temp.FilePath(QStringLiteral("site/images")));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"),
                m_temp.FilePath(QStringLiteral("site/db/database.mdb")));
    m_settings = {
        {QStringLiteral("server/listen"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("server/port"), QStringLiteral("0")},
        {QStringLiteral("server/threads"), QStringLiteral("4")},
        {QStringLiteral("limits/script_timeout"), QStringLiteral("10")},
        {QStringLiteral("shop/folder"), m_temp.FilePath(QStringLiteral("site"))},
        {QStringLiteral("shop/locale"), QStringLiteral("it_IT")},
        {QStringLiteral("logs/access"), m_temp.FilePath(QStringLiteral("access.log"))},
        {QStringLiteral("logs/error"), m_temp.FilePath(QStringLiteral("error.log"))},
    };
}

void CHostTestShop::WriteFile(const QString& sitePath, const QByteArray& content)
{
    const QString relative = QStringLiteral("site/") + (sitePath.startsWith(QLatin1Char('/')) ? sitePath.mid(1) : sitePath);
    QDir().mkpath(QFileInfo(m_temp.FilePath(relative)).path());
    m_temp.WriteFile(relative, content);
}

// Written by hand rather than through QSettings, so that the file reads as
// a merchant's would.
QString CHostTestShop::WriteConfig() const
{
    QMap<QString, QStringList> sections;
    for (auto it = m_settings.constBegin(); it != m_settings.constEnd(); ++it) {
        const QString section = it.key().section(QLatin1Char('/'), 0, 0);
        sections[section].append(it.key().section(QLatin1Char('/'), 1) + QLatin1Char('=') + it.value());
    }
    QByteArray text;
    for (auto it = sections.constBegin(); it != sections.constEnd(); ++it)
        text += "[" + it.key().toUtf8() + "]\n" + it.value().join(QLatin1Char('\n')).toUtf8() + "\n\n";
    m_temp.WriteFile(QStringLiteral("qtr50d.ini"), text);
    return m_temp.FilePath(QStringLiteral("qtr50d.ini"));
}

bool CHostTestShop::Start()
{
    m_server = std::make_unique<CQtr50dProcess>();
    return m_server->Start(WriteConfig());
}

bool CHostTestShop::Restart()
{
    if (m_server)
        m_server->Terminate();
    return Start();
}
