#include "desktop/design/tests/StiliFixture.h"

#include <gtest/gtest.h>

namespace {

const QString kDifferentName =
    QStringLiteral("E' necessario selezionare per tutte le lingue un file con il medesimo nome (fondo.jpg)");


// A picture outside the project, as the merchant picks it.
QString Source(StiliFixture& f, const QString& name, const QByteArray& content = "new")
{
    const QString path = f.db.Temp().Path() + QStringLiteral("/scelte/") + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

QByteArray Content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(StileSfondoCore, LinguaListsTheActiveLanguagesByDescription)
{
    StiliFixture f;
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.LoadLanguages(f.db.Db());
    EXPECT_EQ(sfondo.LanguageEntries(),
              (QStringList{"Indipendente dalla lingua", "Francese", "Inglese", "Italiano"}));
}

// Which URL a name becomes depends on where its file lies.
struct UrlCase
{
    const char* name;
    QStringList files;
    const char* value;
};

void PrintTo(const UrlCase& c, std::ostream* os)
{
    *os << c.name;
}

class ImageUrl : public ::testing::TestWithParam<UrlCase>
{
};

TEST_P(ImageUrl, PlainWhenTheImagesFolderHoldsTheFile)
{
    const UrlCase& c = GetParam();
    StiliFixture f;
    for (const QString& file : c.files)
        f.Image(file);
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.SetImage(QStringLiteral("url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)"));
    EXPECT_EQ(sfondo.ImageName(), "fondo.jpg");
    EXPECT_EQ(sfondo.GetImage(), QString::fromUtf8(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    StileSfondoCore, ImageUrl,
    ::testing::Values(UrlCase{"OneLanguageOnly", {"en/fondo.jpg"}, "url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)"},
                      UrlCase{"AlsoInTheImagesFolder", {"en/fondo.jpg", "fondo.jpg"}, "url(/images/fondo.jpg)"},
                      UrlCase{"ImagesFolderOnly", {"fondo.jpg"}, "url(/images/fondo.jpg)"},
                      UrlCase{"NowhereCountsAsPerLanguage", {}, "url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)"},
                      UrlCase{"AFolderOfThatNameIsNoFile", {"fondo.jpg/x"}, "url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)"}),
    [](const ::testing::TestParamInfo<UrlCase>& info) { return std::string(info.param.name); });

TEST(StileSfondoCore, SettingAValueShowsItsNameAndEnablesElimina)
{
    StiliFixture f;
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.SetImage("url(/images/a.gif))");
    EXPECT_EQ(sfondo.ImageName(), "a.gif");
    EXPECT_TRUE(sfondo.DeleteEnabled());
    EXPECT_FALSE(sfondo.ChangeEnabled());
    sfondo.SetImage("");
    EXPECT_EQ(sfondo.ImageName(), "");
    EXPECT_FALSE(sfondo.DeleteEnabled());
    EXPECT_EQ(sfondo.GetImage(), "");
}

TEST(StileSfondoCore, CambiaCopiesIntoTheChosenLanguagesFolder)
{
    StiliFixture f;
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.LoadLanguages(f.db.Db());
    sfondo.ChooseLanguage(2);   // Inglese
    EXPECT_TRUE(sfondo.ChangeEnabled());
    EXPECT_EQ(sfondo.ChangeImage(Source(f, "fondo.jpg", "en")), "");
    EXPECT_EQ(Content(f.Images() + "en/fondo.jpg"), "en");
    EXPECT_FALSE(f.HasImage("fondo.jpg"));
    EXPECT_EQ(sfondo.ImageName(), "fondo.jpg");
    EXPECT_EQ(sfondo.ChosenLanguage(), -1);
    EXPECT_FALSE(sfondo.ChangeEnabled());
    EXPECT_EQ(sfondo.GetImage(), "url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)");

    sfondo.ChooseLanguage(0);   // for every language, over an older copy
    f.Image("fondo.jpg", "old");
    EXPECT_EQ(sfondo.ChangeImage(Source(f, "fondo.jpg", "all")), "");
    EXPECT_EQ(Content(f.Images() + "fondo.jpg"), "all");
    EXPECT_EQ(sfondo.GetImage(), "url(/images/fondo.jpg)");
}

TEST(StileSfondoCore, CambiaRefusesAnotherNameForTheSameBackground)
{
    StiliFixture f;
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.LoadLanguages(f.db.Db());
    sfondo.SetImage("url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)");
    sfondo.ChooseLanguage(1);   // Francese
    EXPECT_EQ(sfondo.ChangeImage(Source(f, "Fondo.jpg")), kDifferentName);
    EXPECT_FALSE(f.HasImage("fr/Fondo.jpg"));
    EXPECT_FALSE(f.HasImage("fr/fondo.jpg"));
    EXPECT_EQ(sfondo.ImageName(), "fondo.jpg");
    EXPECT_EQ(sfondo.ChangeImage(Source(f, "fondo.jpg")), "");
    EXPECT_TRUE(f.HasImage("fr/fondo.jpg"));
}

TEST(StileSfondoCore, CambiaWithTheFileAlreadyInPlaceKeepsIt)
{
    StiliFixture f;
    f.Image("fondo.jpg", "kept");
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.ChooseLanguage(0);
    EXPECT_EQ(sfondo.ChangeImage(f.Images() + "fondo.jpg"), "");
    EXPECT_EQ(Content(f.Images() + "fondo.jpg"), "kept");
}

// Names and language codes come from stored rows: none leads outside the
// images folder.
TEST(StileSfondoCore, NamesAndCodesNeverLeaveTheImagesFolder)
{
    StiliFixture f;
    QFile::copy(f.db.Folder() + "db/database.mdb", f.db.Folder() + "website/keep.txt");
    f.Image("x/keep.txt");
    CStileSfondoCore sfondo(f.db.Folder());
    sfondo.SetLanguages({{9, QStringLiteral(".."), QStringLiteral("Fuori")}, {8, QStringLiteral("x"), QStringLiteral("X")}});
    sfondo.SetImage("url(/images/..)");
    sfondo.DeleteImage({});
    sfondo.SetImage("url(/images/keep.txt)");
    sfondo.DeleteImage({});
    EXPECT_TRUE(QFileInfo::exists(f.db.Folder() + "website/keep.txt"));
    EXPECT_FALSE(f.HasImage("x/keep.txt"));   // a plain language folder is served

    sfondo.ChooseLanguage(1);   // the code ".."
    sfondo.ChangeImage(Source(f, "keep.txt", "outside"));
    EXPECT_NE(Content(f.db.Folder() + "website/keep.txt"), "outside");
}

} // namespace
