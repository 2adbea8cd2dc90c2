#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "recordset/tests/DeletionLog.h"
#include "recordset/tests/TableClassVisitors.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// The table classes as the schema's own list gives them: table, class,
// whether the class derives from the tracked base, its column count and
// how many of its columns are enciphered.
struct PartTable
{
    const char* table;
    const char* className;
    bool tracked;
    int columns;
    int enciphered;
};

const PartTable kPartTables[] = {
    {"Argomenti", "CArgomentiSet", true, 8, 0},
    {"ArgomentiLingue", "CArgomentiLingueSet", true, 7, 2},
    {"Articoli", "CArticoliGenSet", true, 21, 0},
    {"ArticoliFiles", "CArticoliFilesSet", true, 7, 0},
    {"ArticoliFilesLingue", "CArticoliFilesLingueSet", true, 7, 2},
    {"ArticoliLingue", "CArticoliLinSet", true, 11, 4},
    {"ArticoliLink", "CArticoliLinkSet", true, 10, 1},
    {"ArticoliLinkLingue", "CArticoliLinkLingueSet", true, 7, 2},
    {"AttributiCSS", "CAttributiCSSSet", false, 4, 0},
    {"Banner", "CBannerSet", true, 13, 0},
    {"Categorie", "CCategorieGenSet", true, 7, 0},
    {"CategorieCodiciASP", "CCategorieCodiciASPSet", false, 5, 0},
    {"CategorieLingue", "CCategorieLinSet", true, 8, 2},
    {"CategorieProdotti", "CCategorieProdottiSet", true, 5, 0},
    {"ChiSiamo", "CChiSiamoSet", true, 6, 1},
    {"ClassiCSS", "CClassiCSSSet", false, 7, 0},
    {"Clienti", "CClientiSet", true, 33, 0},
    {"CodiceASP", "CCodiceASPSet", false, 12, 0},
    {"CondizioniVendita", "CCondizioniVenditaSet", true, 5, 1},
    {"Configurazione", "CConfigurazioneSet", true, 68, 3},
    {"Correlazioni", "CCorrelazioniSet", true, 8, 0},
    {"DefinizioneCampiCustom", "CDefCampiCustomSet", true, 8, 0},
    {"Dizionario", "CDizionarioGenSet", true, 5, 0},
    {"DizionarioLingue", "CDizionarioLinSet", true, 6, 1},
    {"Gruppi", "CGruppiSet", true, 10, 0},
    {"Interessi", "CInteressiSet", true, 4, 0},
    {"InteressiLingue", "CInteressiLingueSet", true, 7, 2},
    {"InteressiUtenti", "CInteressiUtentiSet", true, 5, 0},
    {"InterventiForum", "CInterventiForumSet", true, 13, 0},
    {"Lingue", "CLingueSet", true, 8, 0},
    {"Moduli", "CModuliSet", true, 7, 2},
    {"ModuliCampi", "CModuliCampiSet", true, 8, 0},
    {"ModuliCampiLingue", "CModuliCampiLingueSet", true, 6, 0},
    {"ModuliLingue", "CModuliLingueSet", true, 7, 2},
    {"ModuliOpzioni", "CModuliOpzioniSet", true, 5, 0},
    {"ModuliOpzioniLingue", "CModuliOpzioniLingueSet", true, 6, 0},
    {"OTPRichieste", "COTPRichiesteSet", true, 4, 0},
    {"OTPRisposte", "COTPRisposteSet", true, 4, 0},
    {"Opzioni", "COpzioniSet", true, 7, 0},
    {"Ordini", "COrdiniGeneraleSet", true, 50, 0},
    {"OrdiniDettaglio", "COrdiniDettaglioSet", true, 19, 0},
    {"Parametri", "CParametriSet", false, 10, 0},
    {"ParoleChiave", "CParoleChiaveSet", true, 10, 0},
    {"Permessi", "CPermessiSet", true, 8, 0},
    {"Prodotti", "CProdottiGeneraleSet", true, 25, 0},
    {"ProdottiColori", "CProdottiColoriSet", true, 9, 0},
    {"ProdottiLingue", "CProdottiLingueSet", true, 17, 4},
    {"RecordsEliminati", "CRecordsEliminatiSet", false, 2, 0},
    {"ScontiProdotto", "CScontiProdottoSet", true, 43, 0},
    {"Sezioni", "CSezioniSet", true, 12, 0},
    {"SezioniArticoli", "CSezioniArticoliSet", true, 5, 0},
    {"SezioniLingue", "CSezioniLingueSet", true, 8, 2},
    {"SpeseSpedizione", "CSSpedizioneSet", true, 16, 0},
    {"StatoOrdini", "CStatoOrdiniGeneraleSet", true, 3, 0},
    {"StatoOrdiniLingue", "CStatoOrdiniLingueSet", true, 6, 0},
    {"Template", "CTemplateSet", true, 5, 0},
    {"TestoNotificaOrdine", "CNotificaClienteSet", true, 5, 1},
    {"TipoBanner", "CTipoBannerSet", true, 7, 0},
    {"ValoriTaglie", "CValoriTaglieSet", true, 6, 0},
    {"Valute", "CValuteSet", true, 7, 0},
};

