// Two shops in one qtr50d, each synchronised by its own account: what one
// shop's desktop sends, and the pages it uploads, reach that shop only, and
// never its database folder.
#include "server/host/testing/CHttpTestClient.h"
#include "server/host/testing/CQtr50dProcess.h"
#include "platform/password/CPasswordHash.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/sync/CSyncFileBody.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

class HostShopsApart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* shop : {"rosa", "verde"}) {
            QDir().mkpath(temp.FilePath(QStringLiteral("archivi/%1/db").arg(shop)));
            const QString db = temp.FilePath(QStringLiteral("archivi/%1/db/database.mdb").arg(shop));
            ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", db));
            QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
            // The same message code, a different text in each shop.
            const QString text = Encrypt(QString("testo di ") + shop).replace("'", "''");
            Run(db, {"INSERT INTO Dizionario (ID, Codice, Modificato) VALUES (900001, 'SEGRETO', 0)",
                     QString("INSERT INTO DizionarioLingue (ID, CodiceLingua, IDCodice, Testo) VALUES (900001, 'it', 900001, '%1')")
                         .arg(text)});
            temp.WriteFile(QStringLiteral("archivi/%1/default.asp").arg(shop), QByteArray("shop=") + shop);
        }
        QDir().mkpath(temp.FilePath("host/db"));
        const QString password = CPasswordHash::Hash("x");
        Run(temp.FilePath("host/db/database.mdb"),
            {"CREATE TABLE Utenti (CodiceUtente TEXT, Password TEXT, Directory TEXT)",
             QString("INSERT INTO Utenti VALUES ('r1', '%1', 'rosa')").arg(password),
             QString("INSERT INTO Utenti VALUES ('v1', '%1', 'verde')").arg(password)});
        temp.WriteFile("qtr50d.ini", "[server]\nport=0\nthreads=2\n[archives]\npath=archivi\ndb=host/db\n[hosts]\n"
                                     "rosa=www.rosa.test\nverde=www.verde.test\n[logs]\nerror=error.log\n");
        ASSERT_TRUE(server.Start(temp.FilePath("qtr50d.ini")));
    }

    void TearDown() override { EXPECT_EQ(server.Terminate(), 0); }

    static void Run(const QString& file, const QStringList& statements)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "preparazione");
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString& statement : statements)
                ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
        }
        QSqlDatabase::removeDatabase("preparazione");
    }

    // One piece of a file, as rosa's desktop posts it.
    QByteArray Piece(const QString& path, const QString& name, const QByteArray& bytes, qint64 offset, qint64 total)
    {
        CSyncFileBody::Header header;
        header.userCode = "r1";
        header.password = "x";
        header.path = path;
        header.fileName = name;
        header.flagFirst = offset == 0 ? 1 : 0;
        header.offset = offset;
        header.totalBytes = total;
        CHttpTestClient desktop(server.Port());
        const CHttpTestReply reply = desktop.Post("/updatefiles51.asp", "image/pjpeg", CSyncFileBody::Build(header, bytes));
        EXPECT_EQ(reply.status, 200);
        return reply.body;
    }

    QByteArray Form(const QByteArray& page, const QByteArray& fields)
    {
        CHttpTestClient desktop(server.Port());
        const CHttpTestReply reply =
            desktop.Post(page, "application/x-www-form-urlencoded", "PF_UserCode=r1&PF_Password=x&" + fields);
        EXPECT_EQ(reply.status, 200);
        return reply.body;
    }

    QByteArray Visit(const QByteArray& host, const QByteArray& path)
    {
        CHttpTestClient visitor(server.Port());
        return visitor.Raw("GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n").body;
    }

    QString ShopFile(const QString& relative) { return temp.FilePath("archivi/" + relative); }

    TempFolder temp;
    CQtr50dProcess server;
};

// The page comes in as the template upload brings pages: at the top of the
// shop's folder, by the shop's own account. It points the Session at the
// other shop's database before creating an object.
TEST_F(HostShopsApart, APageOfOneShopOpensOnlyItsOwnDatabase)
{
    const QByteArray page = "<% Session.DbPath = \"" + ShopFile("verde/db").toUtf8()
                            + "\"; Session.ShareConn = false; Session.CodiceLingua = \"it\";"
                              " Session.CodiceLinguaPredefinita = \"it\";"
                              " var d = Server.CreateObject(\"QTR50.Dizionario\"); %>[<%= d.Traduci(\"SEGRETO\") %>]";
    ASSERT_EQ(Piece("", "spia.asp", page, 0, page.size()), "OK");
    EXPECT_EQ(Visit("www.rosa.test", "/spia.asp"), "[testo di rosa]");
    // The other shop has no such page.
    EXPECT_FALSE(QFile::exists(ShopFile("verde/spia.asp")));
}

struct RefusedRequest
{
    const char* name;
    const char* page;
    const char* fields;   // form fields after the account's, or a file piece's path and name
};

class HostShopsApartRefused : public HostShopsApart, public ::testing::WithParamInterface<RefusedRequest>
{
};

