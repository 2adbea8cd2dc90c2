#include "desktop/design/CConfModelloCore.h"
#include "desktop/design/CGraphicProjectFiles.h"
#include "desktop/design/CModificaColoriCore.h"
#include "desktop/design/CPageGenerator.h"
#include "desktop/design/CStyleSheetWriter.h"
#include "desktop/publishing/templateupload/CTemplateUpload.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/settings/CImpostazioneParametriCore.h"
#include "tests/road/RoadCutProxy.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"
#include "tests/road/RoadUploadWatcher.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <memory>

namespace {

// How the page looks in headless Chromium (tests/road/template_look.py).
// counted: selectors whose matches are counted too.
QJsonObject Look(const QString& url, const QString& selector, const QString& name, const QStringList& counted = {})
{
    QProcess browser;
    browser.setStandardErrorFile(QStringLiteral(QTR_ROAD_OUT "/") + name + ".err");
    QStringList arguments{QStringLiteral(QTR_ROAD_SOURCE "/template_look.py"), "--out", QStringLiteral(QTR_ROAD_OUT),
                          "--name", name};
    for (const QString& count : counted)
        arguments << "--count" << count;
    browser.start(QStringLiteral(QTR_PYTHON), arguments << url << selector);
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

// The demo shop on loopback behind a proxy that keeps the desktop's
// requests, and the graphic template upload to it.
class TemplateLookRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(QStringLiteral(QTR_ROAD_OUT));
        QProcess maker;
        maker.start(QStringLiteral(QTR_DEMOSHOP_MAKER), {QDir::cleanPath(shop.ShopFile(QString()))});
        ASSERT_TRUE(maker.waitForFinished(120000));
        ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
        shop.Start();
        watch = std::make_unique<RoadCutProxy>(shop.Port());
    }

    void Upload(RoadProject& project)
    {
        std::atomic<bool> cancel{false};
        CTemplateUpload job(project.Folder());
        job.Load(&project.Db());
        RoadUploadWatcher watcher;
        const CTemplateUpload::Result result = job.Run(&watcher, cancel);
        EXPECT_EQ(result, CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    }
    qsizetype Requests() const { return watch->Requests().size(); }
    // The files named in the requests to page from request from on.
    QStringList Sent(qsizetype from, const char* page) const
    {
        QStringList files;
        for (qsizetype i = from; i < watch->Requests().size(); ++i) {
            const QByteArray& request = watch->Requests()[i];
            if (request.startsWith(QByteArray("POST ") + page + " "))
                files << QString::fromUtf8(request.mid(request.indexOf("PF_FileName=") + 12).split('&').first());
        }
        return files;
    }
    QString Url(const QString& page) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(shop.Port()).arg(page);
    }

    RoadShop shop;
    std::unique_ptr<RoadCutProxy> watch;
};

// The desktop changes the shop's look: a graphic project started with
// "Nuovo" from the installation's pages gets a page of its own, is
// generated and uploaded to the demo shop; the title's colour and text
// change in the graphic database, the project is regenerated and a second
// upload sends the page and its sheet only; a page deleted in the project
// leaves the shop with the next one. Chromium shows the page each time.
TEST_F(TemplateLookRoad, TheShopShowsTheColourChangedOnTheDesktop)
{
    RoadProject project;
    project.PointAt(watch->Port(), "pa&ss=1");
    GraphicProject graphic(project.Folder());
    graphic.Make();
    const QString site = project.Folder() + "/website/";
    ASSERT_TRUE(QFile::exists(site + "images/vetrina.css"));
    ASSERT_TRUE(QFile::exists(site + "asp/vetrina.asp"));

    const QString page = Url("vetrina.asp");

    Upload(project);
    EXPECT_EQ(Sent(0, "/emptyhome50.asp").size(), 1);
    const QJsonObject before = Look(page, "#titolo", "template-before");
    ASSERT_TRUE(before["ok"].toBool()) << before["error"].toString().toStdString();
    EXPECT_EQ(before["color"].toString(), "rgba(31, 95, 122, 1)");
    EXPECT_EQ(before["text"].toString(), "Benvenuti");
    EXPECT_EQ(shop.Status("/default.asp"), 200);

    graphic.Change("#8A1C7C", "Nuova vetrina");
    const qsizetype second = Requests();
    Upload(project);
    QStringList changed = Sent(second, "/updatefiles51.asp");
    changed.sort();
    EXPECT_EQ(changed, QStringList({"vetrina.asp", "vetrina.css"}));
    EXPECT_TRUE(Sent(second, "/emptyhome50.asp").isEmpty());
    const QJsonObject after = Look(page, "#titolo", "template-after");
    ASSERT_TRUE(after["ok"].toBool()) << after["error"].toString().toStdString();
    EXPECT_EQ(after["color"].toString(), "rgba(138, 28, 124, 1)");
    EXPECT_EQ(after["text"].toString(), "Nuova vetrina");

    EXPECT_EQ(shop.Status("/contatti.asp"), 200);
    QFile::remove(site + "asp/contatti.asp");
    const qsizetype third = Requests();
    Upload(project);
    EXPECT_EQ(Sent(third, "/deletefile50.asp"), QStringList{"contatti.asp"});
    EXPECT_TRUE(Sent(third, "/updatefiles51.asp").isEmpty());
    EXPECT_EQ(shop.Status("/contatti.asp"), 404);
    EXPECT_EQ(shop.Status("/default.asp"), 200);
}

// The upload knows a changed file by its time to the second: what the
// editor writes after an upload must fall in a later second than anything
// that upload sent, or it would pass for sent.
void PastTheSecondOfTheFilesIn(const QStringList& folders)
{
    QDateTime newest;
    for (const QString& folder : folders)
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
            newest = std::max(newest, file.lastModified());
    const qint64 second = newest.toSecsSinceEpoch();
    while (QDateTime::currentSecsSinceEpoch() <= second)
        QThread::msleep(20);
}

