#include "platform/testing/TempFolder.h"
#include "recordset/CArgomentiSet.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CCategorieGenSet.h"
#include "recordset/CClientiSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CModuliSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CSezioniSet.h"
#include "recordset/QtrRelatedRows.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSqlQuery>

namespace {

using Values = QList<std::pair<QString, QVariant>>;

// A project folder with a shop database made from the schema, rows put in
// by plain SQL and picture and attachment files, so each test sees exactly
// which rows, log lines and files a deletion takes.
class CascadeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        project = folder.Path() + QStringLiteral("/");
        QDir().mkpath(project + QStringLiteral("db"));
        db.Open(project + QStringLiteral("db/database.mdb"), true);
        ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);
    }

    void Row(const QString& table, const Values& values)
    {
        QStringList names, marks;
        QVariantList params;
        for (const auto& [name, value] : values) {
            names << name;
            marks << QStringLiteral("?");
            params << value;
        }
        db.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(','), marks.join(',')), params);
    }

    void Files(const QStringList& relative)
    {
        for (const QString& path : relative)
            folder.WriteFile(path, "x");
    }

    QStringList Existing(const QStringList& relative)
    {
        QStringList present;
        for (const QString& path : relative)
            if (folder.Exists(path))
                present << path;
        return present;
    }

    QList<int> Ids(const QString& table, const QString& where = QStringLiteral("1=1"))
    {
        QList<int> ids;
        QSqlQuery query(db.Connection());
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT ID FROM %1 WHERE %2 ORDER BY ID").arg(table, where)));
        while (query.next())
            ids << query.value(0).toInt();
        return ids;
    }

    // The deletion log as "Table:ID" lines in the order written.
    QStringList Log()
    {
        QStringList lines;
        QSqlQuery query(db.Connection());
        EXPECT_TRUE(query.exec("SELECT NomeTabella, IDRecord FROM RecordsEliminati ORDER BY rowid"));
        while (query.next())
            lines << query.value(0).toString() + QLatin1Char(':') + query.value(1).toString();
        return lines;
    }

    static QStringList Sorted(QStringList list)
    {
        list.sort();
        return list;
    }

    template <class TSet>
    void DeleteRecord(int id, bool tracking = true)
    {
        TSet rs(&db);
        rs.m_bTracking = tracking;
        rs.m_strProjectFolder = project;
        rs.m_strFilter = QStringLiteral("ID=?");
        rs.m_filterParams = {id};
        rs.Open();
        ASSERT_FALSE(rs.IsEOF());
        rs.Delete();
        rs.Close();
    }

    void Languages()
    {
        Row("Lingue", {{"ID", 1}, {"Codice", "it"}, {"Attivo", 1}});
        Row("Lingue", {{"ID", 2}, {"Codice", "en"}, {"Attivo", 1}});
        Row("Lingue", {{"ID", 3}, {"Codice", "de"}, {"Attivo", 0}});
        Row("Lingue", {{"ID", 4}, {"Codice", ".."}, {"Attivo", 1}});   // must never lead out of the icon folder
    }

    TempFolder folder;
    QString project;
    CDaoDatabase db;
};

