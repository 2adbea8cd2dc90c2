// How projects are named to the merchant: the shop's name in the recent
// list, and the characters a new project's folder name cannot hold.
#include "ProjectFixture.h"

#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/projects/CNuovoProgettoDlg.h"
#include "desktop/shell/projects/CProgettiDlg.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/CProjectShopName.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ProjectNames, RecentListShowsTheShopWithTheFolderAsHint)
{
    ProjectFixture fixture;
    const QString named = fixture.MakeProject(QStringLiteral("negozio1"));
    ProjectFixture::Exec(CProjectFolder::DatabasePath(named),
                         {QStringLiteral("DELETE FROM Configurazione"),
                          QStringLiteral("INSERT INTO Configurazione (ID, RagioneSociale) VALUES (1, 'Scarpe Rossi srl')")});
    const QString unnamed = fixture.MakeProject(QStringLiteral("negozio2"));
    ProjectFixture::Exec(CProjectFolder::DatabasePath(unnamed), {QStringLiteral("UPDATE Configurazione SET RagioneSociale=''")});
    const QString damaged = fixture.MakeProject(QStringLiteral("negozio3"));
    QFile file(CProjectFolder::DatabasePath(damaged));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(2048, 'x'));
    file.close();

    EXPECT_EQ(CProjectShopName::Of(named), "Scarpe Rossi srl");
    EXPECT_EQ(CProjectShopName::Of(unnamed), unnamed);
    EXPECT_EQ(CProjectShopName::Of(damaged), damaged);
    EXPECT_EQ(CProjectShopName::Of(QStringLiteral("/nessuna/cartella")), "/nessuna/cartella");

    CProgettiDlg dialog({named, unnamed});
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.List()->count(), 3);
    EXPECT_EQ(dialog.List()->item(1)->text(), "Scarpe Rossi srl");
    EXPECT_EQ(dialog.List()->item(1)->toolTip(), named);
    dialog.accept();
    EXPECT_EQ(dialog.m_strFolder, named) << "the folder is what opens";
}

TEST(ProjectNames, NewProjectSaysWhichCharactersTheFolderCannotHold)
{
    TempFolder base;
    CNuovoProgettoDlg dialog;
    dialog.m_strFolder = base.Path();
    dialog.OnInitDialog();
    dialog.show();
    EXPECT_FALSE(dialog.DroppedLabel()->isVisible());
    dialog.NameEdit()->setFocus();
    QTest::keyClicks(dialog.NameEdit(), QStringLiteral("Shop 1!x"));
    EXPECT_EQ(dialog.NameEdit()->text(), "hop1x");
    ASSERT_TRUE(dialog.DroppedLabel()->isVisible());
    EXPECT_TRUE(dialog.DroppedLabel()->text().startsWith("Il nome della cartella del progetto non può contenere: "
                                                        "S spazio !."))
        << dialog.DroppedLabel()->text().toStdString();
    EXPECT_FALSE(QFile::exists(base.Path() + "/hop1x")) << "nothing is made before OK";
}

} // namespace

namespace {

TEST(ProjectNames, PastedNameLosesWhatAFolderCannotHoldAndSaysSo)
{
    TempFolder base;
    CNuovoProgettoDlg dialog;
    dialog.m_strFolder = base.Path();
    dialog.OnInitDialog();
    dialog.NameEdit()->insert(QStringLiteral("Scarpe rosse!"));   // what a paste does
    EXPECT_EQ(dialog.NameEdit()->text(), "carperosse");
    EXPECT_EQ(dialog.FolderEdit()->text(), base.Path() + "/carperosse");
    EXPECT_TRUE(dialog.DroppedLabel()->text().contains("S spazio !")) << dialog.DroppedLabel()->text().toStdString();
}

} // namespace
