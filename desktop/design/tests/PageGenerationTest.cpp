#include "desktop/design/CCodePlaceholders.h"
#include "desktop/design/CDesignFiles.h"
#include "desktop/design/CPageGenerator.h"
#include "desktop/design/CStyleSheetWriter.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A small graphic project: page 10 from the template file system/default.asp
// with a feature (11), an included block (12) holding an inlined one (13), an
// inactive block (14), a reference to 12 (15) and a block with neither a
// category nor a reference (16); page 20 of another sheet with an included
// block read from a template file (22); block 1, whose classes apply
// everywhere; top-level blocks whose template names lead outside the
// template folder (30) or to no file (40).
class PageGenerationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        install.WriteFile("template/system/default.asp",
                          "<html><head>\r\n##LINKCSS##</head>\r\n<body class=\"pagina\">\r\n##CODICEFIGLIO##\r\n"
                          "</body></html>\r\n");
        install.WriteFile("template/system/altra.asp", "<h1>%%SYSID%%</h1>\n##LINKCSS####CODICEFIGLIO##");
        install.WriteFile("template/blocchi/riquadro.inc", "<div class=\"Blocco\">riquadro %%SYSID%%</div>\r\n");
        install.WriteFile("segreto.asp", "segreto");
        installFolder = install.Path() + "/";

        Category(3, "base.css");
        Category(2, "menu.css");
        Category(1, "sito.css");
        Category(4, "spento.css");
        Category(5, "altro.css");

        Block(1, 1, 0, 1, true, "", false, 6);
        Class(1, 1, ".Blocco", 1, {{5, "#000000"}});
        Class(2, 1, ".testo", 2, {{32, "11"}});

        Block(10, 1, 0, 1, true, "\\system\\default.asp", false, 0);
        Class(10, 10, ".pagina", 1, {{4, "#FFFFFF"}, {26, "url(/images/<%=Lingua%>/sfondo.gif)"}});
        Class(11, 10, ".vuota", 2, {});
        Class(17, 10, "a:hover", 3, {{5, "#FF0000"}});

        Block(11, 2, 10, 1, true,
              "<div class=\"menu\" id=\"m%%SYSID%%\"><span class='menu'>%%Titolo%%</span>"
              "%%Mostra%%<b>si</b>%%/Mostra%%[%%Nascondi%%no%%/Nascondi%%]"
              "{%%Col=0%%zero%%/Col=0%%%%Col=1%%uno%%/Col=1%%%%Col=2%%due%%/Col=2%%}"
              "(%%Nessuna=0%%a%%/Nessuna=0%%%%Nessuna=1%%b%%/Nessuna=1%%)"
              "<p class=\"Blocco\">b</p><i class='testo'>t</i><ul class=\"menu a\">##CODICEFIGLIO##</ul>"
              "%%Orfano%%resta##LINKCSS##</div>",
              false, 4);
        Class(12, 11, ".menu", 1, {{0, "100"}, {1, "50%"}, {6, "12px"}, {26, "url(/images/menu.gif)"}});
        Class(13, 11, ".menu a", 2, {{5, "#0000FF"}});
        Class(18, 11, ".altro b", 3, {{5, "#00FF00"}});
        Class(19, 11, ".dopo span", 4, {{5, "#111111"}});
        Class(20, 11, ".dopo", 5, {{5, "#222222"}});
        Parameter(1, 11, "Titolo", 1, "Benvenuti");
        Parameter(2, 11, "Mostra", 3, "1");
        Parameter(3, 11, "Nascondi", 3, "0");
        Parameter(4, 11, "Col", 4, "1", "a,b,c");
        Parameter(5, 11, "Nessuna", 4, "", "a,b");
        Parameter(6, 11, "Orfano", 3, "0");

        Block(12, 3, 10, 2, true, "<div class=\"Blocco\">##LINKCSS##\n\t##CODICEFIGLIO##\n</div>", true, 1);
        Class(14, 12, ".Blocco", 1,
              {{10, "1"}, {11, "solid"}, {12, "#FF0000"}, {13, "2"}, {14, "none"}, {15, "#00FF00"},
               {17, "dotted"}, {18, "#0000FF"}, {19, "3"}});
        Class(15, 12, ".cornice", 2, {{22, "4"}, {25, "10%"}});
        Block(13, 1, 12, 1, true,
              "piede %%SYSID%% <em class=\"cornice\">##CODICEFIGLIO##</em>"
              "<b class=\"cella\">c</b><b class=\"cella22\">d</b>",
              false, 1);
        Class(22, 13, ".cella", 1, {});
        Class(23, 13, ".cella22", 2, {});
        Class(16, 13, ".Blocco", 3, {{5, "#333333"}});

        Block(14, 4, 10, 3, false, "<p>spento</p>", false, 1);
        Class(24, 14, ".spento", 1, {{5, "#444444"}});
        Block(15, 0, 10, 4, true, "<!-- #include virtual=\"/include12.asp\"-->", false, 5, 12);
        Block(16, 0, 10, 5, true, "<hr class=\"Blocco\">", false, 6);

        Block(20, 5, 0, 2, true, "\\system\\altra.asp", false, 0);
        Block(21, 1, 20, 1, true, "riga %%SYSID%%\r\n##LINKCSS##\r\nfine", false, 1);
        Block(22, 1, 20, 2, true, "\\blocchi\\riquadro.inc", true, 1);

        Block(30, 1, 0, 3, true, "\\system\\..\\..\\segreto.asp", false, 0);
        Block(31, 1, 30, 1, true, "x", false, 1);
        Block(40, 1, 0, 4, true, "\\system\\manca.asp", false, 0);
        Block(41, 1, 40, 1, true, "x", false, 1);
    }

    void Category(int id, const char* file)
    {
        shop.Row("CategorieCodiciASP", {{"ID", id}, {"Nome", file}, {"Ordine", id}, {"NomeFileCSS", file}});
    }
    void Block(int id, int category, int parent, int order, bool active, const char* code, bool include, int kind,
               int reference = 0)
    {
        shop.Row("CodiceASP", {{"ID", id}, {"IDCategoria", category}, {"IDPadre", parent},
                               {"Nome", QStringLiteral("Blocco %1").arg(id)}, {"Ordine", order},
                               {"Attivo", active ? 1 : 0}, {"ASP", QString::fromUtf8(code)}, {"Include", include ? 1 : 0},
                               {"TipoCodice", kind}, {"IDRiferimento", reference}});
    }
    void Class(int id, int block, const char* selector, int order, QList<std::pair<int, const char*>> attributes)
    {
        shop.Row("ClassiCSS", {{"ID", id}, {"IDCodiceASP", block}, {"Nome", selector}, {"Ordine", order},
                               {"NomeCSS", selector}});
        for (const auto& [attribute, value] : attributes)
            shop.Row("AttributiCSS", {{"ID", ++attributeId}, {"IDClasse", id}, {"IDAttributo", attribute},
                                      {"Valore", value}});
    }
    void Parameter(int id, int block, const char* key, int kind, const char* value, const char* options = "")
    {
        shop.Row("Parametri", {{"ID", id}, {"IDCodiceASP", block}, {"Nome", key}, {"Bookmark", key},
                               {"Ordine", id}, {"Tipo", kind}, {"Valore", value}, {"Opzioni", options}});
    }

    QString Asp(const QString& name) const { return shop.Folder() + "website/asp/" + name; }
    QString Css(const QString& name) const { return shop.Folder() + "website/images/" + name; }
    QStringList AspFiles() const { return QDir(shop.Folder() + "website/asp").entryList(QDir::Files, QDir::Name); }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // Byte for byte; a mismatch shows what was written.
    static void ExpectGolden(const QString& written, const char* golden)
    {
        const QByteArray expected = Read(QStringLiteral(QTR_DESIGN_GOLDEN "/") + golden);
        const QByteArray actual = Read(written);
        EXPECT_EQ(actual, expected) << golden << " differs; written:\n" << actual.toStdString();
    }

    ShopTestDb shop;
    TempFolder install;
    QString installFolder;
    int attributeId = 0;
};

