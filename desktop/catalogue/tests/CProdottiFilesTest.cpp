// The product card's "Files" page: attachments in the site's product-files
// folder, named by state letter, product ID and code.

#include "desktop/catalogue/CProdottiFilesCore.h"
#include "desktop/catalogue/CProdottiFilesDlg.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/utilities/QtrUtilities.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class FilesPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        core.SetFolder(Files());
        core.m_chooseFile = [this] { return chosen; };
        core.m_openFile = [this](const QString& path) {
            opened << QFileInfo(path).fileName();
            return openWorks;
        };
    }

    QString Files() const { return f.Folder() + "/website/images/prodotti/files"; }

    // A file outside the project, as the merchant would choose it.
    QString Outside(const QString& name, const QByteArray& content)
    {
        const QString path = outside.Path() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    void Put(const QString& name, const QByteArray& content = "x")
    {
        QFile file(Files() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QStringList Folder() const { return QDir(Files()).entryList(QDir::Files, QDir::Name); }

    QByteArray Read(const QString& name) const
    {
        QFile file(Files() + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    CatalogueFixture f;
    TempFolder outside;
    CProdottiFilesCore core{f.Folder()};
    CMessageBoxScript boxes;
    QString chosen;
    QStringList opened;
    bool openWorks = true;
};

TEST_F(FilesPageTest, TheListShowsTheProductsCodesButNoDeletionFlags)
{
    for (const char* name : {"m15_manuale.pdf", "p15_scheda.doc", "d15_vecchio", "p150_altro.pdf", "m1_x.pdf",
                             "p15_scheda.doc.bak", "15.jpg"})
        Put(name);
    core.FillFileList(15);
    EXPECT_EQ(core.Codes(), (QStringList{"MANUALE", "SCHEDA"}));
    const CProdottiFilesCore::Buttons reset = core.ButtonState();
    EXPECT_TRUE(reset.add);
    EXPECT_FALSE(reset.replace || reset.remove || reset.open);

    core.Select(1);
    EXPECT_EQ(core.Code(), "SCHEDA");
    const CProdottiFilesCore::Buttons selected = core.ButtonState();
    EXPECT_FALSE(selected.add);
    EXPECT_TRUE(selected.replace && selected.remove && selected.open);
}

TEST_F(FilesPageTest, AnAddedFileWaitsForTheSiteUpdateUnderItsLowerCaseName)
{
    core.FillFileList(15);
    chosen = Outside("Istruzioni.PDF", "pdf");
    core.SetCode("man1");
    ASSERT_TRUE(core.Add()) << boxes.LastText().toStdString();
    EXPECT_EQ(core.Codes(), QStringList{"MAN1"});
    EXPECT_EQ(core.Code(), "") << "the field is blanked";
    EXPECT_EQ(Folder(), QStringList{"m15_man1.pdf"});
    EXPECT_EQ(Read("m15_man1.pdf"), "pdf");
    EXPECT_TRUE(IsAlertUpd(f.Folder())) << "the site needs an update";

    core.FillFileList(15);
    EXPECT_EQ(core.Codes(), QStringList{"MAN1"});
}

struct CodeCase
{
    const char* name;
    const char* code;
    const char* message;
};

class FilesPageCodes : public FilesPageTest, public ::testing::WithParamInterface<CodeCase>
{
};

TEST_P(FilesPageCodes, ABadCodeCopiesNothing)
{
    Put("p15_manuale.pdf");
    core.FillFileList(15);
    chosen = Outside("a.pdf", "new");
    core.SetCode(QString::fromUtf8(GetParam().code));
    EXPECT_FALSE(core.Add());
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8(GetParam().message));
    EXPECT_EQ(boxes.Shown().last().caption, "Validazione campi");
    EXPECT_EQ(Folder(), QStringList{"p15_manuale.pdf"});
    EXPECT_EQ(core.Codes(), QStringList{"MANUALE"});
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FilesPageCodes,
    ::testing::Values(CodeCase{"Empty", "", "Campo obbligatorio!"},
                      CodeCase{"AlreadyThereInOtherCase", "manuale", "Codice già presente!"},
                      CodeCase{"NineCharacters", "ABCDEFGHI", "Il codice file è fatto di lettere e cifre, al più 8."},
                      CodeCase{"PathInTheCode", "../x", "Il codice file è fatto di lettere e cifre, al più 8."},
                      CodeCase{"Wildcard", "A*", "Il codice file è fatto di lettere e cifre, al più 8."},
                      CodeCase{"AccentedLetter", "perché", "Il codice file è fatto di lettere e cifre, al più 8."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilesPageTest, ACancelledChoiceChangesNothing)
{
    core.FillFileList(15);
    core.SetCode("A1");
    chosen.clear();
    EXPECT_FALSE(core.Add());
    EXPECT_TRUE(Folder().isEmpty());
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(FilesPageTest, ReplacingPutsTheNewFileInPlaceOfEveryStateOfTheOld)
{
    Put("p15_scheda.doc", "old");
    core.FillFileList(15);
    core.Select(0);
    chosen = Outside("nuova.pdf", "new");
    ASSERT_TRUE(core.Replace());
    EXPECT_EQ(Folder(), QStringList{"m15_scheda.pdf"});
    EXPECT_EQ(Read("m15_scheda.pdf"), "new");
    EXPECT_EQ(core.Selected(), -1);

    // A replacement that cannot be read leaves the old file.
    core.Select(0);
    chosen = outside.Path() + "/missing.pdf";
    EXPECT_FALSE(core.Replace());
    EXPECT_EQ(boxes.LastText(), "Impossibile copiare il file!");
    EXPECT_EQ(Folder(), QStringList{"m15_scheda.pdf"});
    EXPECT_EQ(Read("m15_scheda.pdf"), "new");
}

// The shop still holds the published file under the old code, so a
// replacement under a new code leaves the flag that deletes it there.
TEST_F(FilesPageTest, ReplacingUnderANewCodeFlagsTheOldOneForDeletion)
{
    Put("p15_scheda.doc", "old");
    core.FillFileList(15);
    core.Select(0);
    core.SetCode("SCHEDA2");
    chosen = Outside("nuova.pdf", "new");
    ASSERT_TRUE(core.Replace());
    EXPECT_EQ(core.Codes(), QStringList{"SCHEDA2"});
    EXPECT_EQ(Folder(), (QStringList{"d15_scheda", "m15_scheda2.pdf"}));
}

TEST_F(FilesPageTest, DeletingLeavesTheEmptyFlagForTheSiteUpdate)
{
    Put("p15_manuale.pdf");
    Put("m15_manuale.doc");
    Put("p15_scheda.pdf");
    core.FillFileList(15);
    core.Select(0);
    boxes.Answer(QMessageBox::No);
    EXPECT_FALSE(core.Delete());
    EXPECT_EQ(Folder().size(), 3);

    core.Select(0);
    ASSERT_TRUE(core.Delete());
    EXPECT_EQ(boxes.Shown().last().caption, "Cancellazione file");
    EXPECT_EQ(Folder(), (QStringList{"d15_manuale", "p15_scheda.pdf"}));
    EXPECT_EQ(QFileInfo(Files() + "/d15_manuale").size(), 0);
    EXPECT_EQ(core.Codes(), QStringList{"SCHEDA"});
    core.FillFileList(15);
    EXPECT_EQ(core.Codes(), QStringList{"SCHEDA"}) << "the flag is never listed";
}

TEST_F(FilesPageTest, OpeningFindsTheFileOrSaysWhy)
{
    Put("p15_manuale.pdf");
    core.FillFileList(15);
    core.Select(0);
    EXPECT_TRUE(core.Open());
    EXPECT_EQ(opened, QStringList{"p15_manuale.pdf"});
    EXPECT_EQ(core.Selected(), -1);

    core.Select(0);
    openWorks = false;
    EXPECT_FALSE(core.Open());
    EXPECT_EQ(boxes.LastText(), "Impossibile aprire il file!");

    QFile::remove(Files() + "/p15_manuale.pdf");
    core.Select(0);
    EXPECT_FALSE(core.Open());
    EXPECT_EQ(boxes.LastText(), "File non trovato!");
    EXPECT_EQ(core.Codes(), QStringList{"MANUALE"});
}

TEST_F(FilesPageTest, AFolderOutsideTheProjectIsNeverWritten)
{
    TempFolder elsewhere;
    core.SetFolder(f.Folder() + "/../" + QFileInfo(elsewhere.Path()).fileName());
    core.SetFolder(elsewhere.Path());
    core.FillFileList(15);
    core.SetCode("A1");
    chosen = Outside("a.pdf", "x");
    EXPECT_FALSE(core.Add());
    EXPECT_EQ(boxes.LastText(), "Impossibile copiare il file!");
    EXPECT_TRUE(QDir(elsewhere.Path()).entryList(QDir::Files).isEmpty());

    core.SetFolder(f.Folder() + "/website/../../escape");
    EXPECT_FALSE(core.Add());
    EXPECT_FALSE(QDir(f.Folder() + "/../escape").exists());
}

TEST_F(FilesPageTest, ThePageFollowsTheListAndTheField)
{
    Put("p15_manuale.pdf");
    CProdottiFilesDlg page(f.Folder());
    page.SetFolder(Files());
    page.Core().m_chooseFile = [this] { return Outside("b.txt", "b"); };
    page.FillFileList(15);
    ASSERT_EQ(page.List()->count(), 1);
    EXPECT_TRUE(page.AddButton()->isEnabled());
    EXPECT_FALSE(page.DeleteButton()->isEnabled());

    page.List()->setCurrentRow(0);
    QString code;
    page.CodeEdit()->GetValue(code);
    EXPECT_EQ(code, "MANUALE");
    EXPECT_FALSE(page.AddButton()->isEnabled());
    EXPECT_TRUE(page.ReplaceButton()->isEnabled());
    page.DeleteButton()->click();
    EXPECT_EQ(page.List()->count(), 0);
    EXPECT_TRUE(page.AddButton()->isEnabled());

    page.CodeEdit()->SetValue(QStringLiteral("nuovo"));
    page.AddButton()->click();
    ASSERT_EQ(page.List()->count(), 1);
    EXPECT_EQ(page.List()->item(0)->text(), "NUOVO");
    EXPECT_EQ(Folder(), (QStringList{"d15_manuale", "m15_nuovo.txt"}));
}

} // namespace
