#pragma once

#include "platform/dao/CDaoDatabase.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class CQTRDaoRecordset;
class IUpgradeProgress;
class QSqlRecord;

// Brings a project database made by an earlier release to the current
// schema: a working copy of the installation's reference database
// (db/tempdb.mdb) is filled with the project's rows column by column, the
// data whose shape changed between releases is converted, the reference's
// dictionary codes and options are merged in, VersioneDB is stamped 50 and
// the copy replaces the project's database in one rename.
//
// CProjectOpener asks (CheckProjectSchema) and, after the user's Yes, has
// the upgrade dialog run it:
//   CProjectUpgrade upgrade(installFolder, projectFolder);
//   switch (upgrade.Run(progress)) { Upgraded / Cancelled / Failed + Error() }
// The project's database is closed by the caller before Run; Run returns
// Upgraded only when the new database is in place. Cancelled and Failed
// leave the project's database as it was and remove the working copy.
class CProjectUpgrade
{
public:
    enum Result { Upgraded, Cancelled, Failed };
    enum Check { UpToDate, NeedsUpgrade, CheckFailed };

    static constexpr qint32 CurrentVersion = 50;

    CProjectUpgrade(const QString& installFolder, const QString& projectFolder);
    ~CProjectUpgrade();

    // The project needs an upgrade when a table of the reference is
    // missing, a table of its own is not in the reference, or a table's
    // columns differ from the reference's. CheckFailed with error set when
    // a database can't be read.
    static Check CheckProjectSchema(const QString& installFolder, const QString& projectFolder,
                                    QString* error);

    Result Run(IUpgradeProgress& progress);
    QString Error() const { return m_strError; }

    // Nearest multiple of 0.00001, a tie going down; a value already on
    // five decimals is kept as it is.
    static bool RoundCurrency(double value, double* rounded);

private:
    void CopyTables();
    void CopyTable(const QString& table);
    void ConvertVersions();
    qint32 OldVersion();
    void KeywordsToParoleChiave();
    void CategoryLinks();
    void SectionLinks();
    void AddLinks(CQTRDaoRecordset& links, const QString& oldTable, const QString& oldColumn,
                  const QString& parentColumn, const QString& childColumn);
    void CurrencyRounding();
    void StampVersion();
    void MergeDictionary();
    void MergeOptions();
    bool Pump();
    void EachRow(const QString& table, const QStringList& columns, const QString& label,
                 const std::function<void(const QSqlRecord&)>& body);
    void OpenReference(CDaoDatabase& database);
    qint32 NextId(const QString& table);
    static QStringList UserTables(CDaoDatabase& database);
    static QString Quoted(const QString& name);

    QString m_strInstallFolder;
    QString m_strProjectFolder;   // with a trailing "/"
    CDaoDatabase m_dbOld;
    CDaoDatabase m_dbNew;
    // The reference is read from a copy: the installation may be read-only
    // and a database in write-ahead-log mode can't be opened there.
    QTemporaryDir m_referenceCopy;
    IUpgradeProgress* m_pProgress = nullptr;
    bool m_bCancelled = false;
    QString m_strError;
};
