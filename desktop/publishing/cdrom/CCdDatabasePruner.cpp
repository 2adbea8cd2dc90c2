#include "desktop/publishing/cdrom/CCdDatabasePruner.h"

#include "desktop/catalogue/ICatalogueProgress.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CCategorieGenSet.h"
#include "recordset/CClientiSet.h"
#include "recordset/CDefCampiCustomSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CInterventiForumSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CSezioniSet.h"
#include "recordset/CStatoOrdiniGeneraleSet.h"
#include "recordset/QtrCredentials.h"

#include <QSqlQuery>

namespace {

// True for a record that `kind` rights on `recordColumn` keep from every
// remaining customer: none is named neither by ID nor by group. Consignees
// are delivery addresses, not viewers: one with no group of its own would
// otherwise make every hidden record visible. A rights row naming only a
// group may leave its user NULL, so the lists leave NULLs out (one NULL in
// NOT IN would hide the record from everyone).
QString Hidden(int kind, const QString& recordColumn)
{
    const QString rights = QStringLiteral("FROM Permessi WHERE Permessi.Tipo=%1 AND Permessi.IDRecord=%2")
                               .arg(kind)
                               .arg(recordColumn);
    return QStringLiteral("NOT EXISTS (SELECT ID FROM Clienti WHERE Clienti.TipoUtente<>4 AND Clienti.ID NOT IN (SELECT IDUtente %1 AND "
                          "IDUtente IS NOT NULL) AND Clienti.IDGruppo NOT IN (SELECT IDGruppo %1 AND IDGruppo IS NOT NULL))")
        .arg(rights);
}

} // namespace

CCdDatabasePruner::CCdDatabasePruner(CDaoDatabase& copy, const QString& imageInstallFolder, qint32 customerId,
                                     const QList<qint32>& orderIds, ICatalogueProgress& progress,
                                     const std::atomic<bool>& stop)
    : m_db(copy), m_strFolder(imageInstallFolder), m_nCustomer(customerId), m_orders(orderIds),
      m_progress(progress), m_stop(stop)
{
}

QList<qint32> CCdDatabasePruner::Ids(const QString& sql, const QVariantList& params)
{
    QSqlQuery query(m_db.Connection());
    query.prepare(sql);
    CDaoDatabase::Run(query, params);
    QList<qint32> ids;
    while (query.next()) {
        const qint32 id = query.value(0).toInt();
        if (!ids.contains(id))
            ids.append(id);
    }
    return ids;
}

template <class TSet>
bool CCdDatabasePruner::DeleteRows(const QString& caption, const QString& idQuery, const QVariantList& params)
{
    const QList<qint32> ids = Ids(idQuery, params);
    if (ids.isEmpty())
        return !m_stop.load();
    m_progress.SetTotal(int(ids.size()));
    TSet rows(&m_db);
    rows.m_bTracking = false;
    rows.m_strProjectFolder = m_strFolder;
    rows.Open();
    int done = 0;
    for (qint32 id : ids) {
        if (m_stop.load())
            return false;
        ++done;
        m_progress.SetLabel(QStringLiteral("Aggiornamento tabella %1 in corso... Record %2/%3")
                                .arg(caption)
                                .arg(done)
                                .arg(ids.size()));
        // A row an earlier cascade of the step removed is passed over.
        if (rows.FindFirst(QStringLiteral("ID=?"), {id}))
            rows.Delete();
        m_progress.SetDone(done);
    }
    rows.Close();
    return true;
}

bool CCdDatabasePruner::Run()
{
    return DeleteCustomers() && DeleteGroups()
           && DeleteRows<COrdiniGeneraleSet>(
               QStringLiteral("Ordini"),
               QStringLiteral("SELECT ID FROM Ordini WHERE NOT EXISTS (SELECT ID FROM Clienti WHERE Clienti.ID=Ordini.IDCliente)"))
           && DeleteHiddenItems() && (m_orders.isEmpty() || DeleteOutsideOrders()) && (ClearPrivateTables(), true);
}

bool CCdDatabasePruner::DeleteCustomers()
{
    const QString caption = QStringLiteral("Clienti");
    const bool kept = m_nCustomer != 0
                          ? DeleteRows<CClientiSet>(caption,
                                                    QStringLiteral("SELECT ID FROM Clienti WHERE TipoUtente<>4 AND ID<>? AND IDAgente<>?"),
                                                    {m_nCustomer, m_nCustomer})
                          : DeleteRows<CClientiSet>(caption, QStringLiteral("SELECT ID FROM Clienti WHERE ID<>0"));
    return kept
           && DeleteRows<CClientiSet>(caption, QStringLiteral("SELECT ID FROM Clienti C WHERE C.TipoUtente=4 AND NOT EXISTS "
                                                              "(SELECT ID FROM Clienti WHERE C.IDCliente=Clienti.ID)"));
}

bool CCdDatabasePruner::DeleteGroups()
{
    return DeleteRows<CGruppiSet>(
        QStringLiteral("Gruppi"),
        QStringLiteral("SELECT ID FROM Gruppi WHERE NOT EXISTS (SELECT ID FROM Clienti WHERE Clienti.IDGruppo=Gruppi.ID)"));
}

