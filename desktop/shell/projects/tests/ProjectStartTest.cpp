// What a merchant meets first when a project will not open: a damaged
// database, a project another window holds, the next start after a failure,
// a project named on the command line.
#include "ProjectFixture.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/CProjectSession.h"
#include "desktop/shell/projects/CRecentProjects.h"
#include "platform/dao/CDaoDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// One running program: its database, its project state and its session.
struct Program
{
    Program(ProjectFixture& fixture, FakeProjectUi& ui)
        : install(fixture.InstallFolder()), session(db, folder, open, install, fixture.Settings(), ui)
    {
    }

    CDaoDatabase db;
    QString folder;
    bool open = false;
    QString install;
    CProjectSession session;
};

class ProjectStartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        shop = fixture.MakeProject(QStringLiteral("Scarpe Rossi"));
        other = fixture.MakeProject(QStringLiteral("altro"));
    }

    void Damage(const QString& project)
    {
        QFile file(CProjectFolder::DatabasePath(project));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
    }

    QStringList Recent() { return CRecentProjects(fixture.Settings()).NewestFirst(); }

    ProjectFixture fixture;
    FakeProjectUi ui;
    CMessageBoxScript boxes;
    QString shop;
    QString other;
};

TEST_F(ProjectStartTest, DamagedDatabaseNamesTheProjectAndSaysWhatToDo)
{
    Damage(shop);
    CRecentProjects(fixture.Settings()).Add(shop);
    Program program(fixture, ui);
    EXPECT_TRUE(program.session.StartUp());
    EXPECT_FALSE(program.open);
    ASSERT_EQ(boxes.Shown().size(), 1);
    const QString text = boxes.LastText();
    EXPECT_TRUE(text.startsWith("Il progetto \"Scarpe Rossi\" non può essere aperto: il suo archivio dati è "
                                "danneggiato o illeggibile."))
        << text.toStdString();
    EXPECT_TRUE(text.contains("copia di sicurezza")) << text.toStdString();
    EXPECT_TRUE(text.contains("File, Apri")) << text.toStdString();
    EXPECT_EQ(boxes.Shown().last().icon, CMessageBox::Stop);
}

TEST_F(ProjectStartTest, FailedProjectIsNotTriedAgainAtTheNextStart)
{
    Damage(shop);
    CRecentProjects(fixture.Settings()).Add(other);
    CRecentProjects(fixture.Settings()).Add(shop);
    {
        Program first(fixture, ui);
        first.session.StartUp();
        EXPECT_FALSE(first.open);
    }
    boxes.Clear();
    ui.m_bChooseOk = false;   // "Annulla" in "Progetti"
    Program second(fixture, ui);
    EXPECT_TRUE(second.session.StartUp());
    EXPECT_TRUE(boxes.Shown().isEmpty()) << "not the same error again";
    EXPECT_EQ(ui.m_recentShown, (QStringList{shop, other})) << "Progetti is offered instead";
}

TEST_F(ProjectStartTest, ProjectThatFailsToOpenDoesNotGoToTheTop)
{
    Damage(shop);
    CRecentProjects(fixture.Settings()).Add(shop);
    CRecentProjects(fixture.Settings()).Add(other);
    ui.m_strChosenFolder = shop;
    Program program(fixture, ui);
    program.session.FileOpen();
    EXPECT_FALSE(program.open);
    EXPECT_EQ(Recent(), (QStringList{other, shop}));

    // Mended, it opens and becomes the newest.
    QFile::remove(CProjectFolder::DatabasePath(shop));
    ASSERT_TRUE(QFile::copy(CProjectFolder::DatabasePath(other), CProjectFolder::DatabasePath(shop)));
    program.session.FileOpen();
    EXPECT_TRUE(program.open);
    EXPECT_EQ(Recent(), (QStringList{shop, other}));
}

TEST_F(ProjectStartTest, SecondProgramOnTheSameProjectIsRefused)
{
    CRecentProjects(fixture.Settings()).Add(shop);
    Program first(fixture, ui);
    ASSERT_TRUE(first.session.StartUp());
    ASSERT_TRUE(first.open);
    EXPECT_TRUE(QFileInfo::exists(shop + "/db/tinda.lock"));

    Program second(fixture, ui);
    EXPECT_TRUE(second.session.StartUp());
    EXPECT_FALSE(second.open);
    EXPECT_FALSE(second.db.IsOpen());
    EXPECT_EQ(boxes.LastText(),
              "Il progetto \"Scarpe Rossi\" è già aperto in un'altra finestra di Quintaro.\n\n"
              "Continuare il lavoro in quella finestra.");
    EXPECT_EQ(boxes.Shown().last().icon, CMessageBox::Exclamation);

    // Another project is free; once the first closes, so is this one.
    ui.m_strChosenFolder = other;
    second.session.FileOpen();
    EXPECT_TRUE(second.open);
    first.session.CloseProject();
    ui.m_strChosenFolder = shop;
    second.session.FileOpen();
    EXPECT_TRUE(second.open);
    EXPECT_EQ(second.folder, shop + "/");
}

TEST_F(ProjectStartTest, CommandLineFolderIsOpenedOrMade)
{
    Program program(fixture, ui);
    const QString fresh = fixture.ProjectPath(QStringLiteral("nuovo"));
    EXPECT_TRUE(program.session.StartUp(fresh));
    EXPECT_TRUE(program.open);
    EXPECT_TRUE(QFileInfo::exists(CProjectFolder::DatabasePath(fresh)));
    EXPECT_EQ(Recent().value(0), fresh);
    EXPECT_EQ(ui.m_recentShown, QStringList()) << "no dialog";

    program.session.CloseProject();
    EXPECT_TRUE(program.session.StartUp(other));
    EXPECT_EQ(program.folder, other + "/");
}

} // namespace