// Clean-ups and uploads aimed at the database folder, the top of the shop
// or outside it: refused, and the shop keeps its database, its Sessions
// and its pages.
TEST_P(HostShopsApartRefused, LeavesTheDatabaseAndThePagesAlone)
{
    EXPECT_EQ(Visit("www.rosa.test", "/"), "shop=rosa");   // a Session store now exists
    ASSERT_TRUE(QFile::exists(ShopFile("rosa/db/sessions.sqlite")));
    QByteArray reply;
    if (QByteArray(GetParam().page) == "/updatefiles51.asp") {
        const QList<QByteArray> target = QByteArray(GetParam().fields).split('|');
        reply = Piece(QString::fromUtf8(target.at(0)), QString::fromUtf8(target.at(1)), "evil", 0, 4);
    } else {
        reply = Form(GetParam().page, GetParam().fields);
    }
    EXPECT_NE(reply, "OK");
    EXPECT_FALSE(reply.isEmpty());
    EXPECT_GT(QFileInfo(ShopFile("rosa/db/database.mdb")).size(), 4);
    EXPECT_TRUE(QFile::exists(ShopFile("rosa/db/sessions.sqlite")));
    EXPECT_TRUE(QFile::exists(ShopFile("rosa/default.asp")));
    EXPECT_TRUE(QFile::exists(ShopFile("verde/db/database.mdb")));
    EXPECT_FALSE(QFile::exists(ShopFile("verde/spia.asp")));
    EXPECT_EQ(Visit("www.rosa.test", "/"), "shop=rosa");
    EXPECT_EQ(QDir(ShopFile("rosa/db")).entryList(QDir::Files | QDir::Hidden).filter("evil").size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HostShopsApartRefused,
    testing::Values(RefusedRequest{"EmptyPhotoFolderWithoutPath", "/emptyphotofolder50.asp", "PF_Path="},
                    RefusedRequest{"EmptyPhotoFolderDot", "/emptyphotofolder50.asp", "PF_Path=."},
                    RefusedRequest{"EmptyPhotoFolderDb", "/emptyphotofolder50.asp", "PF_Path=db"},
                    RefusedRequest{"EmptyPhotoFolderUp", "/emptyphotofolder50.asp", "PF_Path=images%5C.."},
                    RefusedRequest{"EmptyPhotoFolderAbsolute", "/emptyphotofolder50.asp", "PF_Path=%2Fetc"},
                    RefusedRequest{"EmptyHomeDb", "/emptyhome50.asp", "PF_Path=db"},
                    RefusedRequest{"EmptyHomeOtherShop", "/emptyhome50.asp", "PF_Path=..%5Cverde"},
                    RefusedRequest{"DeleteFileInDb", "/deletefile50.asp", "PF_Path=db&PF_FileName=*"},
                    RefusedRequest{"DeleteProductFilesInDb", "/deletepfiles50.asp", "PF_Path=db&PF_FileName=xdatabase"},
                    RefusedRequest{"UploadIntoDb", "/updatefiles51.asp", "db|database.mdb"},
                    RefusedRequest{"UploadSqlServerIni", "/updatefiles51.asp", "db|sqlserver.ini"},
                    RefusedRequest{"UploadPageAmongPictures", "/updatefiles51.asp", "images|x.asp"},
                    RefusedRequest{"UploadIncludeAmongPictures", "/updatefiles51.asp", "images\\it|testa.inc"},
                    RefusedRequest{"UploadDatabaseAtTheTop", "/updatefiles51.asp", "|database.mdb"},
                    RefusedRequest{"UploadIntoAnotherFolder", "/updatefiles51.asp", "scripts|x.css"},
                    RefusedRequest{"UploadPageIntoAnotherShop", "/updatefiles51.asp", "..\\verde|spia.asp"}),
    [](const auto& info) { return std::string(info.param.name); });

// A last piece whose reply was lost comes again: it is recognised and the
// picture stays as it was sent; a piece that overflows the file is answered
// in the protocol's words.
TEST_F(HostShopsApart, FilePiecesSentAgainOrOverflowingAreAnsweredInTheProtocolsWords)
{
    const QByteArray a(1000, 'A');
    const QByteArray b(500, 'B');
    ASSERT_EQ(Piece("images\\prodotti", "7.jpg", a, 0, 1500), "OK");
    ASSERT_EQ(Piece("images\\prodotti", "7.jpg", b, 1000, 1500), "OK");
    for (int again = 0; again < 3; ++again)
        EXPECT_EQ(Piece("images\\prodotti", "7.jpg", b, 1000, 1500), "OK");
    QFile picture(ShopFile("rosa/images/prodotti/7.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_EQ(picture.readAll(), a + b);
    EXPECT_EQ(QDir(ShopFile("rosa/images/prodotti")).entryList(QDir::Files | QDir::Hidden), QStringList{"7.jpg"});

    ASSERT_EQ(Piece("images\\prodotti", "8.jpg", a, 0, 1200), "OK");
    EXPECT_EQ(Piece("images\\prodotti", "8.jpg", b, 1000, 1200), "Errore di trasmissione.");
    EXPECT_FALSE(QFile::exists(ShopFile("rosa/images/prodotti/8.jpg")));
}

} // namespace