TEST_F(CascadeTest, DeletingAProduct)
{
    Row("Prodotti", {{"ID", 5}});
    Row("Prodotti", {{"ID", 6}, {"IDProdottoBase", 5}});
    Row("Prodotti", {{"ID", 51}});
    Row("ProdottiLingue", {{"ID", 1}, {"IDProdotto", 5}, {"CodiceLingua", "it"}});
    Row("ProdottiLingue", {{"ID", 2}, {"IDProdotto", 5}, {"CodiceLingua", "en"}});
    Row("ProdottiLingue", {{"ID", 3}, {"IDProdotto", 6}, {"CodiceLingua", "it"}});
    Row("ProdottiLingue", {{"ID", 4}, {"IDProdotto", 51}, {"CodiceLingua", "it"}});
    Row("CategorieProdotti", {{"ID", 1}, {"IDCategoria", 5}, {"IDProdotto", 5}});
    Row("CategorieProdotti", {{"ID", 2}, {"IDCategoria", 5}, {"IDProdotto", 51}});
    Row("ProdottiColori", {{"ID", 7}, {"IDProdotto", 5}});
    Row("ProdottiColori", {{"ID", 8}, {"IDProdotto", 5}});
    Row("ProdottiColori", {{"ID", 78}, {"IDProdotto", 51}});
    Row("Correlazioni", {{"ID", 1}, {"Tipo1", 1}, {"ID1", 5}, {"Tipo2", 3}, {"ID2", 9}});
    Row("Correlazioni", {{"ID", 2}, {"Tipo1", 0}, {"ID1", 2}, {"Tipo2", 1}, {"ID2", 5}});
    Row("Correlazioni", {{"ID", 3}, {"Tipo1", 0}, {"ID1", 5}, {"Tipo2", 3}, {"ID2", 5}});   // category 5, article 5
    Row("ScontiProdotto", {{"ID", 1}, {"IDProdotto", 5}});
    Row("ParoleChiave", {{"ID", 1}, {"Tipo", 1}, {"IDRecord", 5}});
    Row("ParoleChiave", {{"ID", 2}, {"Tipo", 0}, {"IDRecord", 5}});
    Row("Permessi", {{"ID", 1}, {"Tipo", 1}, {"IDRecord", 5}});
    Row("Permessi", {{"ID", 2}, {"Tipo", 0}, {"IDRecord", 5}});
    const QStringList gone = {
        "website/images/prodotti/5.jpg", "website/images/prodotti/5.gif", "website/images/prodotti/th/5.jpg",
        "website/images/prodotti/files/m5_man.pdf", "website/images/prodotti/files/d5_old",
        "website/images/prodotti/6.jpg", "website/images/prodotti/th/6.jpg",
        "website/images/prodotti/colori/7.jpg", "website/images/prodotti/colori/th/7.jpg",
        "website/images/prodotti/colori/dettagli/7.jpg", "website/images/prodotti/colori/8.JPG"};
    const QStringList kept = {
        "website/images/prodotti/51.jpg", "website/images/prodotti/15.jpg", "website/images/prodotti/5a.jpg",
        "website/images/prodotti/files/m51_man.pdf", "website/images/prodotti/files/m5x.pdf",
        "website/images/prodotti/colori/78.jpg", "website/images/categorie/it/5.jpg"};
    Files(gone + kept);

    DeleteRecord<CProdottiGeneraleSet>(5);

    EXPECT_EQ(Ids("Prodotti"), QList<int>{51});
    EXPECT_EQ(Ids("ProdottiLingue"), QList<int>{4});
    EXPECT_EQ(Ids("CategorieProdotti"), QList<int>{2});
    EXPECT_EQ(Ids("ProdottiColori"), QList<int>{78});
    EXPECT_EQ(Ids("Correlazioni"), QList<int>{3});
    EXPECT_EQ(Ids("ScontiProdotto"), QList<int>{});
    EXPECT_EQ(Ids("ParoleChiave"), QList<int>{2});
    EXPECT_EQ(Ids("Permessi"), QList<int>{2});
    const QStringList log = Log();
    EXPECT_EQ(Sorted(log), Sorted({"ProdottiLingue:1", "ProdottiLingue:2", "CategorieProdotti:1", "ProdottiColori:7",
                                   "ProdottiColori:8", "Correlazioni:1", "Correlazioni:2", "ScontiProdotto:1",
                                   "ParoleChiave:1", "Permessi:1", "ProdottiLingue:3", "Prodotti:6", "Prodotti:5"}));
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.last(), QStringLiteral("Prodotti:5"));
    EXPECT_EQ(Existing(gone), QStringList());
    EXPECT_EQ(Existing(kept), kept);
}

