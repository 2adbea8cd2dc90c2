#pragma once

#include "recordset/schema/ShopSchema.h"

#include <QString>

class CDaoDatabase;

// Makes the installation's reference databases from the schema description
// and the rows kept as tab-separated files under the data folder:
//   <data>/<file>/<Table>.tsv      a header of column names, then one row a
//                                  line; columns left out take their
//                                  defaults; "\n", "\t" and "\\" escape
//   <data>/database/DizionarioTesti.tsv
//                                  header "Codice", language code; then code
//                                  and text: one Dizionario row and its
//                                  language row each
// Lines starting with "#" are notes. Rows of tracked tables are stamped as
// changed with consecutive record versions, and the counter row ends at the
// last one, so a new project's first site update sends them all.
class ReferenceDatabaseWriter
{
public:
    explicit ReferenceDatabaseWriter(const QString& dataFolder);

    // Writes the file (database.mdb, progettografico.mdb or
    // modellografico.mdb by its name) whole or not at all: it is made
    // beside the target and renamed over it. Raises CDaoException with the
    // reason on bad data.
    void Write(const QString& targetPath);

private:
    struct Rows;

    static QtrDbFile FileOf(const QString& fileName);
    void Fill(CDaoDatabase& database, QtrDbFile file, const QString& dataSubfolder);
    void InsertTable(CDaoDatabase& database, const QtrTableDef& table, const Rows& rows);
    void InsertDictionary(CDaoDatabase& database, const Rows& rows);
    void InsertRow(CDaoDatabase& database, const QtrTableDef& table, const QStringList& columns,
                   const QStringList& values, const QString& where);
    void WriteCounter(CDaoDatabase& database);
    static Rows ReadRows(const QString& path);

    QString m_strDataFolder;
    qint32 m_nVersion = 0;   // the last record version given out
};
