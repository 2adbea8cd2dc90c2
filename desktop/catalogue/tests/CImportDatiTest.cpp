#include "desktop/catalogue/CImportDati.h"
#include "desktop/catalogue/CImportDatiParser.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CProdottiLingueSet.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <ostream>

namespace {

class ImportDatiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddCategory(3);
        f.AddCategory(4);
    }

    CCatalogueJob::Result Run(const QString& file, QVector<ImportField> columns = CImportDatiParser::DefaultFields(),
                              CImportDati::Obsolete obsolete = CImportDati::Obsolete::Keep)
    {
        CImportDati::Settings settings;
        settings.strFile = file;
        settings.strLanguageCode = QStringLiteral("it");
        settings.columns = std::move(columns);
        settings.obsolete = obsolete;
        job = std::make_unique<CImportDati>(f.Db(), f.Folder(), settings, ui);
        return job->Run(progress);
    }

    QString WriteFile(const QByteArray& content)
    {
        const QString path = f.Folder() + QStringLiteral("/prodotti.txt");
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }

    // The product's row of language "it", read through the table class.
    struct Texts
    {
        QString nome, breve, fattura, estesa;
        double prezzo[4];
        double promo;
    };
    Texts LanguageRow(qint32 productId)
    {
        CProdottiLingueSet rows(&f.Db());
        rows.m_strFilter = QStringLiteral("IDProdotto=? AND CodiceLingua='it'");
        rows.m_filterParams = {productId};
        rows.Open();
        EXPECT_FALSE(rows.IsEOF());
        Texts t{rows.m_Nome, rows.m_DescrizioneBreve, rows.m_DescrizioneFattura, rows.m_DescrizioneEstesa,
                {rows.m_Prezzo, rows.m_Prezzo2, rows.m_Prezzo3, rows.m_Prezzo4}, rows.m_PrezzoPromozione};
        EXPECT_EQ(rows.GetRecordCount(), 1);
        return t;
    }

    QVariant Product(const QString& column, const QString& code)
    {
        return f.Scalar(QStringLiteral("SELECT %1 FROM Prodotti WHERE Codice=?").arg(column), {code});
    }

    bool TempLeft() { return QFileInfo::exists(f.Folder() + QStringLiteral("/db/tempdb.mdb")); }

    CatalogueFixture f;
    FakeImportUi ui;
    RecordingProgress progress;
    std::unique_ptr<CImportDati> job;
};