TEST(ShopSchemaTest, DescribesEveryTableClassOfTheList)
{
    int enciphered = 0;
    for (const PartTable& expected : kPartTables) {
        SCOPED_TRACE(expected.table);
        const QtrTableDef* table = ShopSchema::Find(QLatin1String(expected.table));
        ASSERT_NE(table, nullptr);
        EXPECT_STREQ(table->className, expected.className);
        EXPECT_EQ(table->tracked, expected.tracked);
        EXPECT_EQ(table->columnCount, expected.columns);
        int ciphered = 0;
        for (int i = 0; i < table->columnCount; ++i)
            ciphered += table->columns[i].kind == QtrColumnKind::EText;
        EXPECT_EQ(ciphered, expected.enciphered);
        enciphered += ciphered;
        if (expected.tracked) {
            EXPECT_TRUE(table->HasId());
            EXPECT_GE(table->ColumnIndex(QStringLiteral("Modificato")), 0);
            EXPECT_GE(table->ColumnIndex(QStringLiteral("VersioneRecord")), 0);
        }
    }
    EXPECT_EQ(enciphered, 32);
    int classes = 0;
    for (const QtrTableDef& table : ShopSchema::Tables())
        classes += table.className != nullptr;
    EXPECT_EQ(classes, 60);
}

TEST(ShopSchemaTest, PlacesEveryTableInItsDatabaseFile)
{
    EXPECT_EQ(ShopSchema::TablesOf(QtrDbFile::Graphic).size(), 5);
    for (const char* name : {"AttributiCSS", "CategorieCodiciASP", "ClassiCSS", "CodiceASP", "Parametri"})
        EXPECT_EQ(ShopSchema::Find(QLatin1String(name))->file, QtrDbFile::Graphic) << name;
    EXPECT_EQ(ShopSchema::Find(QStringLiteral("Utenti"))->file, QtrDbFile::Host);
    for (const char* name : {"ProgressivoVersioneRecord", "RecordsEliminati", "InterventiChat", "UtentiChat",
                             "ProdottiCorrelati", "Prodotti", "Configurazione"})
        EXPECT_EQ(ShopSchema::Find(QLatin1String(name))->file, QtrDbFile::Shop) << name;
    EXPECT_TRUE(ShopSchema::IsEnciphered(QStringLiteral("prodottilingue"), QStringLiteral("NOME")));
    EXPECT_FALSE(ShopSchema::IsEnciphered(QStringLiteral("ProdottiLingue"), QStringLiteral("UM")));
}

