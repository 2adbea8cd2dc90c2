#include "exchange/CScriptSlot.h"
#include "exchange/CScriptedImport.h"
#include "exchange/QtrUpdDatiState.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/testing/QtPrinters.h"
#include "platform/utilities/QtrCipher.h"
#include "platform/utilities/QtrUtilities.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QThread>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

CScriptedImport::Result Import(const ExchangeProject& project)
{
    CScriptedImport job;
    job.InitVarImport(nullptr, project.Folder());
    job.StartImport();
    return job.LastResult();
}

QString ImportLog(const ExchangeProject& project)
{
    QFile log(project.Folder() + "/qtrimp.log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

TEST(ScriptedImport, TheSampleFileThroughTheSampleScriptMakesProductsPricesAndCategories)
{
    ExchangeProject project;
    project.CopySample("import.js", project.Folder() + "/scripts/import.js");
    project.CopySample("gprodotti.txt", project.Exchange() + "/gprodotti.txt");
    ASSERT_EQ(Import(project), CScriptedImport::Result::Done) << ImportLog(project).toStdString();

    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Prodotti").toInt(), 3);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Categorie").toInt(), 2);
    const QVariant tavolo = project.Value("SELECT ID FROM Prodotti WHERE Codice='TAV01'");
    EXPECT_LT(tavolo.toLongLong(), 1000000000);
    EXPECT_EQ(project.Value("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=?", {tavolo}).toDouble(), 1250.0);
    EXPECT_EQ(project.Value("SELECT Prezzo FROM ProdottiLingue p JOIN Prodotti q ON q.ID=p.IDProdotto "
                            "WHERE q.Codice='SEDIA01'").toDouble(), 89.9);
    // Enciphered in the file, plain to the script and to the table classes.
    const QString stored = project.Value("SELECT Nome FROM ProdottiLingue WHERE IDProdotto=?", {tavolo}).toString();
    EXPECT_NE(stored, "Tavolo l'Ovale");
    EXPECT_EQ(Decrypt(stored), "Tavolo l'Ovale");
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM CategorieProdotti").toInt(), 3);
    EXPECT_EQ(project.Value("SELECT Modificato FROM Prodotti WHERE ID=?", {tavolo}).toInt(), 1);
    EXPECT_TRUE(project.Value("SELECT Keywords FROM ParoleChiave WHERE Tipo=1 AND IDRecord=?", {tavolo})
                    .toString().contains("TAV01"));
    // The data file goes once the database holds it.
    EXPECT_FALSE(QFile::exists(project.Exchange() + "/gprodotti.txt"));

    // The same file again updates the same rows.
    project.CopySample("gprodotti.txt", project.Exchange() + "/gprodotti.txt");
    ASSERT_EQ(Import(project), CScriptedImport::Result::Done);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Prodotti").toInt(), 3);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM CategorieProdotti").toInt(), 3);
}

TEST(ScriptedImport, ABrokenScriptIsReportedWithItsLineAndImportsNothing)
{
    ExchangeProject project;
    project.CopySample("gprodotti.txt", project.Exchange() + "/gprodotti.txt");
    project.WriteScript("import.js", "function ApriSessioneImport() { return QTR.InizializzaFiles(); }\n"
                                     "function ImportaRecord() {\n"
                                     "    QTR.ApriTabella(\"Prodotti\");\n"
                                     "    QTR.ImpostaCampo(\"Codice\", QTR.LeggiRecord());\n"
                                     "    QTR.ImpostaCampo(\"IVA\", \"ventidue\");\n"
                                     "    QTR.ModificaRecord(\"\");\n"
                                     "    return true;\n"
                                     "}\n");
    const QByteArray before = project.DatabaseBytes();
    EXPECT_EQ(Import(project), CScriptedImport::Result::Failed);
    EXPECT_TRUE(ImportLog(project).contains("ventidue")) << ImportLog(project).toStdString();
    EXPECT_TRUE(ImportLog(project).contains("Errore alla riga 5")) << ImportLog(project).toStdString();
    EXPECT_EQ(project.DatabaseBytes(), before);
    EXPECT_TRUE(QFile::exists(project.Exchange() + "/gprodotti.txt"));
    EXPECT_FALSE(QFile::exists(project.Folder() + "/db/tempdb.mdb"));
}

