#pragma once

#include "server/host/CApplicationStore.h"
#include "server/host/CHostConfig.h"
#include "server/host/CSessionStartCache.h"
#include "server/host/CSessionStore.h"
#include "server/host/CShopStateDb.h"
#include "platform/pagehost/CVirtualFolders.h"

#include <QLocale>

#include <memory>

// One shop served by this process: its site folder (pages at the top,
// pictures under images/, the database in db/), its regional settings, its
// Sessions and its Application.
class CShopSite
{
public:
    // stateFolder: where the SQLite Sessions file goes; empty: the shop's
    // db folder; maxSessions: how many Sessions are kept (0: no limit).
    // Throws std::runtime_error when the state cannot be kept.
    CShopSite(const CHostShopConfig& config, const QString& stateFolder, int sessionTimeoutMinutes, int maxSessions);

    const QString& Name() const { return m_config.name; }
    QString Folder() const { return m_folders.RootDir(); }
    QString DbFolder() const;
    const CVirtualFolders& Folders() const { return m_folders; }
    const QLocale& Locale() const { return m_locale; }
    bool Serves(const QString& hostName) const;
    bool ServesAnyHost() const { return m_config.hostNames.isEmpty(); }
    // A site path that leads to a folder outside the site ("/archivi"),
    // reached by the pages through Server.MapPath and never sent as files.
    void AddVirtualFolder(const QString& sitePath, const QString& folder);

    CShopStateDb& State() { return *m_state; }
    CSessionStore& Sessions() { return *m_sessions; }
    // The Sessions of visitors who only browse, in this process's memory.
    CSessionStartCache& Starts() { return *m_starts; }
    CApplicationStore& Application() { return *m_application; }

    // Opens the shop's database and its state tables, as --check does;
    // false with the reason when something is missing.
    bool Check(QString& error);

private:
    CHostShopConfig m_config;
    CVirtualFolders m_folders;
    QLocale m_locale;
    std::unique_ptr<CShopStateDb> m_state;
    std::unique_ptr<CSessionStore> m_sessions;
    std::unique_ptr<CSessionStartCache> m_starts;
    std::unique_ptr<CApplicationStore> m_application;
};
