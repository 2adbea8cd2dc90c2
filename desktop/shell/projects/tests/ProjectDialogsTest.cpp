#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/projects/CAggiornamentoProgettoDlg.h"
#include "desktop/shell/projects/CNuovoProgettoDlg.h"
#include "desktop/shell/projects/CProgettiDlg.h"
#include "platform/testing/TempFolder.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The folder chooser answered by the test.
template <typename Dialog>
class Scripted : public Dialog
{
public:
    using Dialog::Dialog;
    bool m_bChosen = true;
    QString m_strChoice;
    int m_nBrowsed = 0;

protected:
    bool BrowseFolder(QString* folder) override
    {
        ++m_nBrowsed;
        if (m_bChosen)
            *folder = m_strChoice;
        return m_bChosen;
    }
};

class NuovoProgettoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dialog.m_strFolder = m_base.Path();
        m_dialog.OnInitDialog();
    }

    TempFolder m_base;
    Scripted<CNuovoProgettoDlg> m_dialog;
    CMessageBoxScript m_boxes;
};

TEST_F(NuovoProgettoTest, NameShapesTheFolderAndEnablesOk)
{
    EXPECT_EQ(m_dialog.FolderEdit()->text(), m_base.Path());
    EXPECT_TRUE(m_dialog.OkButton()->isEnabled());
    m_dialog.NameEdit()->setFocus();
    QTest::keyClicks(m_dialog.NameEdit(), QStringLiteral("Shop 1!x"));
    // Only lower-case letters, digits and "-_." are taken.
    EXPECT_EQ(m_dialog.NameEdit()->text(), QStringLiteral("hop1x"));
    EXPECT_EQ(m_dialog.FolderEdit()->text(), m_base.Path() + QStringLiteral("/hop1x"));
    EXPECT_TRUE(m_dialog.OkButton()->isEnabled());
    m_dialog.NameEdit()->clear();
    EXPECT_FALSE(m_dialog.OkButton()->isEnabled());
}

TEST_F(NuovoProgettoTest, NameIsLimitedToFifteenCharacters)
{
    m_dialog.NameEdit()->setFocus();
    QTest::keyClicks(m_dialog.NameEdit(), QStringLiteral("abcdefghijklmnopqrst"));
    EXPECT_EQ(m_dialog.NameEdit()->text().size(), 15);
}

TEST_F(NuovoProgettoTest, OkCreatesTheFolder)
{
    m_dialog.NameEdit()->setText(QStringLiteral("negozio"));
    m_dialog.accept();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog.m_strFolder, m_base.Path() + QStringLiteral("/negozio"));
    EXPECT_EQ(m_dialog.m_strName, QStringLiteral("negozio"));
    EXPECT_TRUE(QFileInfo(m_dialog.m_strFolder).isDir());
    EXPECT_TRUE(m_boxes.Shown().isEmpty());
}

TEST_F(NuovoProgettoTest, ExistingFolderIsRefusedAndTheDialogStays)
{
    // With no name typed, OK tries the offered base folder, which exists.
    m_dialog.accept();
    EXPECT_NE(m_dialog.result(), QDialog::Accepted);
    ASSERT_EQ(m_boxes.Shown().size(), 1);
    EXPECT_EQ(m_boxes.Shown().first().text, QStringLiteral("Impossibile creare la directory!"));
    EXPECT_EQ(m_boxes.Shown().first().caption, QStringLiteral("Creazione directory"));
    EXPECT_EQ(m_boxes.Shown().first().icon, CMessageBox::Stop);
}

TEST_F(NuovoProgettoTest, MissingParentIsRefused)
{
    m_dialog.FolderEdit()->setText(m_base.FilePath(QStringLiteral("a/b")));
    m_dialog.accept();
    EXPECT_NE(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_boxes.LastText(), QStringLiteral("Impossibile creare la directory!"));
}

TEST_F(NuovoProgettoTest, BrowseChangesTheBaseFolder)
{
    m_dialog.NameEdit()->setText(QStringLiteral("x"));
    m_dialog.m_strChoice = QStringLiteral("/altrove");
    m_dialog.BrowseButton()->click();
    EXPECT_EQ(m_dialog.m_strFolder, QStringLiteral("/altrove"));
    EXPECT_EQ(m_dialog.FolderEdit()->text(), QStringLiteral("/altrove/x"));
    m_dialog.m_bChosen = false;
    m_dialog.BrowseButton()->click();
    EXPECT_EQ(m_dialog.m_strFolder, QStringLiteral("/altrove"));
}

TEST(ProgettiDlg, WithoutRecentProjectsOffersANewOne)
{
    Scripted<CProgettiDlg> dialog(QStringList{});
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("Altri progetti..."));
    EXPECT_EQ(dialog.m_nChoice, 0);
    EXPECT_TRUE(dialog.NewButton()->isChecked());
    EXPECT_FALSE(dialog.List()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.m_nChoice, 0);
    EXPECT_EQ(dialog.m_nBrowsed, 0);
}

TEST(ProgettiDlg, RecentProjectsAreListedNewestFirstAndTheNewestSelected)
{
    Scripted<CProgettiDlg> dialog(QStringList{"/p/b", "/p/a"});
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.List()->count(), 3);
    EXPECT_EQ(dialog.List()->item(1)->text(), QStringLiteral("/p/b"));
    EXPECT_EQ(dialog.m_nChoice, 1);
    EXPECT_EQ(dialog.List()->currentRow(), 1);
    EXPECT_TRUE(dialog.List()->isEnabled());
    dialog.List()->setCurrentRow(2);
    dialog.accept();
    EXPECT_EQ(dialog.m_strFolder, QStringLiteral("/p/a"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ProgettiDlg, ChoiceSwitchesTheList)
{
    Scripted<CProgettiDlg> dialog(QStringList{"/p/a"});
    dialog.OnInitDialog();
    dialog.NewButton()->click();
    EXPECT_FALSE(dialog.List()->isEnabled());
    EXPECT_EQ(dialog.m_nChoice, 0);
    dialog.OpenButton()->click();
    EXPECT_TRUE(dialog.List()->isEnabled());
    EXPECT_EQ(dialog.List()->currentRow(), 0);
}

TEST(ProgettiDlg, OtherProjectsRunsTheChooser)
{
    Scripted<CProgettiDlg> dialog(QStringList{"/p/a"});
    dialog.OnInitDialog();
    dialog.List()->setCurrentRow(0);
    dialog.m_strChoice = QStringLiteral("/scelto");
    dialog.accept();
    EXPECT_EQ(dialog.m_strFolder, QStringLiteral("/scelto"));
    // A cancelled chooser empties the folder.
    dialog.m_bChosen = false;
    dialog.accept();
    EXPECT_TRUE(dialog.m_strFolder.isEmpty());
    EXPECT_EQ(dialog.m_nBrowsed, 2);
}

TEST(AggiornamentoProgettoDlg, AnnullaIsHeardAtTheNextRow)
{
    CAggiornamentoProgettoDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Aggiornamento progetto"));
    EXPECT_FALSE(dialog.IsCancelled());
    dialog.SetTableLabel(QStringLiteral("Aggiornamento tabella Valute in corso..."));
    EXPECT_EQ(dialog.TableLabel()->text(), QStringLiteral("Aggiornamento tabella Valute in corso..."));
    dialog.CancelButton()->click();
    EXPECT_TRUE(dialog.IsCancelled());
}

} // namespace
