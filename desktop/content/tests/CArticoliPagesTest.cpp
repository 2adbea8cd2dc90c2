// The list pages of the article card (links and files), the reply picker
// and the articles table, on a project on disk.

#include "desktop/content/CArticoliAllegatiCore.h"
#include "desktop/content/CSelezioneArticoloCore.h"
#include "desktop/content/CTabellaArticoliCore.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kIt = QStringLiteral("it");
const QString kEn = QStringLiteral("en");

class ArticlePages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddArticle(1, QStringLiteral("ALFA"), 1);
        shop.AddArticleText(1, kIt, QStringLiteral("Primo"));
    }

    QString Chosen(const QString& name)
    {
        const QString path = shop.Folder() + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
        return path;
    }
    QString FilesFolder() { return shop.Folder() + QStringLiteral("website/images/articoli/files/"); }
    QStringList Stored() { return QDir(FilesFolder()).entryList(QDir::Files, QDir::Name); }

    ContentFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(ArticlePages, ALinkAddedInAnotherLanguageHasBothLanguagesAndAThirdOnlyItsOwn)
{
    CArticoliAllegatiCore links(shop.Db(), CArticoliAllegatiCore::Link, shop.Folder());
    links.SetLanguages(kEn, kIt);
    links.SetArticle(1);
    EXPECT_FALSE(links.Add({QStringLiteral("Sito"), QString(), QString(), false}));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    ASSERT_TRUE(links.Add({QStringLiteral("Site"), QStringLiteral("Desc"), QStringLiteral("http://a.example"), true}));
    ASSERT_TRUE(links.Add({QStringLiteral("Two"), QString(), QStringLiteral("http://b.example"), false}));
    EXPECT_EQ(shop.Count(QStringLiteral("ArticoliLinkLingue")), 4);
    links.SetLanguages(QStringLiteral("de"), kIt);
    links.Reload();
    links.Select(0);
    EXPECT_EQ(links.CurrentFields().titolo, QStringLiteral("Site"));   // the default language's
    EXPECT_TRUE(links.CurrentFields().esterno);
    ASSERT_TRUE(links.Save({QStringLiteral("Seite"), QString(), QStringLiteral("http://a.example/de"), false}));
    EXPECT_EQ(shop.Count(QStringLiteral("ArticoliLinkLingue")), 5);
    // The URL is stored enciphered by the table class, read back plain.
    links.Reload();
    EXPECT_EQ(links.Rows().at(0).second, QStringLiteral("http://a.example/de"));
    EXPECT_NE(shop.Value(QStringLiteral("SELECT URL FROM ArticoliLink WHERE ID=?"), {links.Rows().at(0).nId}).toString(),
              QStringLiteral("http://a.example/de"));
}