// Distinct, non-default sample values, so a column bound to the wrong
// member or written to the wrong place shows.
struct Sampler
{
    int index = 0;
    void operator()(qint32& v, const char*) { v = 100000 + ++index; }
    void operator()(qint16& v, const char*) { v = qint16(300 + ++index); }
    void operator()(quint8& v, const char*) { v = quint8(100 + ++index); }
    void operator()(float& v, const char*) { v = 0.5f + float(++index); }
    void operator()(double& v, const char*) { v = 0.25 + ++index; }
    void operator()(bool& v, const char*) { ++index; v = true; }
    void operator()(QDateTime& v, const char*)
    {
        v = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)).addSecs(++index);
    }
    void operator()(QString& v, const char*) { v = QStringLiteral("v%1 àè € ~'\"").arg(++index); }
};

struct Checker
{
    Sampler expected;
    template <class T>
    void operator()(T& actual, const char* name)
    {
        T wanted{};
        expected(wanted, name);
        EXPECT_EQ(actual, wanted) << name;
    }
};

class TableClassCase : public ::testing::Test
{
protected:
    template <class TSet, class Table>
    void RoundTrip(const char* tableName, Table)
    {
        SCOPED_TRACE(tableName);
        const QtrTableDef* table = ShopSchema::Find(QLatin1String(tableName));
        ASSERT_NE(table, nullptr);
        CDaoDatabase db;
        db.Open(folder.FilePath(QStringLiteral("%1.mdb").arg(tableName)), true);
        ShopSchemaDdl::CreateTables(CDaoSqlSession(db), table->file);
        {
            TSet rs(&db);
            if constexpr (std::is_base_of_v<CQTRDaoRecordset, TSet>) {
                rs.m_bTracking = false;   // keep the sample tracking values as written
                rs.m_strProjectFolder = folder.Path() + QStringLiteral("/");
            }
            rs.Open();
            EXPECT_EQ(rs.m_nFields, table->columnCount);
            EXPECT_EQ(rs.GetDefaultSQL(), QStringLiteral("[%1]").arg(tableName));
            rs.AddNew();
            Sampler sampler;
            VisitMembers(rs, sampler);
            rs.Update();
            rs.Close();
        }
        {
            TSet rs(&db);
            rs.Open();
            ASSERT_FALSE(rs.IsEOF());
            Checker checker;
            VisitMembers(rs, checker);
        }
        CheckStoredTexts(db, *table);
    }

    // Enciphered columns hold the cipher in the file; plain ones the text.
    void CheckStoredTexts(CDaoDatabase& db, const QtrTableDef& table)
    {
        QSqlQuery query(db.Connection());
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table.Name())));
        ASSERT_TRUE(query.next());
        for (int i = 0; i < table.columnCount; ++i) {
            const QtrColumnDef& column = table.columns[i];
            const QString plain = QStringLiteral("v%1 àè € ~'\"").arg(i + 1);
            const QString stored = query.value(QLatin1String(column.name)).toString();
            if (column.kind == QtrColumnKind::EText) {
                EXPECT_NE(stored, plain) << column.name;
                EXPECT_EQ(stored, Encrypt(plain)) << column.name;
            } else if (column.kind == QtrColumnKind::Text) {
                EXPECT_EQ(stored, plain) << column.name;
            }
        }
    }

    TempFolder folder;
};

