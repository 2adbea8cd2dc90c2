#include "exchange/COrderDownload.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/testing/QtPrinters.h"
#include "platform/utilities/QtrUtilities.h"
#include "tests/road/RoadCutProxy.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTimer>

namespace {

using Kind = RoadCutProxy::Kind;
using Cut = RoadCutProxy::Cut;

// Orders and a new customer written on the shop, as its pages leave them:
// flagged, in the shop's own ID range; one deletion made on the shop.
class OrderDownloadRoad : public testing::Test
{
protected:
    void SetUp() override
    {
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
        PasswordDwn.clear();
        CodiceLinguaDwn.clear();
        project.Db().Execute("UPDATE Configurazione SET IDStatoRicevuto=1");
        project.Db().Execute("INSERT INTO StatoOrdini (ID) VALUES (1)");
        project.Db().Execute("INSERT INTO StatoOrdiniLingue (ID, IDCodice, CodiceLingua, Testo) VALUES (1, 1, 'it', 'Ricevuto')");
        project.Db().Execute("INSERT INTO Clienti (ID, Cognome) VALUES (40, 'Vecchio')");
        project.WriteExportScript("Cognome");

        shop.Execute("INSERT INTO Clienti (ID, Cognome, Modificato) VALUES (1000000001, 'Rossi', 1)");
        for (int n = 1; n <= 3; ++n) {
            const qint32 order = 1000000010 + n;
            shop.Execute("INSERT INTO Ordini (ID, IDCliente, Cognome, CodiceLingua, Stati, Modificato) "
                         "VALUES (?, 1000000001, 'Rossi', 'it', '', 1)",
                         {order});
            shop.Execute("INSERT INTO OrdiniDettaglio (ID, IDOrdine, CodiceProdotto, Quantita, Prezzo, Modificato) "
                         "VALUES (?, ?, 'SEDIA01', 2, 89.9, 1)",
                         {order + 100, order});
        }
        shop.Execute("INSERT INTO RecordsEliminati (NomeTabella, IDRecord) VALUES ('Clienti', 40)");
    }

    COrderDownload::Result Download(bool stopAfterSwap = false, int stopAfterExports = -1)
    {
        PasswordDwn.clear();
        COrderDownload job;
        job.InitVarDwLoad(nullptr, project.Folder(), &project.Db());
        if (stopAfterSwap)
            job.StopAfterSwapForTest();
        if (stopAfterExports >= 0)
            job.StopAfterExportsForTest(stopAfterExports);
        job.StartDwLoad();
        return job.LastResult();
    }

