#include "desktop/design/CGraphicProjectFiles.h"
#include "desktop/design/CPageGenerator.h"
#include "desktop/design/CStyleSheetWriter.h"
#include "desktop/publishing/templateupload/CTemplateUpload.h"
#include "tests/road/RoadCutProxy.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"
#include "tests/road/RoadUploadWatcher.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <atomic>

namespace {

// How the page looks in headless Chromium (tests/road/template_look.py).
QJsonObject Look(const QString& url, const QString& selector, const QString& name)
{
    QProcess browser;
    browser.setStandardErrorFile(QStringLiteral(QTR_ROAD_OUT "/") + name + ".err");
    browser.start(QStringLiteral(QTR_PYTHON), {QStringLiteral(QTR_ROAD_SOURCE "/template_look.py"), "--out",
                                               QStringLiteral(QTR_ROAD_OUT), "--name", name, url, selector});
    if (!browser.waitForFinished(120000))
        browser.kill();
    const QList<QByteArray> lines = browser.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        const QJsonDocument json = QJsonDocument::fromJson(line);
        if (json.isObject())
            return json.object();
    }
    return {{"ok", false}, {"error", "no answer from the browser; see " QTR_ROAD_OUT "/" + name + ".err"}};
}

// A graphic project of the road's own, on the installation's default one
// (its rows take IDs above the default project's):
// the page vetrina.asp from a template file of its own, with a block that
// shows the parameter Titolo in the class .titolo of the sheet vetrina.css.
class GraphicProject
{
public:
    explicit GraphicProject(const QString& projectFolder)
        : m_projectFolder(projectFolder + "/")
    {
        const QString built = QStringLiteral(QTR_INSTALL_DIR "/");
        QDir().mkpath(m_install.FilePath("db"));
        QFile::copy(built + "db/progettografico.mdb", m_install.FilePath("db/progettografico.mdb"));
        QDir().mkpath(m_install.FilePath("template/system"));
        for (const QString& page : QDir(built + "template/system").entryList(QDir::Files))
            QFile::copy(built + "template/system/" + page, m_install.FilePath("template/system/" + page));
        m_install.WriteFile("template/system/vetrina.asp",
                            "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>Vetrina</title>\r\n"
                            "##LINKCSS##</head>\r\n<body>\r\n##CODICEFIGLIO##\r\n</body></html>\r\n");
    }

    QString Install() const { return m_install.Path() + "/"; }

    // The editor's "Nuovo", then the blocks, the class and the parameter.
    void Make()
    {
        QString error;
        CGraphicProjectFiles files(Install(), m_projectFolder);
        ASSERT_TRUE(files.ResetProjectFiles(&error)) << error.toStdString();
        m_db.Open(m_projectFolder + "db/progettografico.mdb");
        m_db.Execute("INSERT INTO CategorieCodiciASP (ID, Nome, Ordine, NomeFileCSS) VALUES (2, 'Vetrina', 2, "
                     "'vetrina.css')");
        m_db.Execute("INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Nome, Ordine, Attivo, ASP, Include, TipoCodice) "
                     "VALUES (100, 2, 0, 'Vetrina', 1, 1, '\\system\\vetrina.asp', 0, 0)");
        m_db.Execute("INSERT INTO CodiceASP (ID, IDCategoria, IDPadre, Nome, Ordine, Attivo, ASP, Include, TipoCodice) "
                     "VALUES (101, 2, 100, 'Titolo', 1, 1, '<h1 id=\"titolo\" class=\"titolo\">%%Titolo%%</h1>', 0, 1)");
        m_db.Execute("INSERT INTO ClassiCSS (ID, IDCodiceASP, Nome, Ordine, NomeCSS) VALUES (1007, 101, '.titolo', 1, "
                     "'.titolo')");
        m_db.Execute("INSERT INTO AttributiCSS (ID, IDClasse, IDAttributo, Valore) VALUES (1001, 1007, 5, '#1F5F7A')");
        m_db.Execute("INSERT INTO Parametri (ID, IDCodiceASP, Nome, Bookmark, Ordine, Tipo, Valore) "
                     "VALUES (1001, 101, 'Titolo', 'Titolo', 1, 1, 'Benvenuti')");
        Regenerate();
    }
    // What the style dialog and the parameters dialog save.
    void Change(const QString& colour, const QString& title)
    {
        m_db.Execute("UPDATE AttributiCSS SET Valore=? WHERE IDClasse=1007 AND IDAttributo=5", {colour});
        m_db.Execute("UPDATE Parametri SET Valore=? WHERE ID=1001", {title});
        Regenerate();
    }
    void Regenerate()
    {
        ASSERT_TRUE(CStyleSheetWriter(m_db, m_projectFolder).WriteStyleSheets(101));
        CPageGenerator(m_db, Install(), m_projectFolder).RegeneratePageTree(101);
    }

private:
    TempFolder m_install;
    QString m_projectFolder;
    CDaoDatabase m_db;
};

