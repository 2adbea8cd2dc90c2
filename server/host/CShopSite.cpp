#include "server/host/CShopSite.h"

#include "server/core/Funzioni.h"
#include "platform/ado/CAdoConnection.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

CShopSite::CShopSite(const CHostShopConfig& config, const QString& stateFolder, int sessionTimeoutMinutes,
                     int maxSessions)
    : m_config(config), m_locale(config.locale)
{
    m_folders.SetRootDir(QDir::cleanPath(config.folder));
    const QString sqliteFile = stateFolder.isEmpty()
                                   ? QDir(DbFolder()).filePath(QStringLiteral("sessions.sqlite"))
                                   : QDir(stateFolder).filePath(config.name + QStringLiteral(".sessions.sqlite"));
    m_state = std::make_unique<CShopStateDb>(config.name, DbFolder(), sqliteFile);
    m_sessions = std::make_unique<CSessionStore>(*m_state, sessionTimeoutMinutes, maxSessions);
    m_starts = std::make_unique<CSessionStartCache>(sessionTimeoutMinutes);
    m_application = std::make_unique<CApplicationStore>(*m_state);
}

QString CShopSite::DbFolder() const
{
    return m_config.dbFolder.isEmpty() ? QDir(m_folders.RootDir()).filePath(QStringLiteral("db")) : m_config.dbFolder;
}

void CShopSite::AddVirtualFolder(const QString& sitePath, const QString& folder)
{
    m_folders.AddVirtualDir(sitePath, folder, false);
}

bool CShopSite::Serves(const QString& hostName) const { return m_config.hostNames.contains(hostName); }

bool CShopSite::Check(QString& error)
{
    if (!QFileInfo(Folder()).isDir()) {
        error = QStringLiteral("Cartella del negozio non trovata: %1").arg(Folder());
        return false;
    }
    if (m_config.locale != m_locale.name() && m_locale == QLocale::c()) {
        error = QStringLiteral("Impostazioni regionali sconosciute: %1").arg(m_config.locale);
        return false;
    }
    try {
        CAdoConnection db;
        db.Open(Funzioni::StringaConnessione(DbFolder()));
        db.Close();
        m_state->Connection();
    } catch (const std::exception& failure) {
        error = QStringLiteral("%1: %2").arg(Name(), QString::fromUtf8(failure.what()));
        return false;
    }
    return true;
}