TEST_F(CascadeTest, DeletingACategory)
{
    Languages();
    Row("Categorie", {{"ID", 3}});
    Row("Categorie", {{"ID", 4}, {"IDCategoriaPadre", 3}});
    Row("CategorieLingue", {{"ID", 1}, {"IDCategoria", 3}, {"CodiceLingua", "it"}});
    Row("CategorieProdotti", {{"ID", 1}, {"IDCategoria", 3}, {"IDProdotto", 9}});
    Row("DefinizioneCampiCustom", {{"ID", 1}, {"IDCategoria", 3}});
    Row("Permessi", {{"ID", 1}, {"Tipo", 0}, {"IDRecord", 3}});
    Row("Permessi", {{"ID", 2}, {"Tipo", 1}, {"IDRecord", 3}});
    Row("ScontiProdotto", {{"ID", 1}, {"IDCategoria", 3}});
    Row("ParoleChiave", {{"ID", 1}, {"Tipo", 0}, {"IDRecord", 3}});
    const QStringList gone = {"website/images/categorie/it/3.jpg", "website/images/categorie/en/3.gif"};
    const QStringList kept = {"website/images/categorie/de/3.jpg", "website/images/categorie/it/33.jpg",
                              "website/images/3.jpg", "website/images/prodotti/3.jpg"};
    Files(gone + kept);

    DeleteRecord<CCategorieGenSet>(3);

    EXPECT_EQ(Ids("Categorie"), QList<int>{4});
    EXPECT_EQ(Ids("Permessi"), QList<int>{2});
    EXPECT_EQ(Ids("ParoleChiave"), QList<int>{1});
    EXPECT_EQ(Sorted(Log()), Sorted({"CategorieLingue:1", "CategorieProdotti:1", "DefinizioneCampiCustom:1",
                                     "Permessi:1", "ScontiProdotto:1", "Categorie:3"}));
    EXPECT_EQ(Existing(gone), QStringList());
    EXPECT_EQ(Existing(kept), kept);
}

TEST_F(CascadeTest, DeletingAnArticle)
{
    Row("Articoli", {{"ID", 2}});
    Row("Articoli", {{"ID", 20}});
    Row("ArticoliLingue", {{"ID", 1}, {"IDArticolo", 2}});
    Row("SezioniArticoli", {{"ID", 1}, {"IDSezione", 1}, {"IDArticolo", 2}});
    Row("SezioniArticoli", {{"ID", 2}, {"IDSezione", 1}, {"IDArticolo", 20}});
    Row("ArticoliFiles", {{"ID", 4}, {"IDArticolo", 2}});
    Row("ArticoliFilesLingue", {{"ID", 1}, {"IDFiles", 4}});
    Row("ArticoliLink", {{"ID", 9}, {"IDArticolo", 2}});
    Row("ArticoliLinkLingue", {{"ID", 1}, {"IDLink", 9}});
    Row("ParoleChiave", {{"ID", 1}, {"Tipo", 3}, {"IDRecord", 2}});
    Row("Permessi", {{"ID", 1}, {"Tipo", 3}, {"IDRecord", 2}});
    Row("Correlazioni", {{"ID", 1}, {"Tipo1", 1}, {"ID1", 7}, {"Tipo2", 3}, {"ID2", 2}});
    Files({"website/images/articoli/files/4.pdf", "website/images/articoli/files/44.pdf"});

    DeleteRecord<CArticoliGenSet>(2);

    EXPECT_EQ(Ids("Articoli"), QList<int>{20});
    EXPECT_EQ(Ids("SezioniArticoli"), QList<int>{2});
    EXPECT_EQ(Sorted(Log()), Sorted({"ArticoliLingue:1", "SezioniArticoli:1", "ArticoliFilesLingue:1", "ArticoliFiles:4",
                                     "ArticoliLinkLingue:1", "ArticoliLink:9", "ParoleChiave:1", "Permessi:1",
                                     "Correlazioni:1", "Articoli:2"}));
    EXPECT_FALSE(folder.Exists("website/images/articoli/files/4.pdf"));
    EXPECT_TRUE(folder.Exists("website/images/articoli/files/44.pdf"));
}