TEST_F(ImportDatiTest, EveryFieldIsWrittenAsTheFileHasIt)
{
    ASSERT_EQ(Run(CatalogueFixture::DataFile(QStringLiteral("every-field/prodotti.txt")), CImportDatiParser::AllFields()),
              CCatalogueJob::Done)
        << job->Error().toStdString();
    EXPECT_EQ(job->ImportedLines(), 2);

    const qint32 id = Product(QStringLiteral("ID"), QStringLiteral("A001")).toInt();
    EXPECT_EQ(Product(QStringLiteral("Ordine"), QStringLiteral("A001")).toInt(), id);
    EXPECT_EQ(Product(QStringLiteral("IVA"), QStringLiteral("A001")).toDouble(), 22.0);
    EXPECT_EQ(Product(QStringLiteral("CodiceABarre"), QStringLiteral("A001")).toString(), QStringLiteral("8001234567890"));
    EXPECT_EQ(Product(QStringLiteral("Peso"), QStringLiteral("A001")).toDouble(), 2.5);
    EXPECT_EQ(Product(QStringLiteral("Disponibilita"), QStringLiteral("A001")).toDouble(), 12.0);
    EXPECT_EQ(Product(QStringLiteral("Sconto"), QStringLiteral("A001")).toDouble(), 10.0);
    EXPECT_EQ(Product(QStringLiteral("Attivo"), QStringLiteral("A001")).toInt(), 1);
    EXPECT_EQ(Product(QStringLiteral("Novita"), QStringLiteral("A001")).toInt(), 1);
    EXPECT_EQ(Product(QStringLiteral("Offerta"), QStringLiteral("A001")).toInt(), 1);
    EXPECT_EQ(Product(QStringLiteral("ValiditaScontoDal"), QStringLiteral("A001")).toString(),
              QStringLiteral("2026-03-01 00:00:00"));
    EXPECT_EQ(Product(QStringLiteral("ValiditaScontoAl"), QStringLiteral("A001")).toString(),
              QStringLiteral("2026-03-31 00:00:00"));
    EXPECT_EQ(Product(QStringLiteral("Modificato"), QStringLiteral("A001")).toInt(), 1);
    EXPECT_GT(Product(QStringLiteral("VersioneRecord"), QStringLiteral("A001")).toInt(), 0);

    const Texts t = LanguageRow(id);
    EXPECT_EQ(t.nome, QStringLiteral("Sedia Rossa"));
    EXPECT_EQ(t.breve, QStringLiteral("Sedia breve"));
    EXPECT_EQ(t.fattura, QStringLiteral("Sedia fattura"));
    EXPECT_EQ(t.estesa, QStringLiteral("Sedia estesa"));
    // Straight to double: 19.99 is the double 19.99, not a float's 19.9899997.
    EXPECT_EQ(t.prezzo[0], 19.99);
    EXPECT_EQ(t.prezzo[1], 18.5);
    EXPECT_EQ(t.prezzo[2], 17.25);
    EXPECT_EQ(t.prezzo[3], 16.0);
    EXPECT_EQ(t.promo, 15.99);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT UM FROM ProdottiLingue WHERE IDProdotto=?"), {id}).toString(),
              QStringLiteral("pz"));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=?"), {id}).toInt(), 3);

    // The second line: trimmed fields, empty ones at their defaults.
    EXPECT_EQ(Product(QStringLiteral("Attivo"), QStringLiteral("A002")).toInt(), 0);
    EXPECT_TRUE(Product(QStringLiteral("ValiditaScontoDal"), QStringLiteral("A002")).isNull());
    EXPECT_EQ(LanguageRow(Product(QStringLiteral("ID"), QStringLiteral("A002")).toInt()).prezzo[0], 120.0);
    EXPECT_TRUE(IsAlertUpd(f.Folder() + QLatin1Char('/')));
    EXPECT_FALSE(TempLeft());
}

TEST_F(ImportDatiTest, ExistingCodesAreUpdatedAndTheLaterLineWins)
{
    f.AddProduct(7, QStringLiteral("U001"), 40);
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET CodiceABarre='999', Peso=3, Novita=1, Attivo=0 WHERE ID=7"));
    f.AddProductLanguage(70, 7, QStringLiteral("it"), 9.5, QStringLiteral("Vecchio"));
    f.AddProductLanguage(71, 7, QStringLiteral("en"), 11.0, QStringLiteral("Old"));
    f.AddLink(700, 4, 7);
    f.AddLink(701, 3, 7);

    ASSERT_EQ(Run(CatalogueFixture::DataFile(QStringLiteral("updates/prodotti.txt"))), CCatalogueJob::Done);

    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='U001'")).toInt(), 1);
    EXPECT_EQ(Product(QStringLiteral("ID"), QStringLiteral("U001")).toInt(), 7);
    EXPECT_EQ(Product(QStringLiteral("Ordine"), QStringLiteral("U001")).toInt(), 40);
    // Fields the file does not carry go back to their defaults.
    EXPECT_EQ(Product(QStringLiteral("CodiceABarre"), QStringLiteral("U001")).toString(), QString());
    EXPECT_EQ(Product(QStringLiteral("Peso"), QStringLiteral("U001")).toDouble(), 0.0);
    EXPECT_EQ(Product(QStringLiteral("Novita"), QStringLiteral("U001")).toInt(), 0);
    EXPECT_EQ(Product(QStringLiteral("Attivo"), QStringLiteral("U001")).toInt(), 1);
    const Texts t = LanguageRow(7);
    EXPECT_EQ(t.nome, QStringLiteral("Nome finale"));
    EXPECT_EQ(t.prezzo[0], 7.0);
    // The other language's row is not the file's.
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE ID=71")).toDouble(), 11.0);
    // Only the first link moves to the file's category.
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE ID=700")).toInt(), 3);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE ID=701")).toInt(), 3);
    // The new product takes the next free IDs and a link of its own.
    const qint32 second = Product(QStringLiteral("ID"), QStringLiteral("U002")).toInt();
    EXPECT_EQ(second, 8);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=?"), {second}).toInt(),
              4);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT ID FROM CategorieProdotti WHERE IDProdotto=?"), {second}).toInt(), 702);
}

