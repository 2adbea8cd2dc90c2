#include "ProjectFixture.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/CProjectOpener.h"
#include "desktop/shell/projects/CSincronizzazioneDlg.h"
#include "desktop/shell/projects/CSyncLockWait.h"
#include "platform/dao/CDaoDatabase.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(SyncLockWait, ReleasedWhenTheLockGoesAndNotBefore)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("db/sync.lck"), "");
    CSyncLockWait wait(folder.FilePath(QStringLiteral("db/sync.lck")));
    QSignalSpy released(&wait, &CSyncLockWait::Released);
    wait.Start();
    EXPECT_FALSE(released.wait(100));
    QFile::remove(folder.FilePath(QStringLiteral("db/sync.lck")));
    ASSERT_TRUE(released.wait(5000));
    EXPECT_EQ(released.count(), 1);
    EXPECT_FALSE(wait.IsWatching());
}

TEST(SyncLockWait, NoLockReleasesFromTheEventLoop)
{
    TempFolder folder;
    CSyncLockWait wait(folder.FilePath(QStringLiteral("sync.lck")));
    QSignalSpy released(&wait, &CSyncLockWait::Released);
    wait.Start();
    EXPECT_EQ(released.count(), 0);
    EXPECT_TRUE(released.wait(1000));
}

TEST(SyncLockWait, StoppedWaitStaysQuiet)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("sync.lck"), "");
    CSyncLockWait wait(folder.FilePath(QStringLiteral("sync.lck")));
    QSignalSpy released(&wait, &CSyncLockWait::Released);
    wait.Start();
    wait.Stop();
    QFile::remove(folder.FilePath(QStringLiteral("sync.lck")));
    EXPECT_FALSE(released.wait(CSyncLockWait::RecheckMs + 300));
}

TEST(SincronizzazioneDlg, EndsAcceptedWhenTheLockIsRemoved)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("sync.lck"), "");
    CSincronizzazioneDlg dialog(folder.FilePath(QStringLiteral("sync.lck")));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sincronizzazione in corso..."));
    QTimer::singleShot(200, [&] { QFile::remove(folder.FilePath(QStringLiteral("sync.lck"))); });
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
}

TEST(SincronizzazioneDlg, ChiudiQuintaroEndsRejectedAndTheWaitWithIt)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("sync.lck"), "");
    CSincronizzazioneDlg dialog(folder.FilePath(QStringLiteral("sync.lck")));
    EXPECT_EQ(dialog.CloseButton()->text(), QStringLiteral("Chiudi Quintaro"));
    QTimer::singleShot(100, dialog.CloseButton(), &QPushButton::click);
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    // The lock going later must not touch the closed dialog.
    QFile::remove(folder.FilePath(QStringLiteral("sync.lck")));
    QSignalSpy finished(&dialog, &QDialog::finished);
    EXPECT_FALSE(finished.wait(CSyncLockWait::RecheckMs + 300));
}

// The opener waits through the real dialog: a lock removed while waiting
// lets the opening go on; "Chiudi Quintaro" leaves the project closed.
class LockedProjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_project = m_fixture.MakeProject(QStringLiteral("negozio"));
        QFile lock(CProjectFolder::LockPath(m_project));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        m_ui.m_waitForLock = [](const QString& path) {
            CSincronizzazioneDlg dialog(path);
            return dialog.DoModal() == QDialog::Accepted;
        };
    }

    ProjectFixture m_fixture;
    QString m_project;
    FakeProjectUi m_ui;
    CDaoDatabase m_db;
    CMessageBoxScript m_boxes;
};

TEST_F(LockedProjectTest, OpeningGoesOnOnceTheLockIsGone)
{
    QTimer::singleShot(200, [&] { QFile::remove(CProjectFolder::LockPath(m_project)); });
    CProjectOpener opener(m_db, m_ui, m_fixture.InstallFolder());
    QString folder = m_project;
    EXPECT_TRUE(opener.OpenProject(folder));
    EXPECT_TRUE(opener.StartOk());
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(m_ui.m_locksWaited, QStringList{CProjectFolder::LockPath(m_project)});
}

TEST_F(LockedProjectTest, ChiudiQuintaroLeavesTheProjectClosed)
{
    QTimer::singleShot(100, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<CSincronizzazioneDlg*>(widget))
                dialog->CloseButton()->click();
        }
    });
    CProjectOpener opener(m_db, m_ui, m_fixture.InstallFolder());
    QString folder = m_project;
    EXPECT_FALSE(opener.OpenProject(folder));
    EXPECT_FALSE(opener.StartOk());
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_TRUE(m_ui.m_strTitle.isEmpty());
    EXPECT_EQ(folder, m_project);
}

} // namespace
