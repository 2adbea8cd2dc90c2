#pragma once

#include "exchange/CExchangeLog.h"
#include "exchange/COrderDownloadPending.h"
#include "exchange/CScriptSlot.h"
#include "exchange/IExchangeJobs.h"

#include <QList>
#include <QPair>
#include <QString>

#include <memory>

class CDaoDatabase;
class CHttp;
class IExchangeProgress;

// The order download: the deletions made on the shop, then the changed rows
// of the six tables the shop writes, into a working copy of the project
// database (db/tempdb.mdb); each new order gets its first state stamped.
// The copy replaces the database in one rename; only then are the orders
// exported through scripts/export.js and the rows and deletions confirmed
// to the shop. What remains to do after the rename is written beside the
// database first, so a run cut anywhere is finished by the next one and
// nothing is applied, exported or confirmed twice.
class COrderDownload : public IOrderDownloadJob
{
public:
    enum class Result { NotRun, Done, Cancelled, Failed };

    COrderDownload();
    ~COrderDownload() override;

    void InitVarDwLoad(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database) override;
    void StartDwLoad() override;
    // From any thread: stops before the next request and interrupts the
    // export script, a script stuck in a loop included.
    void Cancel() override;
    Result LastResult() const { return m_result; }

    // For tests of a cut run: stop right after the rename, before the
    // export and the confirmations; or after so many orders were exported.
    void StopAfterSwapForTest() { m_stopAfterSwap = true; }
    void StopAfterExportsForTest(int orders) { m_stopAfterExports = orders; }

private:
    using Pending = COrderDownloadPending::Item;

    bool Run();
    void LoadSettings();
    bool FinishEarlierRun();
    bool FetchDeletions(CDaoDatabase& copy);
    bool FetchTable(CDaoDatabase& copy, const QString& table, const QString& text);
    void ApplyRecord(CDaoDatabase& copy, const QString& table, QString reply);
    void StampOrders(CDaoDatabase& copy);
    bool SwapIn();
    bool ProcessPending();
    bool AddressAccepted(const QString& address);
    // Exports the orders; each one exported leaves the list on disk at
    // once. False when the run stops in the middle.
    bool ExportOrders();
    bool ExportedOne(const QString& order);
    bool Confirm(const Pending& item);

    bool PostRecordRequest(const QString& page, QString* reply);
    void Report(const QString& text, int icon, const QString& title = QString()) const;
    void Progress(int command, qint64 number = 0, const QString& text = QString()) const;
    QString DbFile(const QString& name) const;
    void WritePending(const QString& file) const;

    IExchangeProgress* m_progress = nullptr;
    QString m_projectFolder;
    CDaoDatabase* m_database = nullptr;
    CExchangeLog m_log;
    std::unique_ptr<CHttp> m_http;
    QList<Pending> m_pending;
    qint32 m_initialState = 0;
    Result m_result = Result::NotRun;
    bool m_stopAfterSwap = false;
    int m_stopAfterExports = -1;
    QString m_address;
    CScriptSlot m_script;
};