TEST_F(PageGenerationTest, APageTreeIsWrittenAsTheGoldenFiles)
{
    shop.Temp().WriteFile("negozio/website/asp/include11.asp", "vecchio");   // 11 is no longer Include
    shop.Temp().WriteFile("negozio/website/asp/include14.asp", "vecchio");   // 14 is inactive: not visited
    CPageGenerator generator(shop.Db(), installFolder, shop.Folder());
    QList<std::pair<int, int>> steps;
    generator.SetProgress([&](int position, int range) { steps.append({position, range}); });

    generator.RegeneratePageTree(13);   // climbs to page 10

    ExpectGolden(Asp("default.asp"), "default.asp");
    ExpectGolden(Asp("include12.asp"), "include12.asp");
    EXPECT_EQ(AspFiles(), (QStringList{"default.asp", "include12.asp", "include14.asp"}));
    EXPECT_EQ(generator.Sheets(), (QStringList{"base.css", "menu.css", "sito.css"}))
        << "16 has neither category nor reference and links no sheet of page 20";
    // 10, 11, 12, 13, 15, 16: six blocks generated, range one more.
    const QList<std::pair<int, int>> expected{{1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}};
    EXPECT_EQ(steps, expected);
    EXPECT_TRUE(generator.FailedFiles().isEmpty());
}

