// The forum's moderation on a project on disk: the posts waiting first,
// every post when none waits, saves when moving on, "Annulla modifiche"
// and deletions on the shown post only.

#include "desktop/content/CForumView.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QCheckBox>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

class Moderation : public ::testing::Test
{
protected:
    void Post(qint32 id, qint32 topic, qint32 order, bool attivo, const char* text)
    {
        shop.Row(QStringLiteral("InterventiForum"),
                 {{"ID", id}, {"IDArgomento", topic}, {"IDIntervento", order}, {"Attivo", attivo ? 1 : 0},
                  {"Oggetto", "Domanda"}, {"Testo", text}, {"Mittente", "Anna"}, {"Data", "2026-03-01 00:00:00"},
                  {"Ora", "1899-12-30 14:05:00"}, {"Modificato", 0}});
    }
    QVariant Column(const char* column, qint32 id)
    {
        return shop.Value(QStringLiteral("SELECT %1 FROM InterventiForum WHERE ID=?").arg(QLatin1String(column)), {id});
    }

    ContentFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(Moderation, PostsWaitingComeFirstByTopicAndOrder)
{
    shop.AddTopic(5, 0, 0, QStringLiteral("it"), QStringLiteral("Aiuto"));
    Post(1, 5, 2, false, "b");
    Post(2, 5, 1, false, "a");
    Post(3, 5, 3, true, "c");
    CForumViewCore core(shop.Db(), QStringLiteral("it"));
    core.Start();
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_TRUE(core.OnlyToModerate());
    EXPECT_EQ(core.Count(), 2);
    EXPECT_EQ(core.CurrentID(), 2);
    EXPECT_EQ(core.GetForm().argomento, QStringLiteral("Aiuto"));
    // Publishing it and moving on saves it, flagged for the upload.
    core.GetForm().attivo = true;
    core.GetForm().testo = QStringLiteral("<script>x</script> corretto");
    core.OnCommand(ID_RECORD_NEXT);
    EXPECT_EQ(core.CurrentID(), 1);
    EXPECT_EQ(Column("Attivo", 2).toInt(), 1);
    EXPECT_EQ(Column("Modificato", 2).toInt(), 1);
    EXPECT_EQ(Column("Testo", 2).toString(), QStringLiteral("<script>x</script> corretto"));
    // "Annulla modifiche" puts the stored post back.
    core.GetForm().oggetto = QStringLiteral("Cambiato");
    core.GetForm().noteModeratore = QStringLiteral("Nota");
    core.OnCommand(ID_RECORD_UNDO);
    EXPECT_EQ(core.GetForm().oggetto, QStringLiteral("Domanda"));
    EXPECT_FALSE(core.IsRecordModified());
    EXPECT_EQ(Column("Modificato", 1).toInt(), 0);
}

TEST_F(Moderation, WithNothingWaitingEveryPostIsShown)
{
    Post(3, 5, 3, true, "c");
    CForumViewCore core(shop.Db(), QStringLiteral("it"));
    core.Start();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Non ci sono interventi da moderare"));
    EXPECT_FALSE(core.OnlyToModerate());
    EXPECT_EQ(core.CurrentID(), 3);
}

TEST_F(Moderation, WithNoPostsTheFormIsEmptyAndUndoAndDeleteDoNothing)
{
    CForumView view(shop.Db(), QStringLiteral("it"));
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_EQ(boxes.Shown().at(1).text, QStringLiteral("Nessun intevento in archivio"));
    EXPECT_FALSE(view.Attivo()->isEnabled());
    EXPECT_FALSE(view.OnlyToModerate()->isChecked());
    EXPECT_FALSE(view.IsViewCommandEnabled(ID_RECORD_DELETE));
    EXPECT_FALSE(view.IsViewCommandEnabled(ID_RECORD_UNDO));
    // Even when asked, nothing happens without a post shown.
    boxes.Clear();
    view.Core().Delete();
    view.Core().Undo();
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_FALSE(view.IsRecordModified());
}

TEST_F(Moderation, DeletingTheLastPostEmptiesTheForm)
{
    Post(1, 5, 1, false, "a");
    CForumView view(shop.Db(), QStringLiteral("it"));
    boxes.Answer(QMessageBox::Yes);
    view.OnViewCommand(ID_RECORD_DELETE);
    EXPECT_EQ(boxes.Shown().at(1).text, QStringLiteral("L'archivio interventi ora è vuoto."));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Nessun intevento in archivio"));
    EXPECT_EQ(shop.Count(QStringLiteral("InterventiForum")), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='InterventiForum'"))
                  .toInt(),
              1);
    EXPECT_FALSE(view.Testo()->isEnabled());
}

} // namespace
