#include "desktop/publishing/templateupload/CTemplateUpload.h"
#include "recordset/sync/CSyncFileBody.h"
#include "tests/road/RoadCutProxy.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"
#include "tests/road/RoadUploadWatcher.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrlQuery>

#include <atomic>

namespace {

using Watcher = RoadUploadWatcher;

// The template upload as the dialog runs it, through a proxy that records
// every request and can cut one.
class TemplateUploadRoad : public testing::Test
{
protected:
    void SetUp() override
    {
        shop.Start();
        proxy = std::make_unique<RoadCutProxy>(shop.Port());
        project.PointAt(proxy->Port(), "pa&ss=1");
        project.Db().Execute("INSERT INTO Lingue (ID, Codice, Descrizione, IDValuta, Attivo) VALUES (2, 'en', 'Inglese', 1, 1)");
        project.Db().Execute("INSERT INTO Lingue (ID, Codice, Descrizione, IDValuta, Attivo) VALUES (3, 'de', 'Tedesco', 1, 0)");

        Write("website/asp/default.asp", "<% Response.Write('home') %>");
        Write("website/asp/global.asa", "// global");
        Write("website/asp/vuota.asp", "");
        Write("website/asp/sotto/nascosta.asp", "sotto");
        Write("website/images/stile.css", "body{color:#123456}");
        Write("website/images/logo.gif", "GIF89a logo");
        Write("website/images/it/titolo.gif", "GIF89a titolo");
        Write("website/images/it/sotto/x.gif", "GIF89a sotto");
        Write("website/images/en/title.gif", "GIF89a title");
        Write("website/images/de/titel.gif", "GIF89a titel");
        Write("website/images/prodotti/7.jpg", "foto");

        // What the shop had before: its own pages and pictures.
        WriteOnShop("vecchia.asp", "vecchia");
        WriteOnShop("images/vecchio.gif", "vecchio");
        WriteOnShop("images/it/vecchio.gif", "vecchio");
        WriteOnShop("images/prodotti/7.jpg", "foto del negozio");
    }

    void Write(const QString& relative, const QByteArray& content) const
    {
        const QString path = project.Folder() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
    }
    void WriteOnShop(const QString& relative, const QByteArray& content) const
    {
        QDir().mkpath(QFileInfo(shop.ShopFile(relative)).absolutePath());
        QFile file(shop.ShopFile(relative));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
    }
    QByteArray OnShop(const QString& relative) const
    {
        QFile file(shop.ShopFile(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(assente)");
    }
    // A later modification time than the stamps hold: they keep seconds.
    void Touch(const QString& relative, const QByteArray& content) const
    {
        Write(relative, content);
        QFile file(project.Folder() + "/" + relative);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    }
    QByteArray State() const
    {
        QFile file(project.Folder() + "/website/lastupd.qtr");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(assente)");
    }

    CTemplateUpload::Result Upload()
    {
        CTemplateUpload upload(project.Folder());
        upload.Load(&project.Db());
        from = int(proxy->Requests().size());
        watcher = Watcher();
        return upload.Run(&watcher, cancel);
    }

    // The requests of this run to page: "path|name" of each.
    QStringList Posted(const QString& page) const
    {
        QStringList posted;
        const QList<QByteArray>& requests = proxy->Requests();
        for (int i = from; i < requests.size(); ++i) {
            const QByteArray& request = requests[i];
            if (!request.startsWith("POST " + page.toUtf8() + " "))
                continue;
            const QByteArray body = request.mid(request.indexOf("\r\n\r\n") + 4);
            CSyncFileBody::Header header;
            QByteArray piece;
            QString error;
            if (page == "/updatefiles51.asp" && CSyncFileBody::Parse(body, &header, &piece, &error)) {
                posted << header.path + "|" + header.fileName;
                continue;
            }
            const QUrlQuery form(QString::fromUtf8(QByteArray(body).replace('+', ' ')));
            posted << form.queryItemValue("PF_Path", QUrl::FullyDecoded) + "|"
                          + form.queryItemValue("PF_FileName", QUrl::FullyDecoded);
        }
        return posted;
    }

    RoadShop shop;
    RoadProject project;
    std::unique_ptr<RoadCutProxy> proxy;
    std::atomic<bool> cancel{false};
    Watcher watcher;
    int from = 0;
};

const QStringList kEveryFile{"|default.asp", "|global.asa", "images|logo.gif", "images|stile.css",
                             "images\\it|titolo.gif", "images\\en|title.gif"};

TEST_F(TemplateUploadRoad, TheFirstRunEmptiesTheShopThenSendsEveryNonEmptyFileOfTheThreeKindsOfFolder)
{
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();

    EXPECT_EQ(Posted("/emptyhome50.asp"), QStringList{"|"});
    EXPECT_EQ(Posted("/emptyphotofolder50.asp"), QStringList{"images|"});
    EXPECT_EQ(Posted("/updatefiles51.asp"), kEveryFile);
    EXPECT_EQ(Posted("/deletefile50.asp"), QStringList());

    EXPECT_EQ(OnShop("default.asp"), "<% Response.Write('home') %>");
    EXPECT_EQ(OnShop("images/stile.css"), "body{color:#123456}");
    EXPECT_EQ(OnShop("images/it/titolo.gif"), "GIF89a titolo");
    EXPECT_EQ(OnShop("images/en/title.gif"), "GIF89a title");
    // Emptied first, the catalogue's pictures kept.
    EXPECT_FALSE(QFile::exists(shop.ShopFile("vecchia.asp")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/vecchio.gif")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/it/vecchio.gif")));
    EXPECT_EQ(OnShop("images/prodotti/7.jpg"), "foto del negozio");
    EXPECT_TRUE(QFile::exists(shop.ShopDatabase()));
    // Neither empty files nor subfolders nor an inactive language.
    EXPECT_FALSE(QFile::exists(shop.ShopFile("vuota.asp")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("sotto/nascosta.asp")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/it/sotto/x.gif")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/de/titel.gif")));