TEST_F(PageGenerationTest, IncludeBlocksFromTemplateFilesAndPagesOfOtherSheets)
{
    CPageGenerator generator(shop.Db(), installFolder, shop.Folder());
    generator.RegeneratePageTree(22);
    ExpectGolden(Asp("altra.asp"), "altra.asp");
    ExpectGolden(Asp("include22.asp"), "include22.asp");
    EXPECT_EQ(AspFiles(), (QStringList{"altra.asp", "include22.asp"})) << "an Include block takes the include name";
}

TEST_F(PageGenerationTest, TheWholeProjectIsEveryTopLevelBlockWithChildren)
{
    CPageGenerator generator(shop.Db(), installFolder, shop.Folder());
    generator.RegenerateProject();
    // Block 1 has no children; 30's template leads outside the template
    // folder, so it has no file name; 40's file is missing and its path
    // text stands as its code.
    EXPECT_EQ(AspFiles(), (QStringList{"altra.asp", "default.asp", "include12.asp", "include22.asp", "manca.asp"}));
    EXPECT_EQ(Read(Asp("manca.asp")), "\\system\\manca.asp\r\n");
    EXPECT_FALSE(QFile::exists(shop.Folder() + "website/segreto.asp"));
    EXPECT_EQ(generator.GeneratePages(30, false), "\\system\\..\\..\\segreto.asp")
        << "a name leading out of the template folder is not read";
}

TEST_F(PageGenerationTest, CountingFollowsOnlyActiveBlocks)
{
    CPageGenerator generator(shop.Db(), installFolder, shop.Folder());
    generator.CountActiveSubtree(10);
    EXPECT_EQ(generator.Counter(), 1 + 6) << "10, 11, 12, 13, 15 and 16";
    generator.CollectReferencedSheets(10);
    EXPECT_EQ(generator.Sheets(), (QStringList{"base.css", "menu.css", "sito.css", "spento.css"}))
        << "inactive blocks count when a reference collects";
}

TEST_F(PageGenerationTest, AParentLoopInTheDatabaseEnds)
{
    shop.Db().Execute("UPDATE CodiceASP SET IDPadre=13 WHERE ID=10");
    CPageGenerator generator(shop.Db(), installFolder, shop.Folder());
    generator.RegeneratePageTree(11);
    EXPECT_TRUE(QFile::exists(Asp("include12.asp")));
}

TEST_F(PageGenerationTest, StyleSheetsAreWrittenAsTheGoldenFiles)
{
    CStyleSheetWriter writer(shop.Db(), shop.Folder());
    int steps = 0;
    writer.SetProgress([&](int, int) { ++steps; });
    EXPECT_TRUE(writer.WriteStyleSheets(11));
    EXPECT_TRUE(writer.WriteStyleSheets(13));
    EXPECT_TRUE(writer.WriteStyleSheets(12));
    EXPECT_TRUE(writer.WriteStyleSheets(14));
    ExpectGolden(Css("menu.css"), "menu.css");
    ExpectGolden(Css("sito.css"), "sito.css");
    ExpectGolden(Css("base.css"), "base.css");
    EXPECT_EQ(Read(Css("spento.css")), "") << "a category with no active block";
    EXPECT_EQ(steps, 5 + (2 + 3 + 3) + 2 + 0);

    EXPECT_TRUE(writer.WriteStyleSheets(15));   // category 0: nothing
    EXPECT_EQ(QDir(shop.Folder() + "website/images").entryList(QDir::Files).size(), 4);
}

TEST_F(PageGenerationTest, ASheetNameThatIsNoPlainFileNameIsRefused)
{
    shop.Db().Execute("UPDATE CategorieCodiciASP SET NomeFileCSS='../../fuori.css' WHERE ID=2");
    CStyleSheetWriter writer(shop.Db(), shop.Folder());
    EXPECT_FALSE(writer.WriteStyleSheets(11));
    EXPECT_FALSE(QFile::exists(shop.Temp().FilePath("fuori.css")));
    EXPECT_FALSE(QFile::exists(shop.Folder() + "fuori.css"));
}

