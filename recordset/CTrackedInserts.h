#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

class CDaoDatabase;
struct sqlite3_stmt;

// New rows of one tracked table written straight, for a job that adds
// thousands of rows inside its one transaction. Each row leaves what a
// table class's AddNew and tracked Update leave: the columns given (and
// only those, the rest taking the table's defaults), Modificato set, the
// next VersioneRecord of the database-wide counter, and the site-update
// marker raised once. The statement of each column set is prepared once
// on the connection's own engine and bound row after row, with none of a
// recordset's reading back and none of the query layer's per-value work.
//
//   CTrackedInserts links(db, "CategorieProdotti", {"ID", "IDProdotto", "IDCategoria"}, folder);
//   links.Insert({id, productId, categoryId});
class CTrackedInserts
{
public:
    // folder: the project folder the marker goes to when the database
    // keeps none aside (ends with "/").
    CTrackedInserts(CDaoDatabase& database, const QString& table, const QStringList& columns, const QString& folder);
    ~CTrackedInserts();
    CTrackedInserts(const CTrackedInserts&) = delete;
    CTrackedInserts& operator=(const CTrackedInserts&) = delete;

    // values in the order of the columns; a column whose bit is set in
    // unset is not written, as a member a save left at its default.
    void Insert(const QVariantList& values, quint64 unset = 0);

private:
    sqlite3_stmt* Statement(quint64 unset);

    CDaoDatabase& m_database;
    QString m_table;
    QStringList m_columns;
    QString m_folder;
    QHash<quint64, sqlite3_stmt*> m_statements;   // by the columns left unset
};
