#include "exchange/scripts/CScriptEx.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoStatement.h"
#include "platform/testing/QtPrinters.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/IQtrHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlQuery>

#include <stdexcept>

namespace {

// QTR on a project database, called as a script would.
class ScriptObject : public testing::Test, public IQtrHost
{
protected:
    void SetUp() override
    {
        db.Open(project.Database());
        QtrSetHost(this);
        qtr = std::make_unique<CScriptEx>(&db, project.Exchange(), project.Folder());
    }
    void TearDown() override
    {
        qtr.reset();
        QtrSetHost(nullptr);
        db.Close();
    }
    CDaoDatabase* GetProjectDatabase() override { return &db; }
    QString GetProjectFolder() override { return project.Folder() + "/"; }

    QVariant Value(const QString& sql)
    {
        QSqlQuery query(db.Connection());
        query.exec(sql);
        return query.next() ? query.value(0) : QVariant();
    }
    void WriteExchangeFile(const QString& name, const QByteArray& content, const QDateTime& stamp)
    {
        QFile file(project.Exchange() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.flush();
        file.setFileTime(stamp, QFileDevice::FileModificationTime);
    }

    ExchangeProject project;
    CDaoDatabase db;
    std::unique_ptr<CScriptEx> qtr;
};

TEST_F(ScriptObject, NewRowsTakeDesktopIdsAndFoundRowsAreChangedInPlace)
{
    qtr->ApriTabella("Categorie");
    qtr->ImpostaCampo("Codice", "A");
    const qint32 first = qtr->ModificaRecord("Codice=?", {"A"});
    qtr->ImpostaCampo("Codice", "B");
    const qint32 second = qtr->ModificaRecord("Codice=?", {"B"});
    EXPECT_EQ(second, first + 1);
    EXPECT_LT(second, 1000000000);
    EXPECT_EQ(Value(QString("SELECT Ordine FROM Categorie WHERE ID=%1").arg(first)).toInt(), first);
    // A code with a quote is bound, not spliced.
    qtr->ImpostaCampo("Codice", "O'Brien");
    const qint32 quoted = qtr->ModificaRecord("Codice=?", {"O'Brien"});
    qtr->ImpostaCampo("IDEsterno", "X-1");
    EXPECT_EQ(qtr->ModificaRecord("Codice=?", {"O'Brien"}), quoted);
    EXPECT_EQ(qtr->IDEsterno2ID("Categorie", "X-1"), quoted);
    EXPECT_EQ(qtr->ID2IDEsterno("Categorie", quoted), "X-1");
    EXPECT_EQ(Value(QString("SELECT Modificato FROM Categorie WHERE ID=%1").arg(quoted)).toInt(), 1);
}

// A script finds its product or category by code among thousands: the
// statement its criteria become looks the code up in the index, not row
// by row.
TEST_F(ScriptObject, ALookupByCodeUsesTheIndex)
{
    for (const QString table : {QStringLiteral("Prodotti"), QStringLiteral("Categorie")}) {
        const CDaoStatement statement("SELECT * FROM " + table, "Codice=?", QString());
        QSqlQuery plan(db.Connection());
        ASSERT_TRUE(plan.prepare("EXPLAIN QUERY PLAN " + statement.Select()));
        plan.addBindValue("P1");
        ASSERT_TRUE(plan.exec());
        QString steps;
        while (plan.next())
            steps += plan.value(3).toString() + "\n";
        EXPECT_TRUE(steps.contains("USING INDEX ix_" + table + "_Codice")) << steps.toStdString();
    }
}

// An import script's criteria and outside IDs find a product or category
// whatever the case its source system writes the code in.
TEST_F(ScriptObject, CriteriaFindCodesWhateverTheirCase)
{
    qtr->ApriTabella("Prodotti");
    qtr->ImpostaCampo("Codice", "ART-0001");
    qtr->ImpostaCampo("IDEsterno", "EXT-1");
    const qint32 id = qtr->ModificaRecord("Codice=?", {"ART-0001"});
    qtr->ImpostaCampo("Peso", "2");
    EXPECT_EQ(qtr->ModificaRecord("Codice=?", {"art-0001"}), id);
    EXPECT_EQ(qtr->ModificaRecord("Codice='Art-0001'"), id);
    EXPECT_EQ(qtr->IDEsterno2ID("Prodotti", "ext-1"), id);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Prodotti").toInt(), 1);
}

TEST_F(ScriptObject, EncipheredColumnsAreEncipheredInTheFileAndPlainToTheScript)
{
    qtr->ApriTabella("CategorieLingue");
    qtr->ImpostaCampo("IDCategoria", "7");
    qtr->ImpostaCampo("CodiceLingua", "it");
    qtr->ImpostaCampo("Nome", "Sedie e poltrone");
    const qint32 id = qtr->ModificaRecord("");
    const QString stored = Value(QString("SELECT Nome FROM CategorieLingue WHERE ID=%1").arg(id)).toString();
    EXPECT_NE(stored, "Sedie e poltrone");
    EXPECT_EQ(Decrypt(stored), "Sedie e poltrone");
    EXPECT_TRUE(qtr->SelezionaRecord("ID=?", {id}));
    EXPECT_EQ(qtr->ValoreCampo("Nome"), "Sedie e poltrone");
    EXPECT_EQ(qtr->ValoreCampoTabella("CategorieLingue", "Nome", "IDCategoria=?", {7}), "Sedie e poltrone");
}

TEST_F(ScriptObject, UnknownTablesColumnsAndBadValuesAreErrors)
{
    EXPECT_THROW(qtr->ApriTabella("Prodotti; DROP TABLE Prodotti"), std::invalid_argument);
    qtr->ApriTabella("Prodotti");
    EXPECT_THROW(qtr->ImpostaCampo("NonEsiste", "1"), std::invalid_argument);
    EXPECT_THROW(qtr->ImpostaCampo("IVA", "ventidue"), std::invalid_argument);
    EXPECT_THROW(qtr->ImpostaCampoCustom("Colore|Taglia", "x"), std::invalid_argument);
    EXPECT_THROW(qtr->ScriviFileExport("../fuori.txt", "x"), std::invalid_argument);
}

TEST_F(ScriptObject, ExchangeFilesAreReadOldestFirstAndOnlyNotedAsRead)
{
    const QDateTime now = QDateTime::currentDateTime();
    WriteExchangeFile("gnuovo.txt", "C\n", now);
    WriteExchangeFile("gvecchio.txt", "A\nB\n", now.addSecs(-60));
    WriteExchangeFile("gvuoto.txt", "", now);
    WriteExchangeFile("altro.txt", "Z\n", now);
    ASSERT_TRUE(qtr->InizializzaFiles());
    EXPECT_EQ(qtr->Files().LinesCounted(), 3);
    EXPECT_EQ(qtr->LeggiRecord(), "A");
    EXPECT_EQ(qtr->LeggiRecord(), "B");
    EXPECT_EQ(qtr->LeggiRecord(), "C");
    EXPECT_EQ(qtr->LeggiRecord(), "");
    EXPECT_EQ(qtr->Files().LinesRead(), 3);
    // Nothing is removed until the import that read them is in place.
    EXPECT_TRUE(QFile::exists(project.Exchange() + "/gvecchio.txt"));
    EXPECT_EQ(qtr->Files().Consumed().size(), 3);
    qtr->Files().RemoveConsumed();
    EXPECT_FALSE(QFile::exists(project.Exchange() + "/gvecchio.txt"));
    EXPECT_FALSE(QFile::exists(project.Exchange() + "/gvuoto.txt"));
    EXPECT_TRUE(QFile::exists(project.Exchange() + "/altro.txt"));
}

TEST_F(ScriptObject, AProductPictureIsScaledSavedAndMarkedForTheUpload)
{
    db.Execute("UPDATE Configurazione SET DimFoto=120, DimThumbnail=40");
    db.Execute("INSERT INTO Prodotti (ID, Codice, ModificataFoto) VALUES (5, 'P5', 0)");
    QImage source(300, 150, QImage::Format_RGB32);
    source.fill(Qt::blue);
    const QString path = project.Exchange() + "/foto.png";
    ASSERT_TRUE(source.save(path));
    qtr->ImportaFotoProdotto(5, "  " + path + "  ");
    const QImage photo(project.Folder() + "/website/images/prodotti/5.jpg");
    const QImage thumbnail(project.Folder() + "/website/images/prodotti/th/5.jpg");
    EXPECT_EQ(photo.size(), QSize(120, 60));
    EXPECT_EQ(thumbnail.size(), QSize(40, 20));
    EXPECT_EQ(Value("SELECT ModificataFoto FROM Prodotti WHERE ID=5").toInt(), 1);
    // A missing file does nothing.
    EXPECT_NO_THROW(qtr->ImportaFotoProdotto(5, project.Exchange() + "/manca.jpg"));
}

TEST_F(ScriptObject, DeletingAProductTakesItsRowsAndLogsTheDeletion)
{
    db.Execute("INSERT INTO Prodotti (ID, Codice) VALUES (9, 'P9')");
    db.Execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua) VALUES (90, 9, 'it')");
    qtr->EliminaRecord("Prodotti", "Codice=?", {"P9"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Prodotti WHERE ID=9").toInt(), 0);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=9").toInt(), 0);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Prodotti' AND IDRecord=9").toInt(), 1);
}

} // namespace