TEST(StyleSheetSelectors, ClassAndCompoundSelectors)
{
    QHash<QString, QString> seen;
    EXPECT_EQ(CStyleSheetWriter::Selector("td a:hover", 3, seen), "td a:hover");
    EXPECT_EQ(CStyleSheetWriter::Selector(".menu span", 4, seen), ".menu span") << "not yet defined";
    EXPECT_EQ(CStyleSheetWriter::Selector(".menu", 5, seen), ".menu5");
    EXPECT_EQ(CStyleSheetWriter::Selector(".menu span", 6, seen), ".menu5 span");
    EXPECT_EQ(CStyleSheetWriter::Selector(".menu li a", 7, seen), ".menu5 li a");
}

struct SectionCase
{
    const char* name;
    int kind;   // 3 yes/no, 4 choice
    const char* value;
    const char* options;
    const char* code;
    const char* expected;
};

TEST(CodePlaceholders, SectionsAreKeptOrCut)
{
    const SectionCase cases[] = {
        {"yes keeps the text", 3, "1", "", "a%%K%%b%%/K%%c%%K%%d%%/K%%", "abcd"},
        {"no cuts every section", 3, "0", "", "a%%K%%b%%/K%%c%%K%%d%%/K%%e", "ace"},
        {"empty is no", 3, "", "", "a%%K%%b%%/K%%c", "ac"},
        {"start without end stays", 3, "0", "", "a%%K%%b", "a%%K%%b"},
        {"end before its start stays", 3, "0", "", "a%%/K%%b%%K%%c%%/K%%d", "a%%/K%%bd"},
        {"stray end with yes goes", 3, "1", "", "a%%/K%%b", "ab"},
        {"other keys untouched", 3, "0", "", "%%L%%x%%/L%%", "%%L%%x%%/L%%"},
        {"choice keeps its option", 4, "1", "a,b,c", "%%K=0%%z%%/K=0%%%%K=1%%u%%/K=1%%%%K=2%%d%%/K=2%%", "u"},
        {"no choice cuts all", 4, "", "a,b,c", "%%K=0%%z%%/K=0%%%%K=1%%u%%/K=1%%%%K=2%%d%%/K=2%%", ""},
        {"options beyond the list stay", 4, "0", "a", "%%K=0%%z%%/K=0%%%%K=1%%u%%/K=1%%", "z%%K=1%%u%%/K=1%%"},
        {"empty list handles none", 4, "0", "", "%%K=0%%z%%/K=0%%", "%%K=0%%z%%/K=0%%"},
        {"trailing comma ends the list", 4, "5", "a,b,", "%%K=1%%u%%/K=1%%%%K=2%%d%%/K=2%%", "%%K=2%%d%%/K=2%%"},
        {"empty item counts", 4, "2", "a,,c", "%%K=1%%u%%/K=1%%%%K=2%%d%%/K=2%%", "d"},
        {"value read as leading digits", 4, " 1x", "a,b", "%%K=0%%z%%/K=0%%%%K=1%%u%%/K=1%%", "u"},
    };
    for (const SectionCase& c : cases) {
        const QString result = c.kind == 3 ? CCodePlaceholders::Switch(c.code, "K", c.value)
                                           : CCodePlaceholders::Choice(c.code, "K", c.value, c.options);
        EXPECT_EQ(result, QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(DesignFiles, TemplateNamesStayInsideTheTemplateFolder)
{
    TempFolder install;
    install.WriteFile("template/system/default.asp", "x");
    install.WriteFile("fuori.asp", "x");
    ASSERT_TRUE(QFile::link(install.FilePath("fuori.asp"), install.FilePath("template/link.asp")));
    const QString folder = install.Path() + "/";
    const QString inside = install.Path() + "/template/system/default.asp";
    const std::pair<const char*, QString> cases[] = {
        {"\\system\\default.asp", inside},
        {"/system/default.asp", inside},
        {"\\system\\\\default.asp", inside},
        {"\\..\\fuori.asp", QString()},
        {"\\system\\..\\..\\fuori.asp", QString()},
        {"\\system\\..", QString()},
        {"\\", QString()},
        {"\\link.asp", QString()},
        {"default.asp", QString()},
    };
    for (const auto& [code, path] : cases)
        EXPECT_EQ(CDesignFiles::TemplatePath(folder, code), path) << code;
    EXPECT_EQ(CDesignFiles::OwnName("\\system\\default.asp"), "default.asp");
    EXPECT_EQ(CDesignFiles::OwnName("\\system\\"), "");
    EXPECT_EQ(CDesignFiles::OwnName("\\system\\.."), "");
    EXPECT_EQ(CDesignFiles::JoinLines("a\r\nb\nc"), "a\nb\nc\n");
    EXPECT_EQ(CDesignFiles::JoinLines(""), "");
    EXPECT_EQ(CDesignFiles::JoinLines("a\n\n"), "a\n\n");
}

} // namespace
