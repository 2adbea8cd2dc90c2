#include "desktop/catalogue/CCategorieViewCore.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "recordset/CCategorieLinSet.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "platform/dao/CDaoException.h"

#include <gtest/gtest.h>

namespace {

// "Sedie" (1, code SED, with "Giardino" (3) under it) and "Tavoli" (2);
// names in "it" (the default), "Sedie" also in "en". Product 7 is linked
// to Giardino.
class CategorieViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddLanguage(2, QStringLiteral("en"));
        f.AddCategory(1, 0, 1);
        f.AddCategory(2, 0, 2);
        f.AddCategory(3, 1, 1);
        f.Db().Execute(QStringLiteral("UPDATE Categorie SET Codice='SED', IDEsterno='EXT-1' WHERE ID=1"));
        f.AddCategoryName(1, QStringLiteral("it"), QStringLiteral("Sedie"));
        f.AddCategoryName(1, QStringLiteral("en"), QStringLiteral("Chairs"));
        f.AddCategoryName(2, QStringLiteral("it"), QStringLiteral("Tavoli"));
        f.AddCategoryName(3, QStringLiteral("it"), QStringLiteral("Giardino"));
        f.AddProduct(7, QStringLiteral("P7"));
        f.AddLink(1, 3, 7);
        f.Db().Execute(QStringLiteral("UPDATE Configurazione SET DimCategorie=40"));
        f.ClearModified();
        Start(QStringLiteral("it"));
    }

    void Start(const QString& language)
    {
        core.SetLanguages(language, QStringLiteral("it"));
        core.Start();
    }

    void Edit(qint32 id)
    {
        core.Select(id);
        core.Click(id);
    }

    QStringList TopNames()
    {
        QStringList names;
        for (int child : core.Tree().Nodes().at(0).children)
            names << core.Tree().Nodes().at(child).strName;
        return names;
    }

    int Count(const QString& sql, const QVariantList& params = {}) { return f.Scalar(sql, params).toInt(); }

    QString Name(qint32 category, const QString& language)
    {
        CCategorieLinSet rows(&f.Db());
        rows.m_strFilter = QStringLiteral("IDCategoria=? AND CodiceLingua=?");
        rows.m_filterParams = {category, language};
        rows.Open();
        return rows.IsEOF() ? QStringLiteral("<none>") : rows.m_Nome;
    }

    CatalogueFixture f;
    CCategorieViewCore core{f.Db(), f.Folder()};
};

TEST_F(CategorieViewTest, TreeShowsTheEditingLanguageOrElseTheDefault)
{
    Start(QStringLiteral("en"));
    EXPECT_EQ(TopNames(), (QStringList{"Chairs", "Tavoli"}));
    EXPECT_EQ(core.Tree().NameOf(3), QStringLiteral("Giardino"));
    EXPECT_EQ(core.Tree().Nodes().at(core.Tree().IndexOf(3)).nParent, core.Tree().IndexOf(1));
}

struct CheckCase
{
    const char* name;
    const char* codice;
    const char* nome;
    const char* message;   // empty: inserted
    CCategorieViewCore::Field focus;
};

class CategorieCheckTest : public CategorieViewTest, public ::testing::WithParamInterface<CheckCase>
{
};

