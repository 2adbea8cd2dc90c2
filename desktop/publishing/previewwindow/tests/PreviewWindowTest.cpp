// The preview window as the merchant opens it from tinda's menu: the demo
// shop's pages in the browser view, and the project database exactly as it
// was once the window is closed.

#include "desktop/publishing/previewwindow/CBrowserView.h"
#include "desktop/publishing/previewwindow/CPreviewFrame.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/COpenProjectUi.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"
#include "server/demo/DemoShopMaker.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QWebEnginePage>

#include <gtest/gtest.h>

namespace {

QByteArray Digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

int Count(CDaoDatabase& db, const QString& sql)
{
    QSqlQuery query(db.Connection());
    return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
}

// The demo shop laid out as a project: pages under website/asp, pictures
// under website/images, the database under db.
QString MakeDemoProject(const TempFolder& temp)
{
    const QString shop = temp.FilePath("shop");
    DemoShopMaker::Make(DemoShopMaker::Installed(QCoreApplication::applicationDirPath()), shop);
    const QString project = temp.FilePath("negozio");
    QDir().mkpath(project + "/website");
    QDir().rename(shop + "/db", project + "/db");
    QDir().rename(shop + "/images", project + "/website/images");
    QDir().rename(shop, project + "/website/asp");
    return project;
}

// The page's text once it has loaded.
QString LoadAndRead(CBrowserView& view, const QUrl& url)
{
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    if (!url.isEmpty())
        view.load(url);
    if (!loaded.wait(60000) || !loaded.first().value(0).toBool())
        return QStringLiteral("(not loaded)");
    QString text;
    bool done = false;
    view.page()->toPlainText([&](const QString& t) { text = t; done = true; });
    for (int i = 0; i < 600 && !done; ++i)
        QSignalSpy(&view, &QWebEngineView::loadProgress).wait(50);
    return text;
}

TEST(PreviewWindowTest, ShowsTheDemoShopAndLeavesTheDatabaseByteForByte)
{
    TempFolder settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
    CMessageBoxScript boxes;
    TempFolder temp;
    const QString project = MakeDemoProject(temp);
    const QString database = project + "/db/database.mdb";

    CTindaApp app;
    app.m_strInstallFolder = QCoreApplication::applicationDirPath();
    app.SetProjectUi(std::make_unique<COpenProjectUi>(app, project));
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(app.m_bProjectOpen) << boxes.LastText().toStdString();
    // The file as a plain copy would see it, the log folded in.
    app.m_db.Checkpoint();
    const QByteArray before = Digest(database);

    CMainFrame* frame = app.GetMainFrame();
    ASSERT_TRUE(frame->RunCommand(ID_ANTEPRIMA));
    auto* preview = qobject_cast<CPreviewFrame*>(frame->GetMdiArea()->subWindowList().value(0));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Anteprima"));
    EXPECT_TRUE(app.m_bViewOpen);
    EXPECT_TRUE(QFile::exists(project + "/db/backup.mdb"));
    CBrowserView& view = *preview->View();

    // The site's root is the home page of the project's own pages.
    const QString home = LoadAndRead(view, {});
    EXPECT_TRUE(home.contains(QStringLiteral("Bottega del Lago"))) << home.left(2000).toStdString();
    const QString product = LoadAndRead(view, view.SiteRoot().resolved(QUrl("/prodotto.asp?IDProdotto=101")));
    EXPECT_TRUE(product.contains(QStringLiteral("Caffettiera moka 3 tazze"))) << product.left(2000).toStdString();
    EXPECT_TRUE(product.contains(QStringLiteral("30,38"))) << product.left(2000).toStdString();

    if (const QByteArray shot = qgetenv("QTR_PREVIEW_SHOT"); !shot.isEmpty())
        preview->grab().save(QString::fromLocal8Bit(shot));

    // What the previewed site writes (here: a row as an order would add)
    // lands in the project's database while the window is open...
    const QString written = QStringLiteral("SELECT COUNT(*) FROM Ordini WHERE ID=1000000077");
    {
        CDaoDatabase db;
        db.Open(database);
        db.Execute(QStringLiteral("INSERT INTO Ordini (ID, NumOrdine, IDCliente, Nome) VALUES (1000000077, 'T7', 0, 'Prova')"));
        db.Close();
    }
    ASSERT_EQ(Count(app.m_db, written), 1);

    // ...and is gone when it closes, with no copy left behind.
    ASSERT_TRUE(preview->close());
    EXPECT_FALSE(app.m_bViewOpen);
    EXPECT_EQ(Digest(database), before);
    EXPECT_FALSE(QFile::exists(project + "/db/backup.mdb"));
    ASSERT_TRUE(app.m_db.IsOpen());
    EXPECT_EQ(Count(app.m_db, written), 0);
    EXPECT_TRUE(frame->GetAction(ID_ANTEPRIMA)->isEnabled());
    app.ExitInstance();
}

} // namespace