TEST_F(ImportDatiTest, CodesAreBoundNeverSpliced)
{
    const QString path = WriteFile("3|O'Brien\"; DROP TABLE Prodotti; --|Nome|b|1|22\n3|O'Brien\"; DROP TABLE Prodotti; --|Due|b|2|22\n");
    // The code is longer than twenty characters: refused as a field...
    ASSERT_EQ(Run(path), CCatalogueJob::Failed);
    // ...and a short one with quotes goes in and is found again by the second line.
    const QString quoted = WriteFile("3|O'B\"r';--|Nome|b|1|22\n3|O'B\"r';--|Due|b|2|22\n");
    ASSERT_EQ(Run(quoted), CCatalogueJob::Done) << job->Error().toStdString();
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice=?"), {QStringLiteral("O'B\"r';--")}).toInt(),
              1);
    EXPECT_EQ(LanguageRow(Product(QStringLiteral("ID"), QStringLiteral("O'B\"r';--")).toInt()).nome, QStringLiteral("Due"));
}

struct EncodingCase
{
    const char* name;
    const char* folder;
};

class ImportEncodingTest : public ImportDatiTest, public ::testing::WithParamInterface<EncodingCase>
{
};

TEST_P(ImportEncodingTest, TextsArriveWhole)
{
    ASSERT_EQ(Run(CatalogueFixture::DataFile(QString::fromLatin1(GetParam().folder) + QStringLiteral("/prodotti.txt"))),
              CCatalogueJob::Done)
        << job->Error().toStdString();
    const Texts first = LanguageRow(Product(QStringLiteral("ID"), QStringLiteral("C001")).toInt());
    EXPECT_EQ(first.nome, QStringLiteral("Caffè all’€uro"));
    EXPECT_EQ(first.breve, QStringLiteral("Crème brûlée"));
    EXPECT_EQ(first.prezzo[0], 2.5);
    const Texts second = LanguageRow(Product(QStringLiteral("ID"), QStringLiteral("C002")).toInt());
    EXPECT_EQ(second.nome, QStringLiteral("Perché sì"));
    EXPECT_EQ(second.breve, QStringLiteral("Àncora"));
    EXPECT_EQ(second.prezzo[0], 3.1);
}

INSTANTIATE_TEST_SUITE_P(Encodings, ImportEncodingTest,
    ::testing::Values(EncodingCase{"Utf8", "utf8"}, EncodingCase{"Windows1252", "cp1252"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

TEST_F(ImportDatiTest, MalformedLineStopsWithItsNumberAndChangesNothing)
{
    const QByteArray before = f.DatabaseBytes();
    ui.goOn = false;
    EXPECT_EQ(Run(CatalogueFixture::DataFile(QStringLiteral("malformed/prodotti.txt"))), CCatalogueJob::Failed);
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_TRUE(ui.asked.first().startsWith(QStringLiteral("ERRORE durante l'operazione alla linea 2.\n")))
        << ui.asked.first().toStdString();
    EXPECT_TRUE(ui.asked.first().contains(QStringLiteral("Prezzo 1")));
    EXPECT_EQ(job->Error(), ui.asked.first());
    EXPECT_EQ(f.DatabaseBytes(), before);
    EXPECT_FALSE(TempLeft());
}

TEST_F(ImportDatiTest, MalformedLineSkippedWhenTheMerchantGoesOnAndNothingIsObsolete)
{
    f.AddProduct(9, QStringLiteral("M002"));   // the product of the bad line
    f.AddProduct(10, QStringLiteral("VECCHIO"));
    ui.goOn = true;
    EXPECT_EQ(Run(CatalogueFixture::DataFile(QStringLiteral("malformed/prodotti.txt")),
                  CImportDatiParser::DefaultFields(), CImportDati::Obsolete::Delete),
              CCatalogueJob::Done);
    EXPECT_EQ(job->ImportedLines(), 2);
    EXPECT_EQ(job->SkippedLines(), 1);
    EXPECT_EQ(job->ObsoleteProducts(), 0);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 4);
    EXPECT_FALSE(Product(QStringLiteral("ID"), QStringLiteral("M003")).isNull());
}

TEST_F(ImportDatiTest, UnknownCategoryIsABadLine)
{
    const QByteArray before = f.DatabaseBytes();
    const QString path = WriteFile("3|K1|Uno|b|1|22\n99|K2|Due|b|1|22\n");
    EXPECT_EQ(Run(path), CCatalogueJob::Failed);
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_EQ(ui.asked.first(), QStringLiteral("Categoria prodotto errata alla linea 2.\n"));
    EXPECT_EQ(f.DatabaseBytes(), before);
}

TEST_F(ImportDatiTest, DatabaseFailureIsReportedAndChangesNothing)
{
    f.Db().Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CategorieProdotti "
                                  "BEGIN SELECT RAISE(ABORT, 'collegamento rifiutato'); END"));
    const QByteArray before = f.DatabaseBytes();
    EXPECT_EQ(Run(CatalogueFixture::DataFile(QStringLiteral("updates/prodotti.txt"))), CCatalogueJob::Failed);
    EXPECT_TRUE(job->Error().contains(QStringLiteral("collegamento rifiutato"))) << job->Error().toStdString();
    EXPECT_EQ(f.DatabaseBytes(), before);
    EXPECT_FALSE(TempLeft());
    EXPECT_FALSE(IsAlertUpd(f.Folder() + QLatin1Char('/')));
}