TEST_P(CategorieCheckTest, InsertChecksTheFields)
{
    const CheckCase& c = GetParam();
    const int before = Count(QStringLiteral("SELECT COUNT(*) FROM Categorie"));
    const auto refusal = core.Insert({QString::fromUtf8(c.codice), QString::fromUtf8(c.nome), QString()});
    EXPECT_EQ(refusal.strText, QString::fromUtf8(c.message));
    EXPECT_EQ(refusal.focus, c.focus);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie")), before + (refusal.IsRefused() ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Fields, CategorieCheckTest,
    ::testing::Values(
        CheckCase{"EmptyName", "NUOVA", "", "Campo obbligatorio!", CCategorieViewCore::NomeField},
        CheckCase{"CodeStartingWithADigit", "1AB", "Nuova", "Il primo carattere del codice categoria non può essere un numero!",
                  CCategorieViewCore::CodiceField},
        // Codes are upper-cased before the check.
        CheckCase{"CodeInUse", "sed", "Nuova", "Codice categoria già presente in archivio!",
                  CCategorieViewCore::CodiceField},
        CheckCase{"NewCode", "lam", "Lampade", "", CCategorieViewCore::NoField},
        // Many categories have no code: an empty one is never "in use".
        CheckCase{"EmptyCodeLikeOthers", "", "Lampade", "", CCategorieViewCore::NoField}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(CategorieViewTest, EmptyCodesMayRepeat)
{
    EXPECT_FALSE(core.Insert({QString(), QStringLiteral("Uno"), QString()}).IsRefused());
    EXPECT_FALSE(core.Insert({QString(), QStringLiteral("Due"), QString()}).IsRefused());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE Codice=''")), 2 + 2);
}

struct InsertCase
{
    const char* name;
    const char* language;
    int languageRows;
};

class CategorieInsertTest : public CategorieViewTest, public ::testing::WithParamInterface<InsertCase>
{
};

TEST_P(CategorieInsertTest, InsertAddsAfterTheSistersInTheEditingAndDefaultLanguages)
{
    Start(QString::fromLatin1(GetParam().language));
    core.Select(1);
    ASSERT_FALSE(core.Insert({QStringLiteral("imb"), QStringLiteral("Imbottite"), QStringLiteral("Comode")}).IsRefused());
    const qint32 id = f.Scalar(QStringLiteral("SELECT ID FROM Categorie WHERE Codice='IMB'")).toInt();
    EXPECT_EQ(id, 4);
    EXPECT_EQ(Count(QStringLiteral("SELECT Ordine FROM Categorie WHERE ID=4")), 4);
    EXPECT_EQ(Count(QStringLiteral("SELECT IDCategoriaPadre FROM Categorie WHERE ID=4")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria=4")), GetParam().languageRows);
    EXPECT_EQ(Name(4, QStringLiteral("it")), QStringLiteral("Imbottite"));
    EXPECT_EQ(core.Selected(), 1);   // further inserts go under the same parent
    const auto& sisters = core.Tree().Nodes().at(core.Tree().IndexOf(1)).children;
    EXPECT_EQ(core.Tree().Nodes().at(sisters.last()).nId, 4);
}

INSTANTIATE_TEST_SUITE_P(Languages, CategorieInsertTest,
    ::testing::Values(InsertCase{"DefaultLanguage", "it", 1}, InsertCase{"OtherLanguage", "en", 2}),
    [](const ::testing::TestParamInfo<InsertCase>& info) { return std::string(info.param.name); });

TEST_F(CategorieViewTest, ClickOnTheSelectedCategoryEditsItAndRevertDropsTheTyping)
{
    core.Click(2);
    EXPECT_FALSE(core.IsEditing());
    EXPECT_TRUE(core.CanInsert());
    core.Click(2);
    ASSERT_TRUE(core.IsEditing());
    EXPECT_FALSE(core.CanInsert());
    EXPECT_EQ(core.CurrentFields().strNome, QStringLiteral("Tavoli"));
    core.Revert();
    EXPECT_EQ(core.CurrentFields().strNome, QStringLiteral("Tavoli"));
    core.Click(0);
    EXPECT_EQ(core.Selected(), 0);
    EXPECT_FALSE(core.IsEditing());
}

TEST_F(CategorieViewTest, SaveKeepsItsOwnCodeAndWritesOnlyTheEditingLanguage)
{
    Start(QStringLiteral("en"));
    Edit(1);
    EXPECT_EQ(core.CurrentFields().strCodice, QStringLiteral("SED"));
    EXPECT_FALSE(core.Save({QStringLiteral("SED"), QStringLiteral("Seats"), QString()}).IsRefused());
    EXPECT_EQ(Name(1, QStringLiteral("en")), QStringLiteral("Seats"));
    EXPECT_EQ(Name(1, QStringLiteral("it")), QStringLiteral("Sedie"));
    EXPECT_EQ(core.Selected(), 0);

    // Saving in a language without a row makes it.
    Edit(2);
    EXPECT_EQ(core.CurrentFields().strNome, QStringLiteral("Tavoli"));
    EXPECT_FALSE(core.Save({QString(), QStringLiteral("Tables"), QString()}).IsRefused());
    EXPECT_EQ(Name(2, QStringLiteral("en")), QStringLiteral("Tables"));
    EXPECT_EQ(Name(2, QStringLiteral("it")), QStringLiteral("Tavoli"));

    Edit(2);
    EXPECT_EQ(core.Save({QStringLiteral("SED"), QStringLiteral("Tables"), QString()}).strText,
              QStringLiteral("Codice categoria già presente in archivio!"));
}

TEST_F(CategorieViewTest, DeleteQuestionSaysWhatGoesAndTheSubtreeGoesWithIt)
{
    core.Select(1);
    const QString question = core.DeleteQuestion();
    EXPECT_TRUE(question.contains(QStringLiteral("\"Sedie\" e la sua sottocategoria"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("1 prodotti non saranno più collegati")));
    EXPECT_TRUE(question.endsWith(QStringLiteral("Confermi ?")));
    core.Delete();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE ID IN (1, 3)")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieLingue WHERE IDCategoria IN (1, 3)")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE ID=7")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Categorie'")), 2);
    EXPECT_EQ(TopNames(), QStringList{"Tavoli"});
}

TEST_F(CategorieViewTest, MovesTradeOrderAmongSisters)
{
    core.Select(1);
    EXPECT_FALSE(core.CanMoveUp());
    EXPECT_TRUE(core.CanMoveDown());
    ASSERT_TRUE(core.MoveDown());
    EXPECT_EQ(TopNames(), (QStringList{"Tavoli", "Sedie"}));
    EXPECT_EQ(Count(QStringLiteral("SELECT Ordine FROM Categorie WHERE ID=1")), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT Modificato FROM Categorie WHERE ID=2")), 1);
    EXPECT_EQ(core.Selected(), 1);
    EXPECT_FALSE(core.CanMoveDown());
    core.Select(3);
    EXPECT_FALSE(core.CanMoveUp());
    EXPECT_FALSE(core.CanMoveDown());
}

TEST_F(CategorieViewTest, DropMovesUnderTheTarget)
{
    EXPECT_FALSE(core.Drop(1, 3, CCategorieViewCore::DropMove));   // into its own subtree
    EXPECT_FALSE(core.Drop(3, 1, CCategorieViewCore::DropMove));   // onto its parent
    ASSERT_TRUE(core.Drop(3, 2, CCategorieViewCore::DropMove));
    EXPECT_EQ(Count(QStringLiteral("SELECT IDCategoriaPadre FROM Categorie WHERE ID=3")), 2);
    EXPECT_EQ(core.Tree().Nodes().at(core.Tree().Nodes().at(core.Tree().IndexOf(3)).nParent).nId, 2);
}

TEST_F(CategorieViewTest, CopyIsANewCategoryWithoutCodeOrOutsideId)
{
    f.Db().Execute(QStringLiteral("UPDATE CategorieLingue SET ModificataFoto=1 WHERE IDCategoria=1"));
    Start(QStringLiteral("en"));
    ASSERT_TRUE(core.Drop(1, 2, CCategorieViewCore::DropCopy));
    const qint32 copy = 4;
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Codice FROM Categorie WHERE ID=?"), {copy}).toString(), QString());
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDEsterno FROM Categorie WHERE ID=?"), {copy}).toString(), QString());
    EXPECT_EQ(Count(QStringLiteral("SELECT IDCategoriaPadre FROM Categorie WHERE ID=?"), {copy}), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT Ordine FROM Categorie WHERE ID=?"), {copy}), copy);
    EXPECT_EQ(Name(copy, QStringLiteral("en")), QStringLiteral("Chairs"));
    EXPECT_EQ(Name(copy, QStringLiteral("it")), QStringLiteral("Sedie"));
    EXPECT_EQ(Count(QStringLiteral("SELECT ModificataFoto FROM CategorieLingue WHERE IDCategoria=? AND CodiceLingua='it'"),
                    {copy}),
              1);
    // The sub-category came along, under the copy.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE IDCategoriaPadre=?"), {copy}), 1);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDEsterno FROM Categorie WHERE ID=1")).toString(), QStringLiteral("EXT-1"));
    EXPECT_FALSE(core.Drop(1, 3, CCategorieViewCore::DropCopy));
}

TEST_F(CategorieViewTest, PictureIsWrittenScaledBeforeTheOldGoesAndFlagsTheRow)
{
    const QString folder = f.Folder() + QStringLiteral("/website/images/categorie/it/");
    QDir().mkpath(folder);
    QImage(10, 10, QImage::Format_RGB32).save(folder + QStringLiteral("2.gif"), "PNG");   // an old picture
    QImage source(200, 100, QImage::Format_RGB32);
    source.fill(Qt::red);
    const QString file = f.Folder() + QStringLiteral("/nuova.bmp");
    ASSERT_TRUE(source.save(file, "BMP"));
    Edit(2);

    QString error;
    EXPECT_FALSE(core.SetPicture(f.Folder() + QStringLiteral("/nessuna.bmp"), &error));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("2.gif")));   // a failed choice loses nothing

    ASSERT_TRUE(core.SetPicture(file, &error)) << error.toStdString();
    const QImage stored(folder + QStringLiteral("2.jpg"));
    EXPECT_EQ(stored.width(), 40);
    EXPECT_EQ(stored.height(), 20);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("2.gif")));
    EXPECT_EQ(core.PicturePath(), folder + QStringLiteral("2.jpg"));
    EXPECT_EQ(Count(QStringLiteral("SELECT ModificataFoto FROM CategorieLingue WHERE IDCategoria=2")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT Modificato FROM CategorieLingue WHERE IDCategoria=2")), 1);
}

// The upload sends a category picture by its row's flag: a picture whose
// flag cannot be written is not put in place, and the old one stays.
TEST_F(CategorieViewTest, APictureWhoseFlagCannotBeWrittenIsNotPutInPlace)
{
    const QString folder = f.Folder() + QStringLiteral("/website/images/categorie/it/");
    QDir().mkpath(folder);
    QImage(10, 10, QImage::Format_RGB32).save(folder + QStringLiteral("2.gif"), "PNG");
    QImage source(200, 100, QImage::Format_RGB32);
    source.fill(Qt::red);
    const QString file = f.Folder() + QStringLiteral("/nuova.bmp");
    ASSERT_TRUE(source.save(file, "BMP"));
    Edit(2);
    for (const char* when : {"INSERT", "UPDATE"})
        f.Db().Execute(QStringLiteral("CREATE TRIGGER blocca%1 BEFORE %1 ON CategorieLingue "
                                      "BEGIN SELECT RAISE(ABORT, 'bloccato'); END")
                           .arg(QLatin1String(when)));

    QString error;
    EXPECT_FALSE(core.SetPicture(file, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("bloccato"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("2.jpg")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("2.gif")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1) << "nothing left aside";

    f.Db().Execute(QStringLiteral("DROP TRIGGER bloccaINSERT"));
    f.Db().Execute(QStringLiteral("DROP TRIGGER bloccaUPDATE"));
    ASSERT_TRUE(core.SetPicture(file, &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("2.jpg")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT ModificataFoto FROM CategorieLingue WHERE IDCategoria=2")), 1);
}

// A name row that cannot be written takes the category and its code back
// with it, on insert and on save alike.
TEST_F(CategorieViewTest, ACategoryWhoseNameCannotBeWrittenIsNotKept)
{
    for (const char* when : {"INSERT", "UPDATE"})
        f.Db().Execute(QStringLiteral("CREATE TRIGGER blocca%1 BEFORE %1 ON CategorieLingue "
                                      "BEGIN SELECT RAISE(ABORT, 'bloccato'); END")
                           .arg(QLatin1String(when)));
    const int before = Count(QStringLiteral("SELECT COUNT(*) FROM Categorie"));
    EXPECT_THROW(core.Insert({QStringLiteral("imb"), QStringLiteral("Imbottite"), QString()}), CDaoException);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie")), before);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE Codice='imb'")), 0);

    Edit(1);
    EXPECT_THROW(core.Save({QStringLiteral("POL"), QStringLiteral("Poltrone"), QString()}), CDaoException);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE ID=1 AND Codice='SED'")), 1);
    EXPECT_EQ(Name(1, QStringLiteral("it")), QStringLiteral("Sedie"));
}

TEST_F(CategorieViewTest, LanguageChangeBlanksAndRebuilds)
{
    Edit(1);
    core.RefreshLanguage(QStringLiteral("en"), QStringLiteral("it"));
    EXPECT_EQ(core.Selected(), 0);
    EXPECT_FALSE(core.IsEditing());
    EXPECT_TRUE(core.CurrentFields().strNome.isEmpty());
    EXPECT_EQ(TopNames(), (QStringList{"Chairs", "Tavoli"}));
}

} // namespace
