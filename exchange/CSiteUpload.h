#pragma once

#include "exchange/CExchangeLog.h"
#include "exchange/IExchangeJobs.h"

#include <QString>
#include <QStringList>

#include <memory>

class CDaoDatabase;
class CHttp;
class IExchangeProgress;

// The site upload: the deletions of the deletion log, then every row marked
// Modificato, then the changed pictures and files, each answered "OK" by
// the shop before its local mark is cleared, so a repeated upload sends only
// what is left. Driven by the site update dialog through InitVar, Init,
// Start and ChiudiDatabase; with no progress sink its messages go to
// qtrupd.log in the project folder.
class CSiteUpload : public ISiteUploadJob
{
public:
    // Partial: everything was sent but rows the shop changed after the
    // desktop's copy, which wait for the next order download.
    enum class Result { NotRun, Done, Partial, Cancelled, Failed };

    CSiteUpload();
    ~CSiteUpload() override;

    void InitVar(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database) override;
    // 0 when there is nothing to do and no sink to say so, else 1.
    int Init() override;
    void Start() override;
    void ChiudiDatabase() override;

    Result LastResult() const { return m_result; }
    QStringList PendingTables() const { return m_pending; }
    // The shop's words for each row it refused as changed on its side.
    QStringList Conflicts() const { return m_conflicts; }
    // The size of the pieces files are cut into.
    void SetPieceSize(qint64 bytes) { m_pieceSize = bytes; }

private:
    friend class CSiteUploadFiles;

    struct Settings
    {
        QString host;
        int port = 80;
        QString proxy;
        QString proxyUser;
        QString proxyPassword;
    };

    void LoadSettings();
    void FindPendingTables();
    std::unique_ptr<CHttp> NewClient(IExchangeProgress* progress) const;
    bool PostExpectingOk(CHttp& http, const QString& page, const QString& title);
    QString PostForReply(CHttp& http, const QString& page);
    bool AddressAccepted();
    void AddAccount(CHttp& http) const;
    bool Cancelled() const;

    bool Deletions();
    bool ChangedRows();
    bool ChangedTable(CHttp& http, const QString& table);

    void Update(int command, qint64 number = 0, const QString& text = QString()) const;
    void Report(const QString& text, int icon, const QString& title = QString()) const;
    int DeletionCount() const;

    IExchangeProgress* m_progress = nullptr;
    QString m_projectFolder;
    CDaoDatabase* m_database = nullptr;
    Settings m_settings;
    QStringList m_pending;
    QStringList m_conflicts;
    qint64 m_pieceSize = 0;
    CExchangeLog m_log;
    Result m_result = Result::NotRun;
};
