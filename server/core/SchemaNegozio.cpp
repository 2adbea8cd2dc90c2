#include "server/core/SchemaNegozio.h"

#include "platform/ado/CAdoConnection.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "server/core/CAdoSqlSession.h"

#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlRecord>

namespace {

QMutex g_mutex;
QSet<QString> g_aggiornati;   // connection strings whose database has every column

} // namespace

void SchemaNegozio::AggiungiColonneMancanti(CAdoConnection& conn)
{
    const QString chiave = conn.ConnectionString();
    // One process brings one database up to date once; other processes on
    // the same PostgreSQL database add nothing twice (IF NOT EXISTS).
    QMutexLocker lock(&g_mutex);
    if (g_aggiornati.contains(chiave))
        return;
    CAdoSqlSession sessione(conn);
    const bool postgres = sessione.IsPostgres();
    QSet<QString> tabelle;
    for (const QString& tabella : conn.Database().tables())
        tabelle.insert(tabella.toLower());
    for (const QtrTableDef* tabella : ShopSchema::TablesOf(QtrDbFile::Shop)) {
        if (!tabelle.contains(tabella->Name().toLower()))
            continue;
        const QSqlRecord presenti = conn.Database().record(postgres ? tabella->Name().toLower() : tabella->Name());
        QSet<QString> colonne;
        for (int i = 0; i < presenti.count(); ++i)
            colonne.insert(presenti.fieldName(i).toLower());
        for (int i = 0; i < tabella->columnCount; ++i)
            if (!colonne.contains(QString::fromLatin1(tabella->columns[i].name).toLower()))
                sessione.Exec(ShopSchemaDdl::AddColumnStatement(*tabella, i, postgres));
    }
    g_aggiornati.insert(chiave);
}
