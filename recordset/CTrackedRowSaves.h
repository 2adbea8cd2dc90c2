#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <optional>

class CDaoDatabase;
struct sqlite3_stmt;

// The first row of a table that a criteria (in the table classes' own
// dialect, "?" for each value) selects, and a tracked save of that row or
// of a new one, without a recordset: what a table class opened with the
// criteria as its filter finds first, and what its AddNew or Edit, the
// values set by name and its tracked Update write (the marker, the next
// VersioneRecord, Modificato). For a job that saves thousands of rows in
// its one transaction, each criteria is read once and its statement
// prepared once.
class CTrackedRowSaves
{
public:
    struct Found
    {
        QVariant rowid;
        qint32 id = 0;
    };
    // A value set by name, as SetFieldValue takes it (an invalid QVariant
    // is NULL).
    using Values = QList<QPair<QString, QVariant>>;

    // folder: where the marker goes when the database keeps none aside.
    CTrackedRowSaves(CDaoDatabase& database, const QString& folder);
    ~CTrackedRowSaves();
    CTrackedRowSaves(const CTrackedRowSaves&) = delete;
    CTrackedRowSaves& operator=(const CTrackedRowSaves&) = delete;

    std::optional<Found> First(const QString& table, const QString& criteria, const QVariantList& values);
    // A new row: values in the order they are set.
    void Add(const QString& table, const Values& values);
    void Edit(const QString& table, const QVariant& rowid, const Values& values);

private:
    void Save(const QString& table, const QVariant* rowid, const Values& values);

    CDaoDatabase& m_database;
    QString m_folder;
    struct Lookup
    {
        sqlite3_stmt* statement = nullptr;
        int idColumn = -1;
    };
    void Forget();
    void ForgetAll();
    void Write(const QString& sql, const QVariantList& values);

    QHash<QString, Lookup> m_lookups;        // by table and criteria
    QHash<QString, sqlite3_stmt*> m_writes;   // by statement
};