TEST_F(ImportDatiTest, CancelLeavesTheDatabaseAsItWas)
{
    f.AddProduct(10, QStringLiteral("VECCHIO"));
    f.ClearModified();
    QByteArray lines;
    for (int i = 1; i <= 50; ++i)
        lines += QStringLiteral("3|X%1|Nome %1|b|1.5|22\n").arg(i).toUtf8();
    const QString path = WriteFile(lines);
    const QByteArray before = f.DatabaseBytes();
    progress.onDone = [this](int done) {
        if (done == 20)
            job->RequestStop();
    };
    EXPECT_EQ(Run(path, CImportDatiParser::DefaultFields(), CImportDati::Obsolete::Delete), CCatalogueJob::Cancelled);
    EXPECT_EQ(f.DatabaseBytes(), before);
    EXPECT_FALSE(TempLeft());
    EXPECT_EQ(progress.totals.value(0), 50);
    EXPECT_FALSE(IsAlertUpd(f.Folder() + QLatin1Char('/')));
}

struct ObsoleteCase
{
    const char* name;
    CImportDati::Obsolete mode;
    int productsLeft;
    int activeOld;     // Attivo of the product the file no longer lists
    int logged;        // RecordsEliminati rows for it
};

class ImportObsoleteTest : public ImportDatiTest, public ::testing::WithParamInterface<ObsoleteCase>
{
};

TEST_P(ImportObsoleteTest, ProductsTheFileNoLongerListsAreHandled)
{
    const ObsoleteCase& c = GetParam();
    f.AddProduct(10, QStringLiteral("VECCHIO"));
    f.AddProductLanguage(100, 10, QStringLiteral("it"), 1.0);
    f.AddLink(1000, 3, 10);
    f.AddProduct(11, QStringLiteral("IN ATTESA"), 0, true);   // a change not yet uploaded is kept
    f.ClearModified();
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET Modificato=1 WHERE ID=11"));
    const QString picture = f.Folder() + QStringLiteral("/website/images/prodotti/10.jpg");
    const QString thumb = f.Folder() + QStringLiteral("/website/images/prodotti/th/10.jpg");
    const QString other = f.Folder() + QStringLiteral("/website/images/prodotti/100.jpg");
    for (const QString& file : {picture, thumb, other}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    }

    ASSERT_EQ(Run(WriteFile("3|NUOVO|Nuovo|b|1|22\n"), CImportDatiParser::DefaultFields(), c.mode), CCatalogueJob::Done)
        << job->Error().toStdString();

    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), c.productsLeft);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID=11")).toInt(), 1);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND IDRecord=10"))
                  .toInt(),
              c.logged);
    const bool deleted = c.mode == CImportDati::Obsolete::Delete;
    if (!deleted) {
        EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Attivo FROM Prodotti WHERE ID=10")).toInt(), c.activeOld);
    }
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=10")).toInt(), deleted ? 0 : 1);
    EXPECT_EQ(QFileInfo::exists(picture), !deleted);
    EXPECT_EQ(QFileInfo::exists(thumb), !deleted);
    EXPECT_TRUE(QFileInfo::exists(other));
}