TEST_F(CascadeTest, DeletingASection)
{
    Languages();
    Row("Sezioni", {{"ID", 2}});
    Row("SezioniLingue", {{"ID", 1}, {"IDSezione", 2}, {"CodiceLingua", "it"}});
    Row("SezioniArticoli", {{"ID", 1}, {"IDSezione", 2}, {"IDArticolo", 8}});
    Row("Permessi", {{"ID", 1}, {"Tipo", 2}, {"IDRecord", 2}});
    Row("Permessi", {{"ID", 2}, {"Tipo", 3}, {"IDRecord", 2}});
    Files({"website/images/sezioni/it/2.jpg", "website/images/sezioni/de/2.jpg"});

    DeleteRecord<CSezioniSet>(2);

    EXPECT_EQ(Ids("Sezioni"), QList<int>{});
    EXPECT_EQ(Ids("Permessi"), QList<int>{2});
    EXPECT_EQ(Sorted(Log()), Sorted({"SezioniLingue:1", "SezioniArticoli:1", "Permessi:1", "Sezioni:2"}));
    EXPECT_FALSE(folder.Exists("website/images/sezioni/it/2.jpg"));
    EXPECT_TRUE(folder.Exists("website/images/sezioni/de/2.jpg"));
}

TEST_F(CascadeTest, DeletingACustomer)
{
    Row("Clienti", {{"ID", 20}, {"TipoUtente", 3}});
    Row("Clienti", {{"ID", 21}, {"IDAgente", 20}, {"VersioneRecord", 0}});
    Row("Clienti", {{"ID", 22}, {"IDCliente", 20}});   // a consignee stays as it is
    Row("InteressiUtenti", {{"ID", 1}, {"IDUtente", 20}});
    Row("Permessi", {{"ID", 1}, {"IDUtente", 20}});
    Row("Permessi", {{"ID", 2}, {"IDUtente", 0}, {"IDGruppo", 20}});
    Row("ScontiProdotto", {{"ID", 1}, {"IDUtente", 20}});
    Row("Ordini", {{"ID", 1}, {"IDCliente", 20}});

    DeleteRecord<CClientiSet>(20);

    EXPECT_EQ(Ids("Clienti"), (QList<int>{21, 22}));
    EXPECT_EQ(Ids("Clienti", "IDAgente=0 AND Modificato=1 AND VersioneRecord>0"), (QList<int>{21}));
    EXPECT_EQ(Ids("Clienti", "IDCliente=20"), QList<int>{22});
    EXPECT_EQ(Ids("Permessi"), QList<int>{2});
    EXPECT_EQ(Ids("Ordini"), QList<int>{1});
    EXPECT_EQ(Sorted(Log()), Sorted({"InteressiUtenti:1", "Permessi:1", "ScontiProdotto:1", "Clienti:20"}));
}

TEST_F(CascadeTest, DeletingAnOrder)
{
    Row("Ordini", {{"ID", 1}});
    Row("Ordini", {{"ID", 2}});
    Row("OrdiniDettaglio", {{"ID", 1}, {"IDOrdine", 1}});
    Row("OrdiniDettaglio", {{"ID", 2}, {"IDOrdine", 1}});
    Row("OrdiniDettaglio", {{"ID", 3}, {"IDOrdine", 2}});

    DeleteRecord<COrdiniGeneraleSet>(1);

    EXPECT_EQ(Ids("Ordini"), QList<int>{2});
    EXPECT_EQ(Ids("OrdiniDettaglio"), QList<int>{3});
    EXPECT_EQ(Log(), (QStringList{"OrdiniDettaglio:1", "OrdiniDettaglio:2", "Ordini:1"}));
}

