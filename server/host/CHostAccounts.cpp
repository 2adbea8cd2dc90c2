#include "server/host/CHostAccounts.h"

#include "server/host/CHostConfig.h"
#include "server/sync/AggiornamentoAccount.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

QString ReadLine()
{
    std::string line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line.push_back(char(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromUtf8(line.c_str());
}

QString AskHidden(const QString& prompt)
{
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios hidden = saved;
    hidden.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
    const QString typed = ReadLine();
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::fputc('\n', stderr);
    return typed;
}

void CopyIfMissing(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) || !QFileInfo::exists(from))
        return;
    if (!QFile::copy(from, to))
        throw std::runtime_error(QStringLiteral("Impossibile copiare %1 in %2").arg(from, to).toStdString());
    QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

} // namespace

CHostAccounts::CHostAccounts(const CHostConfig& config) : m_config(config) {}

void CHostAccounts::AddShop(const QString& code, const QString& folder) const
{
    AggiornamentoAccount accounts(m_config.hostDatabaseFolder);
    accounts.AggiungiNegozio(code, folder);
    PrepareFolder(QDir(m_config.archivesPath).filePath(folder));
}

void CHostAccounts::PrepareFolder(const QString& folder) const
{
    const QString installation = QCoreApplication::applicationDirPath();
    if (!QDir().mkpath(folder + QStringLiteral("/db")) || !QDir().mkpath(folder + QStringLiteral("/images")))
        throw std::runtime_error(QStringLiteral("Impossibile creare %1").arg(folder).toStdString());
    if (!QFileInfo::exists(folder + QStringLiteral("/db/sqlserver.ini")))
        CopyIfMissing(installation + QStringLiteral("/db/database.mdb"), folder + QStringLiteral("/db/database.mdb"));
    if (QFileInfo::exists(folder + QStringLiteral("/default.asp")))
        return;
    const QDir pages(installation + QStringLiteral("/template/system"));
    for (const QString& page : pages.entryList(QDir::Files))
        CopyIfMissing(pages.filePath(page), QDir(folder).filePath(page));
    // The starting pages link the style sheet made from the graphic
    // project, kept among the pictures until the merchant's upload.
    const QDir pictures(installation + QStringLiteral("/template/images"));
    for (const QString& picture : pictures.entryList(QDir::Files))
        CopyIfMissing(pictures.filePath(picture), QDir(folder).filePath(QStringLiteral("images/") + picture));
}

void CHostAccounts::SetPassword(const QString& code, const QString& password) const
{
    AggiornamentoAccount(m_config.hostDatabaseFolder).ImpostaPassword(code, password);
}

QString CHostAccounts::ReadPassword(const QString& code, QString* error)
{
    if (!isatty(STDIN_FILENO))
        return ReadLine();
    const QString first = AskHidden(QStringLiteral("Password del negozio %1: ").arg(code));
    const QString second = AskHidden(QStringLiteral("Ripeti la password: "));
    if (first != second) {
        *error = QStringLiteral("Le due password non coincidono");
        return QString();
    }
    return first;
}