INSTANTIATE_TEST_SUITE_P(Modes, ImportObsoleteTest,
    ::testing::Values(ObsoleteCase{"Keep", CImportDati::Obsolete::Keep, 3, 1, 0},
                      ObsoleteCase{"Deactivate", CImportDati::Obsolete::Deactivate, 3, 0, 0},
                      // Logged once, by the table class's own delete.
                      ObsoleteCase{"Delete", CImportDati::Obsolete::Delete, 2, 0, 1}),
    [](const ::testing::TestParamInfo<ObsoleteCase>& info) { return std::string(info.param.name); });

// An imported product carries its search words as the card writes them,
// one row per product and language, rewritten by the next import.
TEST_F(ImportDatiTest, ImportedProductsGetTheirSearchWords)
{
    ASSERT_EQ(Run(WriteFile("3|A1|Sedia Rossa|b|1|22\n")), CCatalogueJob::Done) << job->Error().toStdString();
    const qint32 id = Product(QStringLiteral("ID"), QStringLiteral("A1")).toInt();
    const QString sql = QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE Tipo=1 AND IDRecord=? AND CodiceLingua='it'");
    EXPECT_EQ(f.Scalar(sql, {id}).toString(), QStringLiteral("A1/sedia rossa"));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Modificato FROM ParoleChiave WHERE IDRecord=?"), {id}).toInt(), 1);

    ASSERT_EQ(Run(WriteFile("3|a1|Sedia Blu|b|1|22\n")), CCatalogueJob::Done) << job->Error().toStdString();
    EXPECT_EQ(f.Scalar(sql, {id}).toString(), QStringLiteral("a1/sedia blu"));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM ParoleChiave")).toInt(), 1);
}

// A merchant's file names "art-0001" for the product "ART-0001": it is the
// same product, updated, not a second one.
TEST_F(ImportDatiTest, ACodeInAnotherCaseIsTheSameProduct)
{
    f.AddProduct(10, QStringLiteral("ART-0001"));
    f.AddProductLanguage(100, 10, QStringLiteral("it"), 1.0, QStringLiteral("Vecchio nome"));
    f.AddLink(1000, 3, 10);
    ASSERT_EQ(Run(WriteFile("4|art-0001|Nuovo nome|b|1|22\n3|Art-0002|Altro|b|1|22\n3|ART-0002|Altro bis|b|1|22\n")),
              CCatalogueJob::Done)
        << job->Error().toStdString();
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 2);
    EXPECT_EQ(LanguageRow(10).nome, QStringLiteral("Nuovo nome"));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=10")).toInt(), 4);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID<>10")).toInt(), 1);
}

struct VariantCase
{
    const char* name;
    CImportDati::Obsolete mode;
    int variantOfListed;     // rows left of product 12, the variant of the listed product 10
    int activeVariant;       // its Attivo
    int obsoleteFamily;      // rows left of 20 and its variant 21
};

void PrintTo(const VariantCase& c, std::ostream* os)
{
    *os << c.name;
}

class ImportVariantsTest : public ImportDatiTest, public ::testing::WithParamInterface<VariantCase>
{
};