bool CCdDatabasePruner::DeleteHiddenItems()
{
    const QString products = QStringLiteral("Prodotti");
    const QString articles = QStringLiteral("Articoli");
    return DeleteRows<CProdottiGeneraleSet>(products, QStringLiteral("SELECT ID FROM Prodotti WHERE ")
                                                          + Hidden(1, QStringLiteral("Prodotti.ID")))
           // One hidden category is enough, whatever the product's others.
           && DeleteRows<CProdottiGeneraleSet>(
               products, QStringLiteral("SELECT Prodotti.ID FROM Prodotti INNER JOIN CategorieProdotti ON "
                                        "Prodotti.ID=CategorieProdotti.IDProdotto WHERE ")
                             + Hidden(0, QStringLiteral("CategorieProdotti.IDCategoria")))
           && DeleteRows<CCategorieGenSet>(QStringLiteral("Categorie"), QStringLiteral("SELECT ID FROM Categorie WHERE ")
                                                                            + Hidden(0, QStringLiteral("Categorie.ID")))
           && DeleteRows<CArticoliGenSet>(articles, QStringLiteral("SELECT ID FROM Articoli WHERE ")
                                                        + Hidden(3, QStringLiteral("Articoli.ID")))
           && DeleteRows<CArticoliGenSet>(
               articles, QStringLiteral("SELECT Articoli.ID FROM Articoli INNER JOIN SezioniArticoli ON "
                                        "Articoli.ID=SezioniArticoli.IDArticolo WHERE ")
                             + Hidden(2, QStringLiteral("SezioniArticoli.IDSezione")))
           && DeleteRows<CSezioniSet>(QStringLiteral("Sezioni"),
                                      QStringLiteral("SELECT ID FROM Sezioni WHERE ") + Hidden(2, QStringLiteral("Sezioni.ID")));
}

bool CCdDatabasePruner::DeleteOutsideOrders()
{
    QStringList marks;
    QVariantList params;
    for (qint32 id : m_orders) {
        marks.append(QStringLiteral("?"));
        params.append(id);
    }
    params.append(m_nCustomer);
    return DeleteRows<CProdottiGeneraleSet>(
               QStringLiteral("Prodotti"),
               QStringLiteral("SELECT ID FROM Prodotti WHERE IDProdottoBase=0 AND NOT EXISTS (SELECT OrdiniDettaglio.ID "
                              "FROM OrdiniDettaglio INNER JOIN Ordini ON OrdiniDettaglio.IDOrdine=Ordini.ID WHERE Ordini.ID IN (")
                   + marks.join(QLatin1Char(','))
                   + QStringLiteral(") AND Ordini.IDCliente=? AND OrdiniDettaglio.IDProdotto=Prodotti.ID)"),
               params)
           && DeleteEmptyCategories();
}

bool CCdDatabasePruner::DeleteEmptyCategories()
{
    // A category goes when neither it nor any category below it holds a
    // product.
    return DeleteRows<CCategorieGenSet>(
        QStringLiteral("Categorie"),
        QStringLiteral("WITH RECURSIVE Sotto(Radice, ID) AS (SELECT ID, ID FROM Categorie UNION ALL "
                       "SELECT Sotto.Radice, Categorie.ID FROM Categorie INNER JOIN Sotto ON Categorie.IDCategoriaPadre=Sotto.ID "
                       "AND Categorie.ID<>Categorie.IDCategoriaPadre) "
                       "SELECT C.ID FROM Categorie C WHERE NOT EXISTS (SELECT 1 FROM Sotto INNER JOIN CategorieProdotti "
                       "ON CategorieProdotti.IDCategoria=Sotto.ID WHERE Sotto.Radice=C.ID)"));
}

void CCdDatabasePruner::ClearPrivateTables()
{
    QStringList assignments;
    for (const QString& column : QtrConfigurazioneCredentials())
        assignments.append(column + QStringLiteral("=''"));
    m_db.Execute(QStringLiteral("UPDATE Configurazione SET ") + assignments.join(QStringLiteral(", ")));
    DeleteRows<CDefCampiCustomSet>(QStringLiteral("Campi Custom"), QStringLiteral("SELECT ID FROM DefinizioneCampiCustom"));
    DeleteRows<CInterventiForumSet>(QStringLiteral("Interventi Forum"), QStringLiteral("SELECT ID FROM InterventiForum"));
    // Nothing hangs on the rows of the gateway's password files.
    m_db.Execute(QStringLiteral("DELETE FROM OTPRichieste"));
    m_db.Execute(QStringLiteral("DELETE FROM OTPRisposte"));
    DeleteRows<CStatoOrdiniGeneraleSet>(QStringLiteral("Stato Ordini"), QStringLiteral("SELECT ID FROM StatoOrdini"));
    // The digests of the credentials of every CD: the viewer needs none.
    if (m_db.TableExists(QStringLiteral("CredenzialiCD")))
        m_db.Execute(QStringLiteral("DELETE FROM CredenzialiCD"));
    m_db.Execute(QStringLiteral("DELETE FROM RecordsEliminati"));
}