    QString Log() const
    {
        QFile log(project.Folder() + "/qtrdwn.log");
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    QStringList Exported() const
    {
        QFile file(project.Folder() + "/scambio/esportati.txt");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    int ProjectCount(const QString& sql)
    {
        QSqlQuery query(project.Db().Connection());
        query.exec(sql);
        return query.next() ? query.value(0).toInt() : -1;
    }

    void ExpectEverythingHomeOnce()
    {
        EXPECT_EQ(ProjectCount("SELECT COUNT(*) FROM Ordini"), 3);
        EXPECT_EQ(ProjectCount("SELECT COUNT(*) FROM OrdiniDettaglio"), 3);
        EXPECT_EQ(ProjectCount("SELECT COUNT(*) FROM Clienti WHERE ID=1000000001"), 1);
        EXPECT_EQ(ProjectCount("SELECT COUNT(*) FROM Clienti WHERE ID=40"), 0);
        // One "received" entry per order, closed by "|".
        QSqlQuery stati(project.Db().Connection());
        stati.exec("SELECT Stati FROM Ordini");
        while (stati.next()) {
            const QString history = stati.value(0).toString();
            EXPECT_EQ(history.count("Ricevuto|"), 1) << history.toStdString();
        }
        QStringList exported = Exported();
        exported.sort();
        EXPECT_EQ(exported, (QStringList{"1000000011;Rossi", "1000000012;Rossi", "1000000013;Rossi"}));
        EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Ordini WHERE Modificato=1").toInt(), 0);
        EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Clienti WHERE Modificato=1").toInt(), 0);
        EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM RecordsEliminati").toInt(), 0);
        EXPECT_FALSE(QFile::exists(project.Folder() + "/db/tempdb.mdb"));
        EXPECT_FALSE(QFile::exists(project.Folder() + "/db/conferme"));
    }

    RoadShop shop;
    RoadProject project;
};

struct DownloadCut
{
    const char* name;
    Kind kind;
    Cut cut;
};

void PrintTo(const DownloadCut& c, std::ostream* os) { *os << c.name; }

class OrderDownloadCutRoad : public OrderDownloadRoad, public testing::WithParamInterface<DownloadCut>
{
};

// The download cut through a proxy at each kind of its requests: the run
// fails, and the next one brings everything home once.
TEST_P(OrderDownloadCutRoad, ADownloadCutAtAnyRequestFinishesWhenRunAgain)
{
    RoadCutProxy proxy(shop.Port());
    project.PointAt(proxy.Port(), "pa&ss=1");
    proxy.CutAt(GetParam().kind, 2, GetParam().cut);
    const COrderDownload::Result cutRun = Download();
    proxy.StopCutting();
    ASSERT_GE(proxy.Cuts(), 1) << "the run met its cut";
    EXPECT_EQ(cutRun, COrderDownload::Result::Failed) << Log().toStdString();
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    ExpectEverythingHomeOnce();
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfRequest, OrderDownloadCutRoad,
                         testing::Values(DownloadCut{"Record_DropRequest", Kind::Record, Cut::DropRequest},
                                         DownloadCut{"Record_DropReply", Kind::Record, Cut::DropReply},
                                         DownloadCut{"Record_HalfRequestThenReset", Kind::Record, Cut::HalfRequestThenReset},
                                         DownloadCut{"Confirmation_DropRequest", Kind::Confirmation, Cut::DropRequest},
                                         DownloadCut{"Confirmation_DropReply", Kind::Confirmation, Cut::DropReply},
                                         DownloadCut{"Confirmation_HalfRequestThenReset", Kind::Confirmation,
                                                     Cut::HalfRequestThenReset}),
                         [](const testing::TestParamInfo<DownloadCut>& info) { return std::string(info.param.name); });

TEST_F(OrderDownloadRoad, OrdersComeHomeStampedExportedOnceAndLeaveTheShopsList)
{
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    ExpectEverythingHomeOnce();
    // The order changed on the desktop goes back with the next upload.
    EXPECT_EQ(ProjectCount("SELECT COUNT(*) FROM Ordini WHERE Modificato=1"), 3);

    // Nothing new: a second run brings nothing and exports nothing.
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    ExpectEverythingHomeOnce();
}

TEST_F(OrderDownloadRoad, ARunStoppedBetweenTheRenameAndTheConfirmationsIsFinishedByTheNext)
{
    EXPECT_NE(Download(true), COrderDownload::Result::Done);
    // The database already holds the orders; the shop still offers them.
    EXPECT_EQ(ProjectCount("SELECT COUNT(*) FROM Ordini"), 3);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Ordini WHERE Modificato=1").toInt(), 3);
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    ExpectEverythingHomeOnce();
}

TEST_F(OrderDownloadRoad, ARunCutDuringTheExportExportsOnlyTheRestNextTime)
{
    EXPECT_EQ(Download(false, 1), COrderDownload::Result::Failed);
    ASSERT_EQ(Exported().size(), 1) << "the cut came after the first order's export";
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    ExpectEverythingHomeOnce();
}

// A card payment lands on the shop after its order came down and before
// the run confirmed it. The shop keeps the order marked, the site upload
// leaves it alone (and sends everything else), and the next download
// brings the authorisation home; the upload after that keeps it.
TEST_F(OrderDownloadRoad, APaymentBetweenDownloadAndConfirmationIsNeitherLostNorOverwritten)
{
    EXPECT_NE(Download(true), COrderDownload::Result::Done);
    shop.Execute("UPDATE Ordini SET AutorizzazioneCartaCredito='AUT-1', Modificato=1 WHERE ID=1000000011");
    project.AddProduct(7, "Sedia", 19.99);

    EXPECT_EQ(project.Upload(), CSiteUpload::Result::Partial) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT Codice FROM Prodotti WHERE ID=7").toString(), "P7") << "the others go on";
    EXPECT_EQ(shop.Value("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=1000000011").toString(), "AUT-1");
    EXPECT_TRUE(project.UploadLog().contains("Conflitto: la riga 1000000011 di Ordini")) << project.UploadLog().toStdString();
    EXPECT_EQ(ProjectCount("SELECT Modificato FROM Ordini WHERE ID=1000000011"), 1);
    EXPECT_TRUE(IsAlertUpd(project.Folder())) << "the site still needs an update";

    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    QSqlQuery paid(project.Db().Connection());
    paid.exec("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=1000000011");
    ASSERT_TRUE(paid.next());
    EXPECT_EQ(paid.value(0).toString(), "AUT-1");
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Ordini WHERE Modificato=1").toInt(), 0);

    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=1000000011").toString(), "AUT-1");
    EXPECT_TRUE(shop.Value("SELECT Stati FROM Ordini WHERE ID=1000000011").toString().endsWith("Ricevuto|"));
}

TEST_F(OrderDownloadRoad, AConnectionCutAtAnyStepLosesNothingAndAppliesNothingTwice)
{
    int cutRuns = 0;
    for (int cut : {1, 3, 6, 10, 14, 18}) {
        SCOPED_TRACE(cut);
        int ticks = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (++ticks == cut)
                shop.Stop();
        });
        watch.start(1);
        if (Download() != COrderDownload::Result::Done)
            ++cutRuns;
        watch.stop();
        shop.Start();
    }
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << Log().toStdString();
    ExpectEverythingHomeOnce();
}

} // namespace