TEST(ScriptedImport, AScriptThatLoopsIsStoppedByCancelAndChangesNothing)
{
    ExchangeProject project;
    project.CopySample("gprodotti.txt", project.Exchange() + "/gprodotti.txt");
    project.WriteScript("import.js", "function ApriSessioneImport() { return QTR.InizializzaFiles(); }\n"
                                     "function ImportaRecord() { QTR.ApriTabella('Prodotti'); QTR.ModificaRecord(''); "
                                     "while (true) {} }\n");
    const QByteArray before = project.DatabaseBytes();
    CScriptedImport job;
    job.InitVarImport(nullptr, project.Folder());
    std::thread worker([&] { job.StartImport(); });
    QThread::msleep(300);
    job.Cancel();
    worker.join();
    EXPECT_EQ(job.LastResult(), CScriptedImport::Result::Cancelled);
    EXPECT_EQ(project.DatabaseBytes(), before);
    EXPECT_TRUE(QFile::exists(project.Exchange() + "/gprodotti.txt"));
}

TEST(ScriptedImport, AnImportThatOpensNoSessionKeepsTheDatabaseAndSaysSo)
{
    ExchangeProject project;
    project.WriteScript("import.js", "function ApriSessioneImport() { return QTR.InizializzaFiles(); }\n");
    const QByteArray before = project.DatabaseBytes();
    EXPECT_EQ(Import(project), CScriptedImport::Result::NothingImported);
    EXPECT_EQ(project.DatabaseBytes(), before);
    EXPECT_TRUE(ImportLog(project).contains("Nessun dato importato."));
}

TEST(ScriptedImport, WithoutPathIniOrScriptNothingHappensOrItIsSaid)
{
    ExchangeProject project;
    QFile::remove(project.Folder() + "/path.ini");
    EXPECT_EQ(Import(project), CScriptedImport::Result::NothingToDo);
    EXPECT_TRUE(ImportLog(project).isEmpty());

    ExchangeProject noScript;
    EXPECT_EQ(Import(noScript), CScriptedImport::Result::Failed);
    EXPECT_TRUE(ImportLog(noScript).contains("Impossibile trovare file import.js"));
}

// A script deletes product 5, which has a picture; the import then ends
// well or fails.
struct DeletionCase
{
    const char* name;
    const char* after;   // the script's last steps
    CScriptedImport::Result result;
    bool pictureKept;
};

void PrintTo(const DeletionCase& c, std::ostream* os) { *os << c.name; }

class ScriptedImportDeletion : public ::testing::TestWithParam<DeletionCase>
{
};

TEST_P(ScriptedImportDeletion, ThePictureGoesOnlyWithTheSwappedInDatabase)
{
    ExchangeProject project;
    project.Value("INSERT INTO Prodotti (ID, Codice) VALUES (5, 'P5')");
    const QString picture = project.Folder() + "/website/images/prodotti/5.jpg";
    QDir().mkpath(QFileInfo(picture).path());
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    project.WriteScript("import.js", QByteArray("function ApriSessioneImport() { return true; }\n"
                                                "function ImportaRecord() {\n"
                                                "    QTR.EliminaRecord(\"Prodotti\", \"ID=?\", [5]);\n")
                                         + GetParam().after + "}\n");

    EXPECT_EQ(Import(project), GetParam().result) << ImportLog(project).toStdString();
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Prodotti WHERE ID=5").toInt(), GetParam().pictureKept ? 1 : 0);
    EXPECT_EQ(QFile::exists(picture), GetParam().pictureKept);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScriptedImportDeletion,
    ::testing::Values(DeletionCase{"Imported", "    return false;\n", CScriptedImport::Result::Done, false},
                      DeletionCase{"ScriptFailsAfterTheDeletion",
                                   "    QTR.ApriTabella(\"Prodotti\");\n"
                                   "    QTR.ImpostaCampo(\"IVA\", \"ventidue\");\n"
                                   "    return false;\n",
                                   CScriptedImport::Result::Failed, true}),
    [](const ::testing::TestParamInfo<DeletionCase>& info) { return std::string(info.param.name); });

