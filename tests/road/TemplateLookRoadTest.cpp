#include "desktop/design/CGraphicProjectFiles.h"
#include "desktop/publishing/templateupload/CTemplateUpload.h"
#include "tests/road/RoadCutProxy.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"
#include "tests/road/RoadUploadWatcher.h"

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

// The desktop changes the shop's look: it starts the graphic project from
// the installation's pages ("Nuovo"), uploads it to the demo shop, changes
// the accent colour of the style sheet and a text of the page head,
// uploads again (only those two files go), and deletes a page, which
// leaves the shop too. Chromium shows the shop's home page each time.
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

    QString error;
    CGraphicProjectFiles files(QStringLiteral(QTR_INSTALL_DIR "/"), project.Folder() + "/");
    ASSERT_TRUE(files.ResetProjectFiles(&error)) << error.toStdString();
    const QString site = project.Folder() + "/website/asp/";
    ASSERT_TRUE(QFile::exists(site + "stile.css"));

    std::atomic<bool> cancel{false};
    const auto upload = [&] {
        CTemplateUpload job(project.Folder());
        job.Load(&project.Db());
        RoadUploadWatcher watcher;
        const CTemplateUpload::Result result = job.Run(&watcher, cancel);
        EXPECT_EQ(result, CTemplateUpload::Result::Done) << watcher.messages.join("\n").toStdString();
    };
    const auto sentFiles = [&](qsizetype from) {
        int sent = 0;
        for (qsizetype i = from; i < watch.Requests().size(); ++i)
            sent += watch.Requests()[i].startsWith("POST /updatefiles51.asp ") ? 1 : 0;
        return sent;
    };
    const QString home = QStringLiteral("http://127.0.0.1:%1/default.asp").arg(shop.Port());

    upload();
    const QJsonObject before = Look(home, "#link-carrello", "template-before");
    ASSERT_TRUE(before["ok"].toBool()) << before["error"].toString().toStdString();
    EXPECT_EQ(before["color"].toString(), "rgba(31, 95, 122, 1)");
    EXPECT_TRUE(before["title"].toString().contains(" · ")) << before["title"].toString().toStdString();

    // The editor's change: the accent colour and the title's separator.
    const auto edit = [&](const QString& name, const QString& from, const QString& to) {
        QFile file(site + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QString text = QString::fromUtf8(file.readAll());
        ASSERT_TRUE(text.contains(from)) << name.toStdString();
        text.replace(from, to);
        file.resize(0);
        file.write(text.toUtf8());
        file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    };
    edit("stile.css", "--accento: #1f5f7a;", "--accento: #8a1c7c;");
    edit("testa.inc", "<%= H(titoloPagina) %> · <%=", "<%= H(titoloPagina) %> | <%=");
    const qsizetype second = watch.Requests().size();
    upload();
    EXPECT_EQ(sentFiles(second), 2);
    const QJsonObject after = Look(home, "#link-carrello", "template-after");
    ASSERT_TRUE(after["ok"].toBool()) << after["error"].toString().toStdString();
    EXPECT_EQ(after["color"].toString(), "rgba(138, 28, 124, 1)");
    EXPECT_TRUE(after["title"].toString().contains(" | ")) << after["title"].toString().toStdString();

    EXPECT_EQ(shop.Status("/contatti.asp"), 200);
    QFile::remove(site + "contatti.asp");
    const qsizetype third = watch.Requests().size();
    upload();
    EXPECT_EQ(sentFiles(third), 0);
    EXPECT_EQ(shop.Status("/contatti.asp"), 404);
    EXPECT_EQ(shop.Status("/default.asp"), 200);
}

} // namespace