// The row itself cannot go: everything the cascade did comes back, and no
// file is lost.
TEST_F(CascadeTest, AFailedDeletionKeepsRowsLogAndFiles)
{
    Row("Prodotti", {{"ID", 5}});
    Row("Prodotti", {{"ID", 6}, {"IDProdottoBase", 5}});
    Row("ProdottiLingue", {{"ID", 1}, {"IDProdotto", 5}});
    Row("ProdottiColori", {{"ID", 7}, {"IDProdotto", 5}});
    const QStringList files = {"website/images/prodotti/5.jpg", "website/images/prodotti/6.jpg",
                               "website/images/prodotti/colori/7.jpg"};
    Files(files);
    db.Execute("CREATE TRIGGER keep5 BEFORE DELETE ON Prodotti WHEN OLD.ID=5 BEGIN SELECT RAISE(ABORT, 'bloccato'); END");

    EXPECT_THROW(DeleteRecord<CProdottiGeneraleSet>(5), CDaoException);

    EXPECT_EQ(Ids("Prodotti"), (QList<int>{5, 6}));
    EXPECT_EQ(Ids("ProdottiLingue"), QList<int>{1});
    EXPECT_EQ(Ids("ProdottiColori"), QList<int>{7});
    EXPECT_EQ(Log(), QStringList());
    EXPECT_EQ(Existing(files), files);
    EXPECT_EQ(db.TransactionDepth(), 0);
}

TEST_F(CascadeTest, VariantCyclesStop)
{
    Row("Prodotti", {{"ID", 10}, {"IDProdottoBase", 11}});
    Row("Prodotti", {{"ID", 11}, {"IDProdottoBase", 10}});
    Row("Prodotti", {{"ID", 12}, {"IDProdottoBase", 12}});
    Row("Prodotti", {{"ID", 13}});

    DeleteRecord<CProdottiGeneraleSet>(10);
    DeleteRecord<CProdottiGeneraleSet>(12);

    EXPECT_EQ(Ids("Prodotti"), QList<int>{13});
    EXPECT_EQ(Log(), (QStringList{"Prodotti:11", "Prodotti:10", "Prodotti:12"}));
}

// 0 is "none" in every column that names a record: a record with ID 0
// takes nothing with it.
TEST_F(CascadeTest, ARecordWithIdZeroTakesNothingWithIt)
{
    Row("Prodotti", {{"ID", 0}});
    Row("Prodotti", {{"ID", 1}, {"IDProdottoBase", 0}});
    Row("ProdottiLingue", {{"ID", 1}, {"IDProdotto", 0}});

    DeleteRecord<CProdottiGeneraleSet>(0);

    EXPECT_EQ(Ids("Prodotti"), QList<int>{1});
    EXPECT_EQ(Log(), QStringList{"Prodotti:0"});
}

TEST_F(CascadeTest, RepointedRowsFollowTheTracking)
{
    Row("Gruppi", {{"ID", 3}});
    Row("Gruppi", {{"ID", 4}});
    Row("Clienti", {{"ID", 1}, {"IDGruppo", 3}, {"Modificato", 0}, {"VersioneRecord", 0}});
    Row("Clienti", {{"ID", 2}, {"IDGruppo", 4}, {"Modificato", 0}, {"VersioneRecord", 0}});
    Row("Permessi", {{"ID", 1}, {"IDGruppo", 3}});
    Row("ScontiProdotto", {{"ID", 1}, {"IDGruppo", 4}});

    DeleteRecord<CGruppiSet>(3, false);
    EXPECT_EQ(Ids("Clienti", "IDGruppo=0 AND Modificato=0 AND VersioneRecord=0"), QList<int>{1});
    EXPECT_FALSE(folder.Exists("upd.qtr"));

    DeleteRecord<CGruppiSet>(4, true);
    EXPECT_EQ(Ids("Clienti", "IDGruppo=0 AND Modificato=1 AND VersioneRecord>0"), QList<int>{2});
    EXPECT_TRUE(folder.Exists("upd.qtr"));
    EXPECT_EQ(Log(), (QStringList{"Permessi:1", "Gruppi:3", "ScontiProdotto:1", "Gruppi:4"}));
}