// A script imports a new picture for product 5, which has one, and then the
// run ends well or fails: the picture, its upload flag and the site-update
// marker change together with the database, or not at all.
struct PictureCase
{
    const char* name;
    const char* after;   // the script's last steps
    CScriptedImport::Result result;
    bool replaced;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class ScriptedImportPicture : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(ScriptedImportPicture, PicturesAndTheSiteMarkerChangeOnlyWithTheSwappedInDatabase)
{
    ExchangeProject project;
    project.Value("INSERT INTO Prodotti (ID, Codice, ModificataFoto) VALUES (5, 'P5', 0)");
    const QString picture = project.Folder() + "/website/images/prodotti/5.jpg";
    QDir().mkpath(QFileInfo(picture).path() + "/th");
    QFile old(picture);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vecchia");
    old.close();
    DeleteAlertUpd(project.Folder());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString source = project.Exchange() + "/nuova.png";
    ASSERT_TRUE(image.save(source));
    project.WriteScript("import.js", QByteArray("function ApriSessioneImport() { return true; }\n"
                                                "function ImportaRecord() {\n"
                                                "    QTR.ImportaFotoProdotto(5, \"")
                                         + source.toUtf8() + "\");\n" + GetParam().after + "}\n");

    EXPECT_EQ(Import(project), GetParam().result) << ImportLog(project).toStdString();

    QFile now(picture);
    ASSERT_TRUE(now.open(QIODevice::ReadOnly));
    EXPECT_EQ(now.readAll() != "vecchia", GetParam().replaced);
    EXPECT_EQ(project.Value("SELECT ModificataFoto FROM Prodotti WHERE ID=5").toInt(), GetParam().replaced ? 1 : 0);
    EXPECT_EQ(IsAlertUpd(project.Folder()), GetParam().replaced);
    EXPECT_EQ(QDir(QFileInfo(picture).path()).entryList({"*.nuovo"}, QDir::Files), QStringList());
    EXPECT_EQ(QFileInfo::exists(project.Folder() + "/website/images/prodotti/th/5.jpg"), GetParam().replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScriptedImportPicture,
    ::testing::Values(PictureCase{"Imported", "    return false;\n", CScriptedImport::Result::Done, true},
                      PictureCase{"ScriptFailsAfterThePicture",
                                  "    QTR.ApriTabella(\"Prodotti\");\n"
                                  "    QTR.ImpostaCampo(\"IVA\", \"ventidue\");\n"
                                  "    return false;\n",
                                  CScriptedImport::Result::Failed, false}),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

// A cancel that is interrupting the script when the run takes the script
// out of its slot: the script must outlive the interrupt. Here the
// interrupt takes its time; the run's thread leaves the slot and then
// destroys what the interrupt uses.
TEST(ScriptSlot, LeavingTheSlotWaitsForAnInterruptInProgress)
{
    CScriptSlot slot;
    std::mutex mutex;
    std::condition_variable changed;
    bool interrupting = false;
    bool left = false;
    QStringList order;
    auto holder = std::make_unique<CScriptSlot::Holder>(slot, [&] {
        std::unique_lock<std::mutex> lock(mutex);
        interrupting = true;
        changed.notify_all();
        // Long enough for a run that does not wait to leave meanwhile.
        changed.wait_for(lock, std::chrono::milliseconds(300), [&] { return left; });
        order << "interrotto";
    });
    std::thread cancel([&] { slot.Interrupt(); });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return interrupting; });
    }
    holder.reset();   // the run leaves the slot, then its script goes
    {
        std::lock_guard<std::mutex> lock(mutex);
        order << "uscito";
        left = true;
        changed.notify_all();
    }
    cancel.join();
    EXPECT_EQ(order, QStringList({"interrotto", "uscito"}));
    EXPECT_TRUE(slot.Interrupted());
}

} // namespace
