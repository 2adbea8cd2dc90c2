#pragma once

#include "platform/dao/CDaoRecordset.h"

#include <QString>

// Base of the tracked table classes: every save stamps the row (Modificato,
// VersioneRecord from the database-wide counter) and raises the project's
// site-update marker; every deletion is written to RecordsEliminati first.
class CQTRDaoRecordset : public CDaoRecordset
{
public:
    explicit CQTRDaoRecordset(CDaoDatabase* pDatabase = nullptr);
    ~CQTRDaoRecordset() override;

    void Update() override;
    void Delete() override;
    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

    void MySetFieldValue(const QString& name, qint32 value);
    void MySetFieldValue(const QString& name, quint8 value);
    void MySetFieldValue(const QString& name, const QString& value);
    bool MyGetFieldValue(const QString& name, qint32& value);
    bool MyGetFieldValue(const QString& name, quint8& value);
    bool MyGetFieldValue(const QString& name, QString& value);

    bool m_bTracking = true;
    QString m_strProjectFolder;   // ends with "/"; empty: the host's project folder
    QString m_strTableName;       // empty: taken from the default SQL

    // The project folder the marker is raised in.
    QString MarkerFolder() const;

    // The ID for a new row of the table, in the desktop's range, from the
    // allocator the server shares (QtrIdAllocator): never one handed out
    // before, above every desktop ID of the table.
    qint32 GetNextID();
};

// The table a recordset writes to: tableName when given, else the table of
// its default SQL ("[Prodotti]"), else the one of its own statement.
QString RecordsetTable(CDaoRecordset* recordset, const QString& tableName);

// Raises the site-update marker for a tracked save on database: in the
// folder a job's working copy keeps it in, else in folder (ends with "/");
// once a transaction. Throws when the marker cannot be made.
void RaiseSiteUpdateMarker(CDaoDatabase& database, const QString& folder);

// Writes one deletion-log row for the current row of recordset. With no
// database, the host's open project database is used.
void LogDelete(CDaoRecordset* recordset, const QString& tableName, CDaoDatabase* database);

// Advances the database-wide record-version counter and returns its new
// value (1 on an empty counter table).
qint32 NextRecordVersion(CDaoDatabase& database);
