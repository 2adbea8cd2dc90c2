#pragma once

#include "desktop/publishing/templateupload/CTemplateUploadState.h"

#include <QList>
#include <QString>

#include <atomic>

class CDaoDatabase;
class CHttp;
class IExchangeProgress;

// The graphic template upload: sends the site's pages (website/asp), its
// general images (website/images) and each active language's images
// (website/images/<code>) to the shop, only the files changed since the
// last complete run, and deletes on the shop the files that went away
// locally. A first run (no stamps yet) empties the shop's page and image
// folders first. The stamps are written to website/lastupd.qtr only when a
// run ends well: after a failure or a cancel the next run sends again what
// this one sent. Widget-free: it reports to an IExchangeProgress (the file
// bar as the table bar, the status as the table text, the transfer through
// the HTTP client) and reads the cancel flag between files.
class CTemplateUpload
{
public:
    enum class Result { Done, Failed, Cancelled };

    struct Settings
    {
        QString host;
        QString proxy;
        int port = 80;
        QString proxyUser;
        QString proxyPassword;
        QString userCode;
        QString password;
    };
    struct Language
    {
        QString code;
        QString description;
    };

    explicit CTemplateUpload(const QString& projectFolder);

    // The account and connection of Configurazione, and the active
    // languages. Throws CDaoException.
    void Load(CDaoDatabase* database);
    Settings& GetSettings() { return m_settings; }
    void SetLanguages(const QList<Language>& languages) { m_languages = languages; }

    // website/asp/default.asp exists.
    bool HasTemplate() const;
    QString StateFile() const;

    // A failure has been reported to progress before the call returns.
    Result Run(IExchangeProgress* progress, const std::atomic<bool>& cancel);

    static QString Title();

private:
    struct Folder
    {
        QString local;      // under the project
        QString sitePath;   // PF_Path
        QString status;     // with %1/%2 for the count and the total
    };

    QList<Folder> Folders() const;
    bool AddressAccepted();
    bool EmptySite(CHttp& http);
    bool Deletions(CHttp& http);
    bool SendFolder(CHttp& http, const Folder& folder);
    bool SendFile(CHttp& http, const QString& path, const QString& sitePath);
    bool PostExpectingOk(CHttp& http, const QString& page);
    void AddAccount(CHttp& http, const QString& sitePath) const;
    bool Cancelled() const { return m_cancel && m_cancel->load(); }
    void Report(const QString& text, int icon);
    QString Website() const;

    QString m_strProjectFolder;
    Settings m_settings;
    QList<Language> m_languages;
    CTemplateUploadState m_state;
    IExchangeProgress* m_progress = nullptr;
    const std::atomic<bool>* m_cancel = nullptr;
};
