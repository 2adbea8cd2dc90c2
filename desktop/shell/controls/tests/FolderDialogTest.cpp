#include "desktop/shell/controls/CFolderDialog.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/testing/TempFolder.h"

#include <QDir>
#include <QFileSystemModel>
#include <QTest>
#include <QTreeView>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(FolderDialog, FolderNames)
{
    const std::pair<const char*, bool> cases[] = {
        {"progetto", true}, {"il mio negozio", true}, {"", false}, {" spazio", false},
        {"punto.", false},  {".nascosta", false},     {"tab\t", false}, {"a*b", false},
        {"a?b", false},     {"a:b", false},           {"a<b", false}, {"a|b", false},
        {"a\"b", false},    {"a\\b", false},          {"v1.2", true},
    };
    for (const auto& [name, valid] : cases)
        EXPECT_EQ(CFolderDialog::IsValidFolderName(name), valid) << name;
}

TEST(FolderDialog, PathsMustBeAbsoluteWithValidComponents)
{
    TempFolder temp;
    const QString base = temp.Path();
    const std::pair<QString, int> cases[] = {
        {"/", CFolderDialog::PathValid},
        {base, CFolderDialog::PathValid},
        {base + "/nuovo/progetto", CFolderDialog::PathValid},
        {"relativa/cartella", CFolderDialog::PathInvalid},
        {"", CFolderDialog::PathInvalid},
        {"//server/share", CFolderDialog::PathInvalid},
        {base + "/finisce/", CFolderDialog::PathInvalid},
        {base + "/punto./dopo", CFolderDialog::PathInvalid},
        {base + "/ spazio", CFolderDialog::PathInvalid},
    };
    for (const auto& [path, result] : cases)
        EXPECT_EQ(CFolderDialog::MakeFolderPath(path, true), result) << path.toStdString();
    EXPECT_FALSE(QFileInfo::exists(base + "/nuovo"));
}

TEST(FolderDialog, CreatesMissingLevelsOneByOne)
{
    TempFolder temp;
    const QString path = temp.Path() + "/a/b/c";
    EXPECT_EQ(CFolderDialog::MakeFolderPath(path, false), CFolderDialog::PathValid);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(FolderDialog, OkAsksBeforeCreatingAndNamesTheWholePathOnFailure)
{
    TempFolder temp;
    CFolderDialog dialog("Selezione directory", "Scegli la directory per il nuovo progetto",
                         temp.Path(), true);
    const QString path = temp.Path() + "/uno/due/tre";
    {
        CMessageBoxScript boxes;
        boxes.Answer(QMessageBox::No);
        EXPECT_FALSE(dialog.AcceptPath(path));
        ASSERT_EQ(boxes.Shown().size(), 1);
        EXPECT_EQ(boxes.LastText(), "La cartella:\n\n" + path + "\n\nnon esiste. Vuoi crearla?");
        EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Question);
        EXPECT_FALSE(QFileInfo::exists(temp.Path() + "/uno"));
    }
    {
        temp.WriteFile("uno", "a file where a folder should go");
        CMessageBoxScript boxes;
        EXPECT_FALSE(dialog.AcceptPath(path));
        EXPECT_EQ(boxes.LastText(), "La cartella:\n\n" + path + "\n\nnon può essere creata.");
        EXPECT_EQ(boxes.Shown().last().icon, CMessageBox::Exclamation);
        QFile::remove(temp.FilePath("uno"));
    }
    {
        CMessageBoxScript boxes;
        EXPECT_FALSE(dialog.AcceptPath(temp.Path() + "/finisce/"));
        EXPECT_EQ(boxes.LastText(), "Il nome per la cartella:\n\n" + temp.Path()
                                        + "/finisce/\n\nnon è corretto. Scegli un altro nome.");
    }
    {
        CMessageBoxScript boxes;
        EXPECT_TRUE(dialog.AcceptPath(path));
        EXPECT_TRUE(QFileInfo(path).isDir());
        EXPECT_EQ(dialog.GetPath(), path);
    }
}

TEST(FolderDialog, SelectionAndTypingDriveOk)
{
    TempFolder temp;
    CFolderDialog dialog("Selezione directory", "Scegli la directory relativa al progetto...",
                         temp.Path(), false);
    EXPECT_EQ(dialog.windowTitle(), "Selezione directory");
    dialog.SelectFolder(temp.Path());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.EditBox()->text(), temp.Path());
    dialog.SelectFolder(QString());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.EditBox()->setText("/x");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.EditBox()->setText("");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
}

} // namespace

namespace {

TEST(FolderDialog, PathFieldChoosesAnExistingFolderWhenNoneMayBeMade)
{
    TempFolder temp;
    temp.WriteFile("progetti/negozio/db/x", "x");
    const QString start = temp.Path() + "/progetti";
    CFolderDialog dialog("Selezione directory", "Scegli la directory relativa al progetto...", start, false);
    EXPECT_FALSE(dialog.EditBox()->isHidden()) << "the path field is always offered";
    EXPECT_EQ(dialog.EditBox()->text(), start);
    EXPECT_EQ(dialog.Tree()->currentIndex().data(QFileSystemModel::FilePathRole).toString(), start)
        << "the tree starts on the given folder";

    QTest::keyClicks(dialog.EditBox(), "/negozio");
    EXPECT_EQ(dialog.Tree()->currentIndex().data(QFileSystemModel::FilePathRole).toString(), start + "/negozio");
    EXPECT_EQ(dialog.EditBox()->text(), start + "/negozio") << "typing is not overwritten by the tree";

    CMessageBoxScript boxes;
    EXPECT_FALSE(dialog.AcceptPath(start + "/manca"));
    EXPECT_EQ(boxes.LastText(), "La cartella:\n\n" + start + "/manca\n\nnon esiste.");
    EXPECT_FALSE(QFileInfo::exists(start + "/manca")) << "nothing is offered for making";
    EXPECT_TRUE(dialog.AcceptPath(start + "/negozio"));
}

} // namespace
