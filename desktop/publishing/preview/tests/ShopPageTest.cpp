#include "desktop/publishing/preview/CListenSocket.h"
#include "desktop/publishing/preview/testing/CPreviewTestClient.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"
#include "server/core/Dizionario.h"
#include "server/core/Generale.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

namespace {

// The shop's own server classes run in the preview as on the real server:
// the page creates them by ProgID, they see the page's Request, Session and
// Server, and the dictionary answers in the visitor's language.
TEST(ShopPage, CreatesGeneraleAndDizionarioWritesAMessageAndFreesThem)
{
    // Referencing the classes keeps the server library, which registers
    // them when it is loaded, linked in.
    ASSERT_STREQ(Generale::staticMetaObject.className(), "Generale");
    ASSERT_STREQ(Dizionario::staticMetaObject.className(), "Dizionario");

    TempFolder project;
    project.WriteFile("db/.keep", "");
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/db/database.mdb",
                            project.FilePath("db/database.mdb")));
    project.WriteFile("website/asp/messaggio.asp",
                      "<% var generale = Server.CreateObject('QTR50.Generale');\r\n"
                      "   generale.Inizializza();\r\n"
                      "   var dizionario = Server.CreateObject('QTR50.Dizionario'); %>\r\n"
                      "<p><%= dizionario.Traduci('errcognome') %></p>\r\n"
                      "<% dizionario.Free(); generale.Free(); %>");

    CListenSocket server;
    server.SetPort(0);
    server.SetRootDir(project.FilePath("website/asp"));
    server.AddVirtualDir("/db", project.FilePath("db"));
    ASSERT_EQ(server.StartListening(), 0);
    CPreviewTestClient client(server.ServerPort());
    const CPreviewTestClient::Reply reply = client.Get("/messaggio.asp");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "\r\n<p>Inserire il cognome</p>\r\n");
    EXPECT_EQ(server.Session().Item("DbPath"), QVariant(project.FilePath("db")));
    EXPECT_EQ(server.Session().Item("CodiceLingua"), QVariant("it"));
}

} // namespace