TEST_F(CascadeTest, DeletingAFormClearsItsArticles)
{
    Row("Moduli", {{"ID", 1}});
    Row("Articoli", {{"ID", 1}, {"IDModulo", 1}, {"IDArticoloRispostaModulo", 9}});
    Row("Articoli", {{"ID", 2}, {"IDModulo", 2}, {"IDArticoloRispostaModulo", 9}});
    Row("ModuliLingue", {{"ID", 1}, {"IDModulo", 1}});
    Row("ModuliCampi", {{"ID", 1}, {"IDModulo", 1}});
    Row("ModuliCampiLingue", {{"ID", 1}, {"IDCampo", 1}});
    Row("ModuliOpzioni", {{"ID", 1}, {"IDCampo", 1}});
    Row("ModuliOpzioniLingue", {{"ID", 1}, {"IDOpzione", 1}});

    DeleteRecord<CModuliSet>(1);

    EXPECT_EQ(Ids("Articoli", "IDModulo=0 AND IDArticoloRispostaModulo=0 AND Modificato=1"), QList<int>{1});
    EXPECT_EQ(Ids("Articoli", "IDModulo=2 AND IDArticoloRispostaModulo=9"), QList<int>{2});
    EXPECT_EQ(Log(), (QStringList{"ModuliLingue:1", "ModuliCampiLingue:1", "ModuliOpzioniLingue:1", "ModuliOpzioni:1",
                                  "ModuliCampi:1", "Moduli:1"}));
}

TEST_F(CascadeTest, DeletingATopicRepointsItsPostsByKind)
{
    Row("Argomenti", {{"ID", 1}, {"Tipo", 0}});
    Row("Argomenti", {{"ID", 2}, {"Tipo", 1}});
    Row("Argomenti", {{"ID", 3}, {"Tipo", 2}});
    Row("InterventiForum", {{"ID", 1}, {"IDArgomento", 1}});
    Row("InterventiForum", {{"ID", 2}, {"IDArgomento", 3}});
    Row("InterventiChat", {{"ID", 1}, {"IDArgomento", 2}});
    Row("InterventiChat", {{"ID", 2}, {"IDArgomento", 3}});
    Row("ArgomentiLingue", {{"ID", 1}, {"IDArgomento", 3}});

    DeleteRecord<CArgomentiSet>(1);
    DeleteRecord<CArgomentiSet>(2);
    DeleteRecord<CArgomentiSet>(3);

    EXPECT_EQ(Ids("InterventiForum", "IDArgomento=0"), QList<int>{1});
    EXPECT_EQ(Ids("InterventiForum", "IDArgomento=3"), QList<int>{2});
    EXPECT_EQ(Ids("InterventiChat", "IDArgomento=0"), QList<int>{1});
    EXPECT_EQ(Ids("InterventiChat", "IDArgomento=3"), QList<int>{2});
    EXPECT_EQ(Log(), (QStringList{"Argomenti:1", "Argomenti:2", "ArgomentiLingue:1", "Argomenti:3"}));
}

// Deletions run inside the caller's transactions, step by step: "B" begins
// one, "C" commits and "R" rolls back the innermost, "D5" deletes product 5.
struct TransactionFilesCase
{
    const char* name;
    QStringList steps;
    QList<int> products;    // left afterwards
    QStringList pictures;   // left afterwards
};

void PrintTo(const TransactionFilesCase& c, std::ostream* os) { *os << c.name; }

class CascadeFilesTest : public CascadeTest, public ::testing::WithParamInterface<TransactionFilesCase>
{
};