    const QString state = QString::fromUtf8(State());
    EXPECT_EQ(state.count('\n'), 2 * kEveryFile.size()) << state.toStdString();
    EXPECT_FALSE(state.contains("vuota.asp"));
    EXPECT_FALSE(state.contains("sotto"));
    EXPECT_TRUE(watcher.statuses.contains("Cartella home: aggiornamento pagina 3/3 in corso..."));
    EXPECT_TRUE(watcher.statuses.contains("Cartella Generale: aggiornamento immagine 2/2 in corso..."));
    EXPECT_TRUE(watcher.statuses.contains("Cartella Inglese: aggiornamento immagine 1/1 in corso..."));
}

TEST_F(TemplateUploadRoad, LaterRunsSendOnlyWhatChangedAndDeletionsFollow)
{
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    const QByteArray first = State();

    // Nothing changed: nothing sent, the same stamps written again.
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    EXPECT_EQ(proxy->Requests().size(), from);
    EXPECT_EQ(State(), first);

    Touch("website/asp/default.asp", "<% Response.Write('nuova') %>");
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    EXPECT_EQ(Posted("/updatefiles51.asp"), QStringList{"|default.asp"});
    EXPECT_EQ(Posted("/emptyhome50.asp"), QStringList());
    EXPECT_EQ(OnShop("default.asp"), "<% Response.Write('nuova') %>");

    QFile::remove(project.Folder() + "/website/asp/global.asa");
    QFile::remove(project.Folder() + "/website/images/it/titolo.gif");
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    QStringList deleted = Posted("/deletefile50.asp");
    deleted.sort();
    EXPECT_EQ(deleted, QStringList({"images\\it|titolo.gif", "|global.asa"}));
    EXPECT_EQ(Posted("/updatefiles51.asp"), QStringList());
    EXPECT_FALSE(QFile::exists(shop.ShopFile("global.asa")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/it/titolo.gif")));
    EXPECT_TRUE(QFile::exists(shop.ShopFile("images/en/title.gif")));
    EXPECT_FALSE(State().contains("global.asa"));
    EXPECT_FALSE(State().contains("titolo.gif"));

    // A file emptied since is not sent and keeps its old stamp.
    Touch("website/images/logo.gif", "");
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done);
    EXPECT_EQ(Posted("/updatefiles51.asp"), QStringList());
    EXPECT_EQ(OnShop("images/logo.gif"), "GIF89a logo");
}

// The shop carried out the second file but its answer never came: the run
// fails, the stamps stay as the last complete run left them, and the next
// run sends both changed files again.
TEST_F(TemplateUploadRoad, ALostReplyLeavesTheStampsAsTheyWere)
{
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    const QByteArray before = State();
    Touch("website/asp/default.asp", "home 2");
    Touch("website/images/stile.css", "body{color:#654321}");

    proxy->CutAt(RoadCutProxy::Kind::FirstPiece, 2, RoadCutProxy::Cut::DropReply);
    EXPECT_EQ(Upload(), CTemplateUpload::Result::Failed);
    EXPECT_GE(proxy->Cuts(), 1);   // the client resends once on its own
    EXPECT_EQ(watcher.messages, QStringList{"ERRORE:\n\nImpossibile contattare il server."});
    EXPECT_EQ(State(), before);
    EXPECT_EQ(OnShop("images/stile.css"), "body{color:#654321}");

    proxy->StopCutting();
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    EXPECT_EQ(Posted("/updatefiles51.asp"), QStringList({"|default.asp", "images|stile.css"}));
}

TEST_F(TemplateUploadRoad, ARefusedReplyOrACancelLeavesTheStampsAsTheyWere)
{
    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    const QByteArray before = State();
    Touch("website/asp/default.asp", "home 3");
    QFile::remove(project.Folder() + "/website/images/logo.gif");

    project.PointAt(proxy->Port(), "sbagliata");
    EXPECT_EQ(Upload(), CTemplateUpload::Result::Failed);
    ASSERT_EQ(watcher.messages.size(), 1);
    EXPECT_TRUE(watcher.messages[0].startsWith("ERRORE:\n\n")) << watcher.messages[0].toStdString();
    EXPECT_NE(watcher.messages[0], "ERRORE:\n\nOK");
    EXPECT_EQ(State(), before);
    EXPECT_EQ(OnShop("images/logo.gif"), "GIF89a logo");

    // A file the shop refuses to hold among its pictures.
    project.PointAt(proxy->Port(), "pa&ss=1");
    Write("website/images/copia.mdb", "non un'immagine");
    EXPECT_EQ(Upload(), CTemplateUpload::Result::Failed);
    EXPECT_EQ(State(), before);
    QFile::remove(project.Folder() + "/website/images/copia.mdb");

    // "Annulla" while the first page goes.
    watcher.onStatus = nullptr;
    CTemplateUpload upload(project.Folder());
    upload.Load(&project.Db());
    Watcher pressing;
    pressing.onStatus = [&](const QString&) { cancel = true; };
    EXPECT_EQ(upload.Run(&pressing, cancel), CTemplateUpload::Result::Cancelled);
    EXPECT_EQ(State(), before);
    cancel = false;

    ASSERT_EQ(Upload(), CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    EXPECT_EQ(OnShop("default.asp"), "home 3");
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/logo.gif")));
}

} // namespace