#define QTR_ROUND_TRIP_TEST(Cls, Table) \
    TEST_F(TableClassCase, Table) { RoundTrip<Cls>(#Table, 0); }
QTR_FOR_EACH_TABLE_CLASS(QTR_ROUND_TRIP_TEST)
#undef QTR_ROUND_TRIP_TEST

// A join form (the products of a category, the articles of a section)
// reads two tables but deletes the row of its own table, with its links, and
// the deletion log names each table, or the site never hears of it.
struct JoinDeletionCase
{
    const char* name;
    const char* setup;
    const char* filter;
    const char* logged;   // the log's lines, "|" between them
    const char* gone;   // counts the row that must be gone
    const char* kept;   // counts the rows that must stay
};

class JoinFormDeletion : public ::testing::TestWithParam<JoinDeletionCase>
{
protected:
    template <class TSet>
    QStringList DeleteThroughJoin(CDaoDatabase& db, const JoinDeletionCase& c)
    {
        TSet rs(&db);
        rs.m_bJoin = true;
        rs.m_strFilter = QLatin1String(c.filter);
        rs.Open();
        EXPECT_FALSE(rs.IsEOF());
        rs.Delete();
        return DeletionLog(db);
    }

    static int Count(CDaoDatabase& db, const char* sql)
    {
        QSqlQuery q(db.Connection());
        q.exec(QLatin1String(sql));
        return q.next() ? q.value(0).toInt() : -1;
    }
};

TEST_P(JoinFormDeletion, DeletesItsOwnRowAndLogsItsTable)
{
    const JoinDeletionCase& c = GetParam();
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);
    for (const QString& statement : QString::fromLatin1(c.setup).split(';'))
        db.Execute(statement);
    const QStringList lines = QLatin1String(c.name).startsWith(QLatin1String("Product"))
        ? DeleteThroughJoin<CProdottiGeneraleSet>(db, c)
        : DeleteThroughJoin<CArticoliGenSet>(db, c);
    EXPECT_EQ(lines, QString::fromLatin1(c.logged).split('|'));
    EXPECT_EQ(Count(db, c.gone), 0);
    EXPECT_EQ(Count(db, c.kept), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, JoinFormDeletion,
    ::testing::Values(
        JoinDeletionCase{"ProductOfACategory",
                         "INSERT INTO Prodotti (ID, Codice) VALUES (5, 'P5'), (6, 'P6');"
                         "INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, 3, 6), (2, 7, 5)",
                         "IDCategoria=7", "CategorieProdotti:2|Prodotti:5", "SELECT COUNT(*) FROM Prodotti WHERE ID=5",
                         "SELECT COUNT(*) FROM Prodotti WHERE ID=6"},
        JoinDeletionCase{"ArticleOfASection",
                         "INSERT INTO Articoli (ID, Codice) VALUES (8, 'A8'), (9, 'A9');"
                         "INSERT INTO SezioniArticoli (ID, IDSezione, IDArticolo) VALUES (1, 2, 8), (2, 4, 9)",
                         "IDSezione=4", "SezioniArticoli:2|Articoli:9", "SELECT COUNT(*) FROM Articoli WHERE ID=9",
                         "SELECT COUNT(*) FROM Articoli WHERE ID=8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableClassTest, DefaultDatabaseNames)
{
    EXPECT_EQ(CParametriSet().GetDefaultDBName(), QStringLiteral("modellografico.mdb"));
    EXPECT_EQ(CClassiCSSSet().GetDefaultDBName(), QStringLiteral("modellografico.mdb"));
    EXPECT_EQ(CAttributiCSSSet().GetDefaultDBName(), QStringLiteral("modellografico.mdb"));
    EXPECT_EQ(CProdottiGeneraleSet().GetDefaultDBName(), QStringLiteral("database.mdb"));
}

TEST(TableClassTest, JoinReturnsOneRowPerCategoryLink)
{
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);
    db.Execute("INSERT INTO Prodotti (ID, Codice) VALUES (5, 'P5')");
    db.Execute("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (1, 10, 5), (2, 11, 5)");
    CProdottiGeneraleSet rs(&db);
    rs.m_bJoin = true;
    rs.m_strSort = QStringLiteral("IDCategoria");
    rs.Open();
    QList<int> categories;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        EXPECT_EQ(rs.m_ID, 5);
        categories << rs.GetFieldValue(QStringLiteral("IDCategoria")).toInt();
    }
    EXPECT_EQ(categories, (QList<int>{10, 11}));
}

} // namespace