TEST_P(CascadeFilesTest, FilesGoOnlyWithTheOutermostCommit)
{
    const QString p5 = QStringLiteral("website/images/prodotti/5.jpg");
    const QString p6 = QStringLiteral("website/images/prodotti/6.jpg");
    Row("Prodotti", {{"ID", 5}});
    Row("Prodotti", {{"ID", 6}});
    Files({p5, p6});
    for (const QString& step : GetParam().steps) {
        if (step == QLatin1String("B"))
            db.BeginTrans();
        else if (step == QLatin1String("C"))
            db.CommitTrans();
        else if (step == QLatin1String("R"))
            db.Rollback();
        else
            DeleteRecord<CProdottiGeneraleSet>(step.mid(1).toInt());
        // Nothing goes while a transaction that could still roll back is open.
        if (db.TransactionDepth() > 0)
            EXPECT_EQ(Existing({p5, p6}), (QStringList{p5, p6})) << step.toStdString();
    }
    EXPECT_EQ(Ids("Prodotti"), GetParam().products);
    QStringList expected;
    for (const QString& id : GetParam().pictures)
        expected << QStringLiteral("website/images/prodotti/%1.jpg").arg(id);
    EXPECT_EQ(Existing({p5, p6}), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Transactions, CascadeFilesTest,
    ::testing::Values(TransactionFilesCase{"NoTransaction", {"D5"}, {6}, {"6"}},
                      TransactionFilesCase{"Committed", {"B", "D5", "C"}, {6}, {"6"}},
                      TransactionFilesCase{"RolledBack", {"B", "D5", "R"}, {5, 6}, {"5", "6"}},
                      TransactionFilesCase{"InnerRolledBackOuterCommitted", {"B", "B", "D5", "R", "D6", "C"}, {5}, {"5"}},
                      TransactionFilesCase{"InnerCommittedOuterRolledBack", {"B", "B", "D5", "C", "D6", "R"}, {5, 6},
                                           {"5", "6"}}),
    [](const ::testing::TestParamInfo<TransactionFilesCase>& info) { return std::string(info.param.name); });

TEST_F(CascadeTest, AJobOnACopyHoldsTheFilesUntilItsSwap)
{
    const QString picture = QStringLiteral("website/images/prodotti/5.jpg");
    Row("Prodotti", {{"ID", 5}});
    Files({picture});
    db.HoldFileDeletions(true);

    DeleteRecord<CProdottiGeneraleSet>(5);
    db.Close();

    EXPECT_EQ(Existing({picture}), QStringList{picture});
    const QStringList held = db.TakeHeldFileDeletions();
    EXPECT_EQ(held, QStringList{folder.FilePath(picture)});
    EXPECT_TRUE(db.TakeHeldFileDeletions().isEmpty());
    CDaoDatabase::RemoveFiles(held);
    EXPECT_EQ(Existing({picture}), QStringList());
}

struct FileCase
{
    const char* prefix;
    int id;
    QStringList present;
    QStringList matched;
};

class RecordFilesTest : public ::testing::TestWithParam<FileCase>
{
};

TEST_P(RecordFilesTest, MatchesOnlyTheRecordsFiles)
{
    TempFolder folder;
    for (const QString& name : GetParam().present)
        folder.WriteFile(name, "x");
    QDir().mkpath(folder.FilePath("7.dir"));
    QStringList matched;
    for (const QString& path : MatchRecordFiles(folder.Path(), GetParam().id, QLatin1String(GetParam().prefix)))
        matched << QFileInfo(path).fileName();
    matched.sort();
    EXPECT_EQ(matched, GetParam().matched);

    DeleteFiles(folder.Path(), GetParam().id, QLatin1String(GetParam().prefix));
    for (const QString& name : GetParam().present)
        EXPECT_EQ(folder.Exists(name), !GetParam().matched.contains(name)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Names, RecordFilesTest,
    ::testing::Values(FileCase{"", 7, {"7.jpg", "7.gif", "7.JPG", "7", "17.jpg", "7a.jpg", "70.jpg", "7_x.jpg"},
                               {"7", "7.JPG", "7.gif", "7.jpg"}},
                      FileCase{"?", 5, {"m5_man.pdf", "d5_man", "M5_X.PDF", "m51_man.pdf", "m5x.pdf", "5_a.pdf", "mm5_a"},
                               {"M5_X.PDF", "d5_man", "m5_man.pdf"}},
                      FileCase{"", 3, {}, {}}));

TEST(RecordFilesTest, AMissingFolderIsNoError)
{
    TempFolder folder;
    EXPECT_NO_THROW(DeleteFiles(folder.FilePath("nowhere"), 1, QString()));
}

} // namespace
