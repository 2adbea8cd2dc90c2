#include "platform/testing/TempFolder.h"
#include "server/sync/AggiornamentoFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace {

class ShopFiles : public testing::Test
{
protected:
    void Write(const QString& relative, const QByteArray& content = "x")
    {
        QDir().mkpath(QFileInfo(m_root.FilePath(relative)).path());
        m_root.WriteFile(relative, content);
    }
    bool Exists(const QString& relative) const { return QFileInfo::exists(m_root.FilePath(relative)); }

    TempFolder m_root;
    AggiornamentoFile m_files{m_root.Path()};
};

TEST_F(ShopFiles, PathsStayInsideTheShopFolder)
{
    EXPECT_EQ(m_files.Cartella("images\\prodotti\\th"), m_root.Path() + "/images/prodotti/th");
    for (const char* path : {"..", "images\\..\\..", "/etc", "C:\\Windows", "images\\\\x", "images/./x"})
        EXPECT_THROW(m_files.Cartella(path), std::invalid_argument) << path;
    for (const char* name : {"", "..", "a/b", "a\\b", "*.jpg", ".x.jpg.part", "x.asp ", "x.asp."})
        EXPECT_THROW(AggiornamentoFile::ControllaNome(name), std::invalid_argument) << name;

    // A link inside the site that leads out of it is not followed.
    TempFolder outside;
    ASSERT_TRUE(QFile::link(outside.Path(), m_root.FilePath("fuga")));
    EXPECT_THROW(m_files.Cartella("fuga"), std::invalid_argument);
    AggiornamentoFile::Pezzo pezzo{"fuga", "x.asp", true, -1, "evil"};
    EXPECT_THROW(m_files.ScriviPezzo(pezzo), std::invalid_argument);
    EXPECT_FALSE(QFileInfo::exists(outside.FilePath("x.asp")));
}

TEST_F(ShopFiles, AFirstPieceWithoutTheTotalReplacesTheStemAndLaterPiecesAppend)
{
    Write("images/prodotti/12.gif", "gif");
    Write("images/logo.gif", "keep");
    m_files.ScriviPezzo({"images\\prodotti", "12.jpg", true, -1, "abc"});
    EXPECT_FALSE(Exists("images/prodotti/12.gif"));
    m_files.ScriviPezzo({"images\\prodotti", "12.jpg", false, -1, "def"});
    EXPECT_EQ(m_root.ReadFile("images/prodotti/12.jpg"), "abcdef");
    // A name without "." replaces only itself.
    Write("images/logo", "old");
    m_files.ScriviPezzo({"images", "logo", true, -1, "new"});
    EXPECT_EQ(m_root.ReadFile("images/logo"), "new");
    EXPECT_TRUE(Exists("images/logo.gif"));
}

TEST_F(ShopFiles, ProductAttachmentVariantsGoTogether)
{
    for (const char* file : {"d12_manual.pdf", "m12_manual.pdf", "p12_manual.pdf", "p12_manual2.pdf"})
        Write(QString("images/prodotti/files/") + file);
    m_files.EliminaFilesProdotti("images\\prodotti\\files", "x12_manual");
    EXPECT_FALSE(Exists("images/prodotti/files/d12_manual.pdf"));
    EXPECT_FALSE(Exists("images/prodotti/files/m12_manual.pdf"));
    EXPECT_FALSE(Exists("images/prodotti/files/p12_manual.pdf"));
    EXPECT_TRUE(Exists("images/prodotti/files/p12_manual2.pdf"));
    // A missing folder is no error.
    EXPECT_NO_THROW(m_files.EliminaFilesProdotti("images\\banner", "x1"));
}

TEST_F(ShopFiles, EmptyingTheImagesKeepsTheCatalogueFolders)
{
    Write("images/it/sfondo.gif");
    Write("images/top.gif");
    Write("images/prodotti/5.jpg");
    Write("images/categorie/it/3.jpg");
    m_files.SvuotaCartellaImmagini("images");
    EXPECT_FALSE(Exists("images/it/sfondo.gif"));
    EXPECT_FALSE(Exists("images/it"));
    EXPECT_FALSE(Exists("images/top.gif"));
    EXPECT_TRUE(Exists("images/prodotti/5.jpg"));
    EXPECT_TRUE(Exists("images/categorie/it/3.jpg"));
}

TEST_F(ShopFiles, ACategoryTakesItsIconsInEveryLanguage)
{
    Write("images/categorie/it/3.jpg");
    Write("images/categorie/en/3.gif");
    Write("images/categorie/en/33.gif");
    m_files.EliminaFileRecord("Categorie", 3);
    EXPECT_FALSE(Exists("images/categorie/it/3.jpg"));
    EXPECT_FALSE(Exists("images/categorie/en/3.gif"));
    EXPECT_TRUE(Exists("images/categorie/en/33.gif"));
    // The table named in other letter case names no files.
    Write("images/prodotti/4.jpg");
    m_files.EliminaFileRecord("prodotti", 4);
    EXPECT_TRUE(Exists("images/prodotti/4.jpg"));
}

TEST_F(ShopFiles, ADeletedRowTakesTheUnfinishedPiecesOfItsFiles)
{
    for (const char* file : {"images/prodotti/.12.jpg.part", "images/prodotti/th/.12.jpg.part",
                             "images/prodotti/files/.p12_manuale.pdf.part", "images/categorie/it/.3.gif.part",
                             "images/prodotti/.123.jpg.part", "images/prodotti/files/.p123_manuale.pdf.part"})
        Write(file);
    m_files.EliminaFileRecord("Prodotti", 12);
    m_files.EliminaFileRecord("Categorie", 3);
    EXPECT_FALSE(Exists("images/prodotti/.12.jpg.part"));
    EXPECT_FALSE(Exists("images/prodotti/th/.12.jpg.part"));
    EXPECT_FALSE(Exists("images/prodotti/files/.p12_manuale.pdf.part"));
    EXPECT_FALSE(Exists("images/categorie/it/.3.gif.part"));
    EXPECT_TRUE(Exists("images/prodotti/.123.jpg.part"));
    EXPECT_TRUE(Exists("images/prodotti/files/.p123_manuale.pdf.part"));
}

// What the template upload does stays possible: pages at the top, pictures
// below images/, the top's files emptied; the database folder is never
// among them.
TEST_F(ShopFiles, TheTemplateStillReachesThePagesAndThePictures)
{
    Write("db/database.mdb", "database");
    Write("default.asp", "old");
    m_files.SvuotaHome("");
    EXPECT_FALSE(Exists("default.asp"));
    m_files.ScriviPezzo({"", "default.asp", true, 3, "new"});
    m_files.ScriviPezzo({"", "global.asa", true, -1, "asa"});
    m_files.ScriviPezzo({"images\\it", "sfondo.gif", true, 3, "gif"});
    EXPECT_EQ(m_root.ReadFile("default.asp"), "new");
    EXPECT_TRUE(Exists("images/it/sfondo.gif"));
    m_files.EliminaFile("", "global.asa");
    EXPECT_FALSE(Exists("global.asa"));
    m_files.SvuotaCartellaImmagini("images");
    EXPECT_FALSE(Exists("images/it/sfondo.gif"));
    EXPECT_EQ(m_root.ReadFile("db/database.mdb"), "database");
    for (const char* path : {"", "db", "images\\..", "..", "/images"})
        EXPECT_THROW(m_files.SvuotaCartellaImmagini(path), std::invalid_argument) << path;
    EXPECT_EQ(m_root.ReadFile("db/database.mdb"), "database");
}

} // namespace