// A text file cannot list variants: a variant goes or is switched off only
// with its base product.
TEST_P(ImportVariantsTest, AVariantFollowsItsBaseProduct)
{
    const VariantCase& c = GetParam();
    f.AddProduct(10, QStringLiteral("BASE"));
    f.AddProduct(12, QStringLiteral("BASE-R"));
    f.AddProduct(20, QStringLiteral("VECCHIO"));
    f.AddProduct(21, QStringLiteral("VECCHIO-R"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IDProdottoBase=10 WHERE ID=12"));
    f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IDProdottoBase=20 WHERE ID=21"));
    f.ClearModified();

    ASSERT_EQ(Run(WriteFile("3|BASE|Base|b|1|22\n"), CImportDatiParser::DefaultFields(), c.mode), CCatalogueJob::Done)
        << job->Error().toStdString();
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID=12")).toInt(), c.variantOfListed);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Attivo FROM Prodotti WHERE ID=12")).toInt(), c.activeVariant);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID IN (20, 21)")).toInt(), c.obsoleteFamily);
    if (c.obsoleteFamily > 0)
        EXPECT_EQ(f.Scalar(QStringLiteral("SELECT SUM(Attivo) FROM Prodotti WHERE ID IN (20, 21)")).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, ImportVariantsTest,
    ::testing::Values(VariantCase{"Deactivate", CImportDati::Obsolete::Deactivate, 1, 1, 2},
                      VariantCase{"Delete", CImportDati::Obsolete::Delete, 1, 1, 0}),
    [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

TEST_F(ImportDatiTest, FilesOfObsoleteProductsStayWhenTheRunIsCancelled)
{
    f.AddProduct(10, QStringLiteral("VECCHIO"));
    f.ClearModified();
    const QString picture = f.Folder() + QStringLiteral("/website/images/prodotti/10.jpg");
    {
        QFile out(picture);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    }
    // Stop once the first obsolete product is gone from the copy.
    progress.onDone = [this](int done) {
        if (done == 1 && progress.labels.last().startsWith(QStringLiteral("Gestione prodotti obsoleti")))
            job->RequestStop();
    };
    f.Db().Execute(QStringLiteral("INSERT INTO Prodotti (ID, Codice) VALUES (12, 'ALTRO')"));
    f.ClearModified();
    EXPECT_EQ(Run(WriteFile("3|NUOVO|Nuovo|b|1|22\n"), CImportDatiParser::DefaultFields(), CImportDati::Obsolete::Delete),
              CCatalogueJob::Cancelled);
    EXPECT_TRUE(QFileInfo::exists(picture));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 2);
}

TEST_F(ImportDatiTest, EliminaWithEveryProductInTheFileDeletesNothing)
{
    f.AddProduct(7, QStringLiteral("U001"));
    f.ClearModified();
    ASSERT_EQ(Run(WriteFile("3|U001|Uno|b|1|22\n"), CImportDatiParser::DefaultFields(), CImportDati::Obsolete::Delete),
              CCatalogueJob::Done);
    EXPECT_EQ(job->ObsoleteProducts(), 0);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti")).toInt(), 1);
}

TEST_F(ImportDatiTest, ProgressCountsEveryLine)
{
    ASSERT_EQ(Run(CatalogueFixture::DataFile(QStringLiteral("updates/prodotti.txt"))), CCatalogueJob::Done);
    EXPECT_EQ(progress.totals, QList<int>{3});
    EXPECT_EQ(progress.lastDone, 3);
    EXPECT_TRUE(progress.labels.contains(QStringLiteral("Import linea 3 / 3 in corso...")));
}

TEST_F(ImportDatiTest, EmptyFileImportsNothingAndCountsZero)
{
    ASSERT_EQ(Run(WriteFile("")), CCatalogueJob::Done);
    EXPECT_EQ(progress.totals, QList<int>{0});
    EXPECT_EQ(progress.lastDone, 0);
}

TEST_F(ImportDatiTest, AnIdHandedOutOnceIsNeverHandedOutAgain)
{
    ASSERT_EQ(Run(WriteFile("3|PRIMO|Uno|b|1|22\n")), CCatalogueJob::Done);
    const qint32 first = Product(QStringLiteral("ID"), QStringLiteral("PRIMO")).toInt();
    f.Db().Execute(QStringLiteral("DELETE FROM Prodotti"));
    ASSERT_EQ(Run(WriteFile("3|SECONDO|Due|b|1|22\n")), CCatalogueJob::Done);
    EXPECT_GT(Product(QStringLiteral("ID"), QStringLiteral("SECONDO")).toInt(), first);
}

TEST_F(ImportDatiTest, MissingFileFails)
{
    EXPECT_EQ(Run(f.Folder() + QStringLiteral("/nessuno.txt")), CCatalogueJob::Failed);
    EXPECT_TRUE(job->Error().contains(QStringLiteral("nessuno.txt")));
}

} // namespace
