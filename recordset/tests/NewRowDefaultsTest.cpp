#include "platform/testing/TempFolder.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

namespace {

QVariant Scalar(CDaoDatabase& db, const QString& sql)
{
    QSqlQuery q(db.Connection());
    q.exec(sql);
    return q.next() ? q.value(0) : QVariant();
}

// A new row holds what its saver set; the columns it left alone take the
// table's default: 0 or empty text, and NULL where NULL means "not set".
TEST(NewRowDefaults, UnsetColumnsTakeTheTablesDefaults)
{
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);

    CScontiProdottoSet sconti(&db);
    sconti.m_strProjectFolder = folder.Path() + "/";
    sconti.Open();
    sconti.AddNew();
    sconti.m_ID = 1;
    sconti.m_IDProdotto = 7;
    sconti.m_ScontoPredefinito = "10";
    sconti.Update();
    // An offer the merchant never gave is no offer: not a price of 0.
    EXPECT_TRUE(Scalar(db, "SELECT PrezzoPromoPredefinito IS NULL AND PrezzoPromo1 IS NULL AND Quantita1 IS NULL "
                           "AND ScontoPeriodo IS NULL AND ValiditaDal IS NULL FROM ScontiProdotto").toBool());
    EXPECT_EQ(Scalar(db, "SELECT ScontoPredefinito || '/' || IDGruppo || '/' || IDEsterno || '/' || Modificato "
                         "FROM ScontiProdotto").toString(),
              "10/0//1");

    CProdottiGeneraleSet prodotti(&db);
    prodotti.m_strProjectFolder = folder.Path() + "/";
    prodotti.Open();
    prodotti.AddNew();
    prodotti.m_ID = 7;
    prodotti.Update();
    EXPECT_EQ(Scalar(db, "SELECT Codice || '/' || Attivo || '/' || IDProdottoBase FROM Prodotti").toString(), "/0/0");
    // A date never set is the zero date; an offer window never set is open.
    EXPECT_TRUE(Scalar(db, "SELECT ValiditaScontoDal IS NULL AND ValiditaScontoAl IS NULL FROM Prodotti").toBool());

    COrdiniGeneraleSet ordini(&db);
    ordini.m_strProjectFolder = folder.Path() + "/";
    ordini.Open();
    ordini.AddNew();
    ordini.m_ID = 3;
    ordini.Update();
    EXPECT_EQ(Scalar(db, "SELECT Data || '/' || DataFattura FROM Ordini").toString(),
              "1899-12-30 00:00:00/1899-12-30 00:00:00");
    ordini.Requery();
    EXPECT_EQ(ordini.m_Data, DaoZeroDate());
}

} // namespace
