#pragma once

#include "recordset/CQTRDaoRecordset.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// One record's cascading delete, run by a table class's Delete on its
// current row:
//
//   QtrCascade cascade(*this);
//   if (cascade.Skipped())
//       return;
//   cascade.DeleteRows<CProdottiLingueSet>(QStringLiteral("IDProdotto=?"));
//   ...
//   cascade.Finish();
//
// The steps run in one transaction of the owner's database (a savepoint
// when a cascade further up is running), so a failure leaves every row as
// it was, deletion-log lines included. Files are queued on the database
// and removed only when its outermost transaction commits (the caller's
// own BeginTrans included): rows that come back keep their files.
//
// A "?" in a step's filter stands for the record's ID. A record whose ID is
// 0 deletes no related rows: 0 means "none" in every column that refers to
// a record. A record met again further down its own cascade (a product
// that is, through its variants, its own base) is left to the cascade that
// began deleting it.
class QtrCascade
{
public:
    explicit QtrCascade(CQTRDaoRecordset& owner);
    ~QtrCascade();
    QtrCascade(const QtrCascade&) = delete;
    QtrCascade& operator=(const QtrCascade&) = delete;

    bool Skipped() const { return m_bSkipped; }
    qint32 Id() const { return m_nId; }

    // Deletes every row of TSet that the filter selects, each through its
    // class's own Delete. Without params each "?" takes the record's ID.
    template <class TSet>
    void DeleteRows(const QString& filter, const QVariantList& params = {})
    {
        ForEachRow<TSet>(filter, [](TSet& row) { row.Delete(); }, params);
    }

    // Edits every selected row of TSet with clear and saves it with the
    // owner's tracking.
    template <class TSet, class Fn>
    void ClearRows(const QString& filter, Fn clear)
    {
        ForEachRow<TSet>(filter, [&clear](TSet& row) {
            row.Edit();
            clear(row);
            row.Update();
        });
    }

    // Runs step on every row of TSet that the filter selects.
    template <class TSet, class Fn>
    void ForEachRow(const QString& filter, Fn step, const QVariantList& params = {})
    {
        if (m_nId == 0)
            return;
        TSet rows(m_owner.m_pDatabase);
        Prepare(rows, filter, params);
        while (!rows.IsEOF()) {
            step(rows);
            rows.MoveNext();
        }
        rows.Close();
    }

    // The correlations that name the record, as a record of kind, on
    // either side.
    void DeleteCorrelations(int kind);

    // Sets column to 0 wherever it names the record.
    void Repoint(const QString& table, const QString& column, bool tracked = true);

    // Queues the record's files in a folder of the project for deletion.
    void DeleteFiles(const QString& projectRelativeFolder, const QString& prefix = QString());

    // The same in base + the code of every active language.
    void DeleteLanguageFiles(const QString& projectRelativeBase);

    // Logs and deletes the owner's row and commits.
    void Finish();

private:
    struct Run;

    void Prepare(CQTRDaoRecordset& rows, const QString& filter, const QVariantList& params) const;
    QString ProjectFolder() const;
    static QString TableOf(CQTRDaoRecordset& recordset);

    // All work runs on the one user-interface thread; this only links a
    // nested cascade to the outermost one of the same call.
    static thread_local Run* s_pRun;

    CQTRDaoRecordset& m_owner;
    qint32 m_nId = 0;
    int m_nDepth = 0;   // the database's transaction depth this cascade opened
    QString m_strKey;
    bool m_bSkipped = false;
    bool m_bFinished = false;
    bool m_bOutermost = false;
};