// The desktop changes the shop's look: a graphic project started with
// "Nuovo" from the installation's pages gets a page of its own, is
// generated and uploaded to the demo shop; the title's colour and text
// change in the graphic database, the project is regenerated and a second
// upload sends the page and its sheet only; a page deleted in the project
// leaves the shop with the next one. Chromium shows the page each time.
TEST(TemplateLookRoad, TheShopShowsTheColourChangedOnTheDesktop)
{
    QDir().mkpath(QStringLiteral(QTR_ROAD_OUT));
    RoadShop shop;
    QProcess maker;
    maker.start(QStringLiteral(QTR_DEMOSHOP_MAKER), {QDir::cleanPath(shop.ShopFile(QString()))});
    ASSERT_TRUE(maker.waitForFinished(120000));
    ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    shop.Start();
    RoadCutProxy watch(shop.Port());
    RoadProject project;
    project.PointAt(watch.Port(), "pa&ss=1");
    GraphicProject graphic(project.Folder());
    graphic.Make();
    const QString site = project.Folder() + "/website/";
    ASSERT_TRUE(QFile::exists(site + "images/vetrina.css"));
    ASSERT_TRUE(QFile::exists(site + "asp/vetrina.asp"));

    std::atomic<bool> cancel{false};
    const auto upload = [&] {
        CTemplateUpload job(project.Folder());
        job.Load(&project.Db());
        RoadUploadWatcher watcher;
        const CTemplateUpload::Result result = job.Run(&watcher, cancel);
        EXPECT_EQ(result, CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    };
    const auto sent = [&](qsizetype from, const char* page) {
        QStringList files;
        for (qsizetype i = from; i < watch.Requests().size(); ++i) {
            const QByteArray& request = watch.Requests()[i];
            if (request.startsWith(QByteArray("POST ") + page + " "))
                files << QString::fromUtf8(request.mid(request.indexOf("PF_FileName=") + 12).split('&').first());
        }
        return files;
    };
    const QString page = QStringLiteral("http://127.0.0.1:%1/vetrina.asp").arg(shop.Port());

    upload();
    EXPECT_EQ(sent(0, "/emptyhome50.asp").size(), 1);
    const QJsonObject before = Look(page, "#titolo", "template-before");
    ASSERT_TRUE(before["ok"].toBool()) << before["error"].toString().toStdString();
    EXPECT_EQ(before["color"].toString(), "rgba(31, 95, 122, 1)");
    EXPECT_EQ(before["text"].toString(), "Benvenuti");
    EXPECT_EQ(shop.Status("/default.asp"), 200);

    graphic.Change("#8A1C7C", "Nuova vetrina");
    const qsizetype second = watch.Requests().size();
    upload();
    QStringList changed = sent(second, "/updatefiles51.asp");
    changed.sort();
    EXPECT_EQ(changed, QStringList({"vetrina.asp", "vetrina.css"}));
    EXPECT_TRUE(sent(second, "/emptyhome50.asp").isEmpty());
    const QJsonObject after = Look(page, "#titolo", "template-after");
    ASSERT_TRUE(after["ok"].toBool()) << after["error"].toString().toStdString();
    EXPECT_EQ(after["color"].toString(), "rgba(138, 28, 124, 1)");
    EXPECT_EQ(after["text"].toString(), "Nuova vetrina");

    EXPECT_EQ(shop.Status("/contatti.asp"), 200);
    QFile::remove(site + "asp/contatti.asp");
    const qsizetype third = watch.Requests().size();
    upload();
    EXPECT_EQ(sent(third, "/deletefile50.asp"), QStringList{"contatti.asp"});
    EXPECT_TRUE(sent(third, "/updatefiles51.asp").isEmpty());
    EXPECT_EQ(shop.Status("/contatti.asp"), 404);
    EXPECT_EQ(shop.Status("/default.asp"), 200);
}

} // namespace