// The merchant's way with the installation's own look: a new project gets
// the default graphic project and goes to the shop as it is; in the editor
// the white of the header's background becomes cream for every class that
// uses it ("Modifica colori"), the header stops offering the sign-up link
// (the parameter "Registrazione" of "Collegamenti area riservata") and the
// whole project is regenerated; the merchant drops the chat page. The
// second upload sends only what the editor wrote and deletes the page.
TEST_F(TemplateLookRoad, TheDefaultProjectTakesTheEditorsColourAndSwitch)
{
    const QString install = QStringLiteral(QTR_INSTALL_DIR "/");
    QString error;
    bool created = false;
    RoadProject project([&](const QString& folder) { created = CProjectFolder::Create(folder, install, &error); });
    ASSERT_TRUE(created) << error.toStdString();
    project.PointAt(watch->Port(), "pa&ss=1");
    const QString folder = project.Folder() + "/";
    const QString site = folder + "website/";
    const QString home = Url("default.asp");
    const QStringList counted{"#link-registrazione"};

    Upload(project);
    EXPECT_EQ(Sent(0, "/emptyhome50.asp").size(), 1);
    const QStringList first = Sent(0, "/updatefiles51.asp");
    EXPECT_TRUE(first.contains("testa.inc"));
    EXPECT_TRUE(first.contains("modello.css"));
    const QJsonObject before = Look(home, "header.testata", "default-before", counted);
    ASSERT_TRUE(before["ok"].toBool()) << before["error"].toString().toStdString();
    EXPECT_EQ(before["background"].toString().toStdString(), "rgba(255, 255, 255, 1)");
    EXPECT_EQ(before["counts"].toObject()["#link-registrazione"].toInt(), 1);
    EXPECT_EQ(shop.Status("/chat.asp"), 200);

    PastTheSecondOfTheFilesIn({site + "asp", site + "images"});
    {
        CMessageBoxScript boxes;
        CConfModelloCore editor(install, folder);
        ASSERT_TRUE(editor.HasGraphicProject());

        CModificaColoriCore colours(editor.ProjectDatabase(), folder);
        ASSERT_TRUE(colours.Open());
        const QList<CStyleColourEntry>& entries = colours.Styles().Entries();
        const auto white = std::find_if(entries.cbegin(), entries.cend(), [](const CStyleColourEntry& entry) {
            return entry.censusText.compare("#FFFFFF", Qt::CaseInsensitive) == 0;
        });
        ASSERT_NE(white, entries.cend());
        colours.ChangeEntry(int(white - entries.cbegin()), QColor(0xFF, 0xF4, 0xD6));
        boxes.Answer(QMessageBox::Yes);
        ASSERT_TRUE(colours.Close());
        ASSERT_EQ(boxes.Shown().size(), 1);
        EXPECT_TRUE(colours.ChangedClasses().contains(9)); // header.testata
        editor.OnColoursChanged(colours.ChangedClasses());

        editor.Select(7);
        ASSERT_EQ(editor.Find(7).name, "Collegamenti area riservata");
        ASSERT_TRUE(editor.IsEnabled(CConfModelloCore::Parameters));
        CImpostazioneParametriCore parameters(editor.ProjectDatabase(), project.Db(), editor.CurrentBlock(), folder);
        const QVector<CImpostazioneParametriCore::Entry>& names = parameters.Parameters();
        const auto signUp = std::find_if(names.cbegin(), names.cend(),
                                         [](const CImpostazioneParametriCore::Entry& entry) {
                                             return entry.text == "Registrazione";
                                         });
        ASSERT_NE(signUp, names.cend());
        parameters.Select(int(signUp - names.cbegin()));
        ASSERT_TRUE(parameters.Current().showCheck);
        ASSERT_TRUE(parameters.Current().check);
        parameters.Current().check = false;
        parameters.Accept();
        editor.OnParametersAccepted();

        // "Rigenera intero progetto", as the editor's frame does it.
        CGraphicProjectFiles(install, folder).CopySystemPages(&error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        editor.RegenerateProject();
        EXPECT_TRUE(editor.TakeFailedFiles().isEmpty());
        EXPECT_EQ(boxes.Shown().size(), 1) << boxes.LastText().toStdString();
    }
    ASSERT_TRUE(QFile::remove(site + "asp/chat.asp"));

    // What the editor wrote: the pages with blocks and the sheet of the
    // changed classes; the installation's pages copied again are the same
    // as those sent and keep their times.
    const QStringList written = {"default.asp", "modello.css", "piede.inc", "testa.inc"};
    const qsizetype second = Requests();
    Upload(project);
    EXPECT_TRUE(Sent(second, "/emptyhome50.asp").isEmpty());
    EXPECT_EQ(Sent(second, "/deletefile50.asp").join(" ").toStdString(), "chat.asp");
    QStringList changed = Sent(second, "/updatefiles51.asp");
    changed.sort();
    EXPECT_EQ(changed.join(" ").toStdString(), written.join(" ").toStdString());
    EXPECT_LT(changed.size(), first.size());

    const QJsonObject after = Look(home, "header.testata", "default-after", counted);
    ASSERT_TRUE(after["ok"].toBool()) << after["error"].toString().toStdString();
    EXPECT_EQ(after["background"].toString().toStdString(), "rgba(255, 244, 214, 1)");
    EXPECT_EQ(after["counts"].toObject()["#link-registrazione"].toInt(), 0);
    EXPECT_EQ(shop.Status("/chat.asp"), 404);
    EXPECT_EQ(shop.Status("/default.asp"), 200);
}

} // namespace