TEST_F(ArticlePages, AFileIsStoredUnderItsIdAndReplacedOnlyByAChosenFile)
{
    CArticoliAllegatiCore files(shop.Db(), CArticoliAllegatiCore::File, shop.Folder());
    files.SetLanguages(kIt, kIt);
    files.SetArticle(1);
    files.m_chooseFile = [this] { return Chosen(QStringLiteral("Listino.PDF")); };
    ASSERT_TRUE(files.Add({QStringLiteral("Titolo"), QString(), QString(), false, QStringLiteral("list")}));
    const qint32 id = files.Rows().at(0).nId;
    EXPECT_EQ(Stored(), QStringList({QStringLiteral("%1.pdf").arg(id)}));
    EXPECT_EQ(files.Rows().at(0).first, QStringLiteral("LIST"));
    EXPECT_FALSE(files.Add({QString(), QString(), QString(), false, QStringLiteral("List")}));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Codice già presente!"));
    EXPECT_FALSE(files.Add({QString(), QString(), QString(), false, QStringLiteral("9A")}));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Il primo carattere del codice file non può essere un numero!"));

    // Saved with the file dialog cancelled: the file and its flag stay.
    shop.ClearModified(QStringLiteral("ArticoliFiles"));
    shop.Db().Execute(QStringLiteral("UPDATE ArticoliFiles SET ModificatoFile=0"));
    files.m_chooseFile = [] { return QString(); };
    files.Select(0);
    ASSERT_TRUE(files.Save({QStringLiteral("Nuovo titolo"), QString(), QString(), false, QStringLiteral("list")}));
    EXPECT_EQ(Stored(), QStringList({QStringLiteral("%1.pdf").arg(id)}));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT ModificatoFile FROM ArticoliFiles")).toInt(), 0);
    // A new file replaces the old one, whatever its extension.
    files.m_chooseFile = [this] { return Chosen(QStringLiteral("listino.doc")); };
    files.Select(0);
    ASSERT_TRUE(files.Save({QStringLiteral("Nuovo titolo"), QString(), QString(), false, QStringLiteral("list")}));
    EXPECT_EQ(Stored(), QStringList({QStringLiteral("%1.doc").arg(id)}));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT ModificatoFile FROM ArticoliFiles")).toInt(), 1);

    // A cancelled choice on add adds nothing.
    files.m_chooseFile = [] { return QString(); };
    EXPECT_FALSE(files.Add({QString(), QString(), QString(), false, QStringLiteral("B")}));
    EXPECT_EQ(shop.Count(QStringLiteral("ArticoliFiles")), 1);
    files.Select(0);
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(files.Delete());
    EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(ArticlePages, MovesTradeTheOrderAndFollowTheEnds)
{
    CArticoliAllegatiCore links(shop.Db(), CArticoliAllegatiCore::Link, shop.Folder());
    links.SetLanguages(kIt, kIt);
    links.SetArticle(1);
    for (const char* url : {"http://1", "http://2", "http://3"})
        ASSERT_TRUE(links.Add({QString::fromLatin1(url), QString(), QString::fromLatin1(url), false}));
    links.Select(0);
    EXPECT_FALSE(links.ButtonState().up);
    EXPECT_TRUE(links.ButtonState().down);
    links.Select(1);
    ASSERT_TRUE(links.MoveDown());
    EXPECT_FALSE(links.ButtonState().down);
    links.Reload();   // as when the article is shown again
    QStringList order;
    for (const auto& row : links.Rows())
        order << row.second;
    EXPECT_EQ(order, QStringList({"http://1", "http://3", "http://2"}));
}

TEST_F(ArticlePages, ThePickerListsTheArticlesOfASection)
{
    shop.AddArticle(2, QStringLiteral("B"), 2);
    shop.AddArticleText(2, kIt, QString(), QString(120, QLatin1Char('x')));
    shop.AddSection(10, 0, kIt, QStringLiteral("Uno"));
    shop.AddSection(11, 0, kIt, QStringLiteral("Due"));
    shop.LinkArticle(10, 2);
    shop.LinkArticle(11, 2);
    shop.LinkArticle(11, 1);
    CSelezioneArticoloCore picker(shop.Db(), kIt);
    picker.ChooseSection(10);
    ASSERT_EQ(picker.Lines().size(), 1);
    EXPECT_EQ(picker.Lines().at(0).strText, QStringLiteral("<Nessun Titolo>"));
    picker.ChooseShow(CSelezioneArticoloCore::Testo);
    EXPECT_EQ(picker.Lines().at(0).strText.size(), 100);
    picker.ChooseSection(11);
    EXPECT_EQ(picker.Lines().size(), 2);
    EXPECT_EQ(picker.ArticleAt(-1), 0);
    EXPECT_EQ(picker.SectionName(11), QStringLiteral("Due"));
}

class ArticleTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int id = 1; id <= 14; ++id) {
            shop.AddArticle(id, QStringLiteral("A%1").arg(id), id);
            shop.AddArticleText(id, kIt, QStringLiteral("Titolo %1").arg(id));
        }
        core.SetLanguages(kIt, kIt);
        core.Start();
    }

    void Enter(int row, int col)
    {
        GridNotifyInfo info{grid.GetCurRow(), grid.GetCurCol(), row, col, {}};
        core.CellEnter(info);
        grid.SetCurCell(row, col);
    }
    int Leave(int toRow)
    {
        GridNotifyInfo info{core.CurRow(), core.CurCol(), toRow, 2, {}};
        return core.CellLeave(info);
    }

    ContentFixture shop;
    CGridCore grid;
    CTabellaArticoliCore core{shop.Db(), grid};
};

TEST_F(ArticleTable, TheFirstRowOfALaterPageMovesUpAcrossTheEdge)
{
    EXPECT_EQ(grid.GetRowCount(), 13);
    EXPECT_EQ(core.Paging(CGridCore::MsgPageDown, 0), 3);   // articles 3 to 14
    Enter(1, 2);
    EXPECT_EQ(core.ArticleAt(1), 3);
    ASSERT_TRUE(core.MoveUp());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Ordine FROM Articoli WHERE ID=3")).toInt(), 2);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Ordine FROM Articoli WHERE ID=2")).toInt(), 3);
    EXPECT_EQ(core.ArticleAt(core.CurRow()), 3);
    EXPECT_EQ(core.FirstShown(), 1);
}

TEST_F(ArticleTable, ARowIsWrittenWhenTheCursorLeavesIt)
{
    shop.ClearModified(QStringLiteral("Articoli"));
    Enter(1, 5);
    grid.SetCellCheck(1, 5, 0);
    EXPECT_TRUE(core.IsRowModified());
    EXPECT_EQ(Leave(1), 0);   // within the row: nothing written
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Attivo FROM Articoli WHERE ID=1")).toInt(), 1);
    grid.SetCellText(1, 4, QStringLiteral("31/12/2026"));
    EXPECT_EQ(Leave(2), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Attivo FROM Articoli WHERE ID=1")).toInt(), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Modificato FROM Articoli WHERE ID=1")).toInt(), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT PubblicazioneAllaData FROM Articoli WHERE ID=1")).toString().left(10),
              QStringLiteral("2026-12-31"));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Articoli WHERE Modificato=1")).toInt(), 1);
}

TEST_F(ArticleTable, ASectionShowsItsArticlesOnly)
{
    shop.AddSection(10, 0, kIt, QStringLiteral("Uno"));
    shop.LinkArticle(10, 5);
    core.ChooseSection(10);
    EXPECT_EQ(core.ArticleCount(), 1);
    core.ChooseSection(11);
    EXPECT_EQ(core.ArticleCount(), 0);
    EXPECT_FALSE(core.CanMoveUp());
    EXPECT_FALSE(core.CanMoveDown());
}

} // namespace
