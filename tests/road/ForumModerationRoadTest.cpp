// The road of a visitor's forum post: written on the shop's forum page, it
// waits there unseen; the order download brings it to the desk, the
// moderator publishes it, and the site update puts it on the page, as the
// visitor's text, not as markup.

#include "desktop/content/CContentTreeCore.h"
#include "desktop/content/CForumViewCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/COrderDownload.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/utilities/QtrUtilities.h"
#include "server/host/testing/CHttpTestClient.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QUrl>

namespace {

class ForumModerationRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
    }

    // A forum topic made in the topics' tree and sent to the shop.
    qint32 UploadTopic()
    {
        const QString it = QStringLiteral("it");
        CContentTreeCore topics(project.Db(), CContentTreeCore::ArgomentiForum, project.Folder());
        topics.SetLanguages(it, it);
        topics.Start();
        EXPECT_FALSE(topics.Insert({QString(), QStringLiteral("Assistenza"), QString()}).IsRefused());
        const qint32 topic = topics.Nodes().at(1).nId;
        EXPECT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
        return topic;
    }

    // The visitor's post, sent with the topic page's form.
    CHttpTestReply Post(qint32 topic, const QString& subject, const QString& text)
    {
        CHttpTestClient visitor(shop.Port());
        visitor.Get(QStringLiteral("/forum.asp?IDArgomento=%1").arg(topic).toUtf8());
        const QList<QPair<QString, QString>> fields = {
            {QStringLiteral("IDArgomentoPadre"), QString::number(topic)},
            {QStringLiteral("IDInterventoPadre"), QStringLiteral("0")},
            {QStringLiteral("Mittente"), QStringLiteral("Anna")},
            {QStringLiteral("EmailMittente"), QStringLiteral("anna@cliente.example")},
            {QStringLiteral("Oggetto"), subject},
            {QStringLiteral("Testo"), text}};
        QByteArrayList form;
        for (const auto& [name, value] : fields)
            form << name.toUtf8() + '=' + QUrl::toPercentEncoding(value);
        return visitor.Post("/forum.asp", "application/x-www-form-urlencoded", form.join('&'));
    }

    COrderDownload::Result Download()
    {
        PasswordDwn.clear();
        COrderDownload job;
        job.InitVarDwLoad(nullptr, project.Folder(), &project.Db());
        job.StartDwLoad();
        return job.LastResult();
    }

    QString DownloadLog() const
    {
        QFile log(project.Folder() + "/qtrdwn.log");
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    QVariant ProjectValue(const QString& sql)
    {
        QSqlQuery query(project.Db().Connection());
        query.exec(sql);
        return query.next() ? query.value(0) : QVariant();
    }

    RoadShop shop;
    RoadProject project;
    CMessageBoxScript m_boxes;
};

TEST_F(ForumModerationRoad, AVisitorsPostIsShownOnlyOnceTheModeratorPublishesIt)
{
    const qint32 topic = UploadTopic();
    const QString page = QStringLiteral("/forum.asp?IDArgomento=%1").arg(topic);
    ASSERT_TRUE(shop.Page(page).contains(QStringLiteral("id=\"modulo-intervento\"")));

    const QString subject = QStringLiteral("Taglie <b>x</b>");
    const QString text = QStringLiteral("Avete il 42? <script>alert(1)</script> & grazie");
    const CHttpTestReply sent = Post(topic, subject, text);
    ASSERT_EQ(sent.status, 200);
    ASSERT_TRUE(sent.body.contains("id=\"intervento-ricevuto\"")) << sent.body.toStdString();

    // Waiting on the shop: stored as typed, inactive, unseen by visitors.
    const QVariant postId = shop.Value("SELECT ID FROM InterventiForum WHERE IDArgomento=?", {topic});
    ASSERT_TRUE(postId.isValid());
    const qint32 post = postId.toInt();
    EXPECT_EQ(shop.Value("SELECT Oggetto FROM InterventiForum WHERE ID=?", {post}).toString(), subject);
    EXPECT_EQ(shop.Value("SELECT Attivo FROM InterventiForum WHERE ID=?", {post}).toInt(), 0);
    const QString waiting = shop.Page(page);
    EXPECT_FALSE(waiting.contains(QStringLiteral("Taglie"))) << waiting.toStdString();
    EXPECT_TRUE(waiting.contains(QStringLiteral("id=\"nessuna-discussione\"")));

    // The download brings it to the desk, where it waits for moderation.
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << DownloadLog().toStdString();
    EXPECT_EQ(ProjectValue(QStringLiteral("SELECT Testo FROM InterventiForum WHERE ID=%1").arg(post)).toString(), text);
    EXPECT_EQ(shop.Value("SELECT Modificato FROM InterventiForum WHERE ID=?", {post}).toInt(), 0);

    CForumViewCore moderation(project.Db(), QStringLiteral("it"));
    moderation.Start();
    ASSERT_TRUE(moderation.OnlyToModerate());
    ASSERT_EQ(moderation.Count(), 1);
    ASSERT_EQ(moderation.CurrentID(), post);
    EXPECT_EQ(moderation.GetForm().argomento, QStringLiteral("Assistenza"));
    EXPECT_EQ(moderation.GetForm().oggetto, subject);
    EXPECT_FALSE(moderation.GetForm().attivo);
    moderation.GetForm().attivo = true;
    ASSERT_TRUE(moderation.IsRecordModified());
    ASSERT_TRUE(moderation.SaveRecord());
    EXPECT_EQ(ProjectValue(QStringLiteral("SELECT Attivo FROM InterventiForum WHERE ID=%1").arg(post)).toBool(), true);
    EXPECT_TRUE(IsAlertUpd(project.Folder())) << "the site needs an update";
    // A download before the update leaves the publication alone.
    ASSERT_EQ(Download(), COrderDownload::Result::Done) << DownloadLog().toStdString();
    EXPECT_EQ(ProjectValue(QStringLiteral("SELECT Attivo FROM InterventiForum WHERE ID=%1").arg(post)).toBool(), true);

    // The update publishes it: on the topic's page and its own, as text.
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT Attivo FROM InterventiForum WHERE ID=?", {post}).toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT Testo FROM InterventiForum WHERE ID=?", {post}).toString(), text);
    const QString published = shop.Page(page);
    EXPECT_TRUE(published.contains(QStringLiteral("Taglie &lt;b&gt;x&lt;/b&gt;"))) << published.toStdString();
    EXPECT_FALSE(published.contains(QStringLiteral("<b>x</b>")));
    EXPECT_FALSE(published.contains(QStringLiteral("id=\"nessuna-discussione\"")));
    const QString thread = shop.Page(QStringLiteral("/discussione.asp?IDIntervento=%1").arg(post));
    EXPECT_TRUE(thread.contains(QStringLiteral("Taglie &lt;b&gt;x&lt;/b&gt;"))) << thread.toStdString();
    EXPECT_TRUE(thread.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; &amp; grazie")))
        << thread.toStdString();
    EXPECT_FALSE(thread.contains(QStringLiteral("<script>alert(1)")));
}

} // namespace
