#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "desktop/shell/settings/CImpostazioneParametriCore.h"
#include "desktop/shell/settings/CImpostazioneParametriDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

using Core = CImpostazioneParametriCore;

class PageParametersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row("Lingue", {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}});
        shop.Row("Lingue", {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "English"}, {"Attivo", 1}});
        Parameter(1, 0, "Titolo", 0, "Benvenuti");
        Parameter(2, 1, "Logo", 2, "");
        Parameter(3, 2, "Mostra", 3, "1");
        Parameter(4, 3, "Colonne", 4, "", "uno , due , tre ");
        Parameter(9, 1, "Altro", 2, "/images/condiviso.jpg", "", 8);
        shop.Temp().WriteFile("scelte/logo.jpg", "jpg");
        picture = shop.Temp().Path() + "/scelte/logo.jpg";
    }

    void Parameter(int id, int order, const char* name, int kind, const char* value, const char* options = "",
                   int block = 5)
    {
        shop.Row("Parametri", {{"ID", id}, {"IDCodiceASP", block}, {"Nome", name}, {"Ordine", order},
                               {"Tipo", kind}, {"Valore", value}, {"Opzioni", options}});
    }

    QString Stored(int id) { return shop.Value("SELECT Valore FROM Parametri WHERE ID=?", {id}).toString(); }

    std::unique_ptr<Core> Open() { return std::make_unique<Core>(shop.Db(), shop.Db(), 5, shop.Folder()); }

    ShopTestDb shop;
    CMessageBoxScript boxes;
    QString picture;
};

TEST_F(PageParametersTest, KindsShowTheirControls)
{
    auto core = Open();
    EXPECT_EQ(core->Parameters().size(), 4) << "only this block's parameters";
    EXPECT_EQ(core->Languages().first().text, "Indipendente dalla lingua");
    core->Select(1);
    EXPECT_EQ(core->Current().label, "Nome file");
    EXPECT_TRUE(core->Current().valueReadOnly);
    EXPECT_FALSE(core->Current().canChange) << "until a language entry is chosen";
    core->Select(2);
    EXPECT_TRUE(core->Current().showCheck);
    EXPECT_TRUE(core->Current().check);
    core->Select(3);
    EXPECT_EQ(core->Current().choices, (QStringList{"uno ", "due ", "tre"}));
    EXPECT_EQ(core->Current().choice, -1);
}

TEST_F(PageParametersTest, MovingToAnotherParameterStoresTheFirst)
{
    auto core = Open();
    core->Select(0);
    core->Current().value = QStringLiteral("Ciao");
    core->Select(3);
    EXPECT_EQ(Stored(1), "Ciao");
    core->Current().choice = 2;
    core->Accept();
    EXPECT_EQ(Stored(4), "2");
}

TEST_F(PageParametersTest, FileForEveryLanguageGoesToTheImageFolder)
{
    auto core = Open();
    core->Select(1);
    core->ChooseLanguage(0);
    ASSERT_TRUE(core->ChangeFile(picture));
    EXPECT_TRUE(QFileInfo::exists(shop.Folder() + "website/images/logo.jpg"));
    core->Accept();
    EXPECT_EQ(Stored(2), "/images/logo.jpg");
}

TEST_F(PageParametersTest, FilePerLanguageStoresTheLanguageExpression)
{
    auto core = Open();
    core->Select(1);
    core->ChooseLanguage(1);   // English (languages by name)
    ASSERT_TRUE(core->ChangeFile(picture));
    core->ChooseLanguage(2);
    ASSERT_TRUE(core->ChangeFile(picture));
    EXPECT_TRUE(QFileInfo::exists(shop.Folder() + "website/images/en/logo.jpg"));
    EXPECT_TRUE(QFileInfo::exists(shop.Folder() + "website/images/it/logo.jpg"));
    core->Accept();
    EXPECT_EQ(Stored(2), "/images/\" & Generale.CodiceLingua & \"/logo.jpg");

    shop.Temp().WriteFile("scelte/altro.jpg", "jpg");
    const QString other = shop.Temp().Path() + "/scelte/altro.jpg";
    EXPECT_FALSE(core->ChangeFile(other));
    EXPECT_EQ(boxes.LastText(),
              "E' necessario selezionare per tutte le lingue un file con il medesimo nome (logo.jpg)");
}

TEST_F(PageParametersTest, DeletingAFileAnotherParameterUsesKeepsIt)
{
    shop.Temp().WriteFile("negozio/website/images/condiviso.jpg", "jpg");
    Parameter(7, 4, "Sfondo", 2, "/images/condiviso.jpg");
    auto core = Open();
    core->Select(4);
    EXPECT_EQ(core->Current().value, "condiviso.jpg");
    EXPECT_TRUE(core->Current().canDelete);
    core->DeleteFile();
    EXPECT_EQ(core->Current().value, "");
    EXPECT_TRUE(QFileInfo::exists(shop.Folder() + "website/images/condiviso.jpg")) << "parameter 9 still uses it";
    core->Accept();
    EXPECT_EQ(Stored(7), "");
}

struct ChoicesCase
{
    const char* name;
    const char* options;
    QStringList choices;
};

class ChoiceLists : public ::testing::TestWithParam<ChoicesCase>
{
};

TEST_P(ChoiceLists, SplitAtCommas)
{
    EXPECT_EQ(Core::Choices(QString::fromUtf8(GetParam().options)), GetParam().choices);
}

INSTANTIATE_TEST_SUITE_P(
    Parametri, ChoiceLists,
    ::testing::Values(ChoicesCase{"BlanksAroundCommas", " a , b , c ", {" a ", "b ", "c"}},
                      ChoicesCase{"NoComma", "solo", {"solo"}}, ChoicesCase{"Empty", "", {}},
                      ChoicesCase{"EmptyPieces", "a,,b", {"a", "", "b"}}),
    [](const ::testing::TestParamInfo<ChoicesCase>& info) { return std::string(info.param.name); });

TEST_F(PageParametersTest, DialogWritesOnOk)
{
    CImpostazioneParametriDlg dialog(shop.Db(), shop.Db(), 5, shop.Folder());
    EXPECT_EQ(dialog.windowTitle(), "Impostazione parametri");
    EXPECT_EQ(dialog.ParameterList()->currentRow(), 0);
    dialog.ParameterList()->setCurrentRow(2);
    EXPECT_TRUE(dialog.EnableCheck()->isChecked());
    dialog.EnableCheck()->setChecked(false);
    dialog.accept();
    EXPECT_EQ(Stored(3), "0");
}

} // namespace
