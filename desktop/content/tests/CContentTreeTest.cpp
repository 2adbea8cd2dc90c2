// The tree editor of sections and topics on a project on disk: inserts in
// one or two languages, the code's checks per kind, moves among sisters,
// drops that copy or move a branch (and the drops refused), deletions of a
// whole branch that leave articles and posts unlinked, and the section
// icon that is replaced only once a new picture is written.

#include "desktop/catalogue/CCategoryDragTree.h"
#include "desktop/content/CContentTreeCore.h"
#include "desktop/shell/controls/CGifWriter.h"
#include "desktop/content/CSezioniView.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

const QString kIt = QStringLiteral("it");
const QString kEn = QStringLiteral("en");

class ContentTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Sections: 1 Notizie > 2 Sport > 3 Calcio; 4 Eventi.
        shop.AddSection(1, 0, kIt, QStringLiteral("Notizie"));
        shop.AddSection(2, 1, kIt, QStringLiteral("Sport"));
        shop.AddSection(3, 2, kIt, QStringLiteral("Calcio"));
        shop.AddSection(4, 0, kIt, QStringLiteral("Eventi"));
        shop.Db().Execute(QStringLiteral("UPDATE Sezioni SET Codice='NEWS' WHERE ID=1"));
        // Topics: forum 5 Aiuto > 6 Ordini; chat 7 Stanza (code NEWS too).
        shop.AddTopic(5, 0, 0, kIt, QStringLiteral("Aiuto"));
        shop.AddTopic(6, 0, 5, kIt, QStringLiteral("Ordini"));
        shop.AddTopic(7, 1, 0, kIt, QStringLiteral("Stanza"));
        shop.Db().Execute(QStringLiteral("UPDATE Argomenti SET Codice='NEWS' WHERE ID=7"));
        shop.AddArticle(20, QStringLiteral("A"), 20);
        shop.LinkArticle(3, 20);
        shop.Row(QStringLiteral("InterventiForum"), {{"ID", 30}, {"IDArgomento", 6}, {"Attivo", 1}, {"Modificato", 0}});
    }

    std::unique_ptr<CContentTreeCore> Open(CContentTreeCore::Kind kind, const QString& current = kIt)
    {
        auto core = std::make_unique<CContentTreeCore>(shop.Db(), kind, shop.Folder());
        core->SetLanguages(current, kIt);
        core->Start();
        return core;
    }

    QStringList Names(const CContentTreeCore& core)
    {
        QStringList names;
        for (int i = 1; i < core.Nodes().size(); ++i)
            names << core.Nodes().at(i).strName;
        return names;
    }

    ContentFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(ContentTree, EachTopicViewShowsItsKindOnly)
{
    EXPECT_EQ(Names(*Open(CContentTreeCore::ArgomentiForum)), QStringList({"Aiuto", "Ordini"}));
    auto chat = Open(CContentTreeCore::ArgomentiChat);
    EXPECT_EQ(Names(*chat), QStringList({"Stanza"}));
    // A new chat topic has Tipo 1 and an ID above every topic of both kinds.
    EXPECT_FALSE(chat->Insert({QString(), QStringLiteral("Nuova stanza"), QString()}).IsRefused());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Tipo FROM Argomenti WHERE ID>7")).toInt(), 1);
}

TEST_F(ContentTree, AnInsertInAnotherLanguageWritesBothLanguages)
{
    auto core = Open(CContentTreeCore::Sezioni, kEn);
    core->Select(1);
    CContentTreeCore::Fields fields{QStringLiteral("mondo"), QStringLiteral("World"), QStringLiteral("<i>desc</i>")};
    fields.switches[0] = true;
    ASSERT_FALSE(core->Insert(fields).IsRefused());
    const qint32 id = shop.Value(QStringLiteral("SELECT MAX(ID) FROM Sezioni")).toInt();
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT IDSezionePadre FROM Sezioni WHERE ID=?"), {id}).toInt(), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Ordine FROM Sezioni WHERE ID=?"), {id}).toInt(), id);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Codice FROM Sezioni WHERE ID=?"), {id}).toString(),
              QStringLiteral("MONDO"));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Attivo FROM Sezioni WHERE ID=?"), {id}).toInt(), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniLingue WHERE IDSezione=?"), {id}).toInt(), 2);
    // Nothing selected: a top-level section, in one language.
    auto italian = Open(CContentTreeCore::Sezioni);
    ASSERT_FALSE(italian->Insert({QString(), QStringLiteral("Cima"), QString()}).IsRefused());
    const qint32 top = shop.Value(QStringLiteral("SELECT MAX(ID) FROM Sezioni")).toInt();
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT IDSezionePadre FROM Sezioni WHERE ID=?"), {top}).toInt(), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniLingue WHERE IDSezione=?"), {top}).toInt(), 1);
    // Edited in the editing language, the description comes back as typed.
    italian->Select(id);
    italian->Click(id);
    EXPECT_EQ(italian->CurrentFields().descrizione, QStringLiteral("<i>desc</i>"));
}

struct TreeCodeCase
{
    const char* name;
    CContentTreeCore::Kind kind;
    qint32 edited;
    const char* typed;
    const char* refusal;   // empty: saved
};

class TreeCodes : public ContentTree, public ::testing::WithParamInterface<TreeCodeCase>
{
};

TEST_P(TreeCodes, AreCheckedAmongTheirKind)
{
    const TreeCodeCase& c = GetParam();
    auto core = Open(c.kind);
    core->Select(c.edited);
    core->Click(c.edited);
    ASSERT_TRUE(core->CanEdit());
    CContentTreeCore::Fields fields = core->CurrentFields();
    fields.codice = QString::fromUtf8(c.typed);
    const CContentTreeCore::Refusal refusal = core->Save(fields);
    EXPECT_EQ(refusal.strText, QString::fromUtf8(c.refusal));
}

INSTANTIATE_TEST_SUITE_P(
    ContentTree, TreeCodes,
    ::testing::Values(
        TreeCodeCase{"EmptyCode", CContentTreeCore::Sezioni, 2, "", ""},
        TreeCodeCase{"OwnCode", CContentTreeCore::Sezioni, 1, "news", ""},
        TreeCodeCase{"DigitFirst", CContentTreeCore::Sezioni, 2, "9A",
                     "Il primo carattere del codice sezione non può essere un numero!"},
        TreeCodeCase{"AnotherSectionsCode", CContentTreeCore::Sezioni, 2, "NEWS",
                     "Codice sezione già presente in archivio!"},
        // A chat topic's code does not bind the forum's topics.
        TreeCodeCase{"ChatCodeFreeInTheForum", CContentTreeCore::ArgomentiForum, 5, "news", ""},
        TreeCodeCase{"TopicSymbolFirst", CContentTreeCore::ArgomentiForum, 5, "#A",
                     "Il primo carattere del codice argomento non può essere un numero!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContentTree, MovesSwapTheOrderOfSisters)
{
    auto core = Open(CContentTreeCore::Sezioni);
    core->Select(1);
    EXPECT_FALSE(core->CanMoveUp());
    EXPECT_TRUE(core->CanMoveDown());
    ASSERT_TRUE(core->MoveDown());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Ordine FROM Sezioni WHERE ID=1")).toInt(), 4);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Ordine FROM Sezioni WHERE ID=4")).toInt(), 1);
    EXPECT_EQ(Names(*core), QStringList({"Eventi", "Notizie", "Sport", "Calcio"}));
    EXPECT_EQ(core->Selected(), 1);   // the moved section stays selected, its branch with it
    EXPECT_FALSE(core->CanMoveDown());
}

struct DropCase
{
    const char* name;
    qint32 source;
    qint32 target;
    int command;
    bool done;
};

class TreeDrops : public ContentTree, public ::testing::WithParamInterface<DropCase>
{
};

TEST_P(TreeDrops, RefuseOnlyWhatMakesNoSense)
{
    const DropCase& c = GetParam();
    auto core = Open(CContentTreeCore::Sezioni);
    const int before = shop.Count(QStringLiteral("Sezioni"));
    EXPECT_EQ(core->Drop(c.source, c.target, c.command), c.done);
    if (!c.done)
        EXPECT_EQ(shop.Count(QStringLiteral("Sezioni")), before);
}

INSTANTIATE_TEST_SUITE_P(ContentTree, TreeDrops,
                         ::testing::Values(DropCase{"OntoItself", 2, 2, CContentTreeCore::DropMove, false},
                                           DropCase{"IntoItsOwnBranch", 1, 3, CContentTreeCore::DropMove, false},
                                           DropCase{"CopyIntoItsOwnBranch", 1, 3, CContentTreeCore::DropCopy, false},
                                           DropCase{"MoveOntoItsParent", 2, 1, CContentTreeCore::DropMove, false},
                                           DropCase{"MoveElsewhere", 2, 4, CContentTreeCore::DropMove, true},
                                           DropCase{"CopyElsewhere", 1, 4, CContentTreeCore::DropCopy, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContentTree, ACopiedBranchGetsFreshRowsWithoutCodes)
{
    shop.AddSectionText(1, kEn, QStringLiteral("News"));
    shop.AddSectionText(1, QStringLiteral("de"), QStringLiteral("Nachrichten"));
    auto core = Open(CContentTreeCore::Sezioni, kEn);
    ASSERT_TRUE(core->Drop(1, 4, CContentTreeCore::DropCopy));
    const QVariantList copies = shop.Column(QStringLiteral("SELECT ID FROM Sezioni WHERE ID>4 ORDER BY ID"));
    ASSERT_EQ(copies.size(), 3);
    const qint32 top = copies.at(0).toInt();
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT IDSezionePadre FROM Sezioni WHERE ID=?"), {top}).toInt(), 4);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Sezioni WHERE ID>4 AND Codice<>''")).toInt(), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Sezioni WHERE ID>4 AND Ordine<>ID")).toInt(), 0);
    // The editing and default languages' texts only.
    EXPECT_EQ(shop.Column(QStringLiteral("SELECT CodiceLingua FROM SezioniLingue WHERE IDSezione=? ORDER BY "
                                         "CodiceLingua"),
                          {top}),
              QVariantList({kEn, kIt}));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT IDSezionePadre FROM Sezioni WHERE ID=?"), {copies.at(2)}).toInt(),
              copies.at(1).toInt());
    // A copied topic keeps its kind.
    auto forum = Open(CContentTreeCore::ArgomentiForum);
    shop.AddTopic(8, 0, 0, kIt, QStringLiteral("Altro"));
    forum->Start();
    ASSERT_TRUE(forum->Drop(5, 8, CContentTreeCore::DropCopy));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM Argomenti WHERE Tipo=0 AND IDArgomentoPadre=8")).toInt(),
              1);
}

TEST_F(ContentTree, ADeletedBranchLeavesItsArticlesUnlinked)
{
    auto core = Open(CContentTreeCore::Sezioni);
    core->Select(1);
    const QString question = core->DeleteQuestion();
    EXPECT_TRUE(question.contains(QStringLiteral("e le sue 2 sottosezioni"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("1 articoli non saranno più collegati a queste sezioni, ma resteranno "
                                                 "in archivio.")))
        << question.toStdString();
    core->Delete();
    EXPECT_EQ(shop.Column(QStringLiteral("SELECT ID FROM Sezioni")), QVariantList({4}));
    EXPECT_EQ(shop.Count(QStringLiteral("SezioniArticoli")), 0);
    EXPECT_EQ(shop.Count(QStringLiteral("Articoli")), 1);
    // Children are logged before their parents.
    EXPECT_EQ(shop.Column(QStringLiteral("SELECT IDRecord FROM RecordsEliminati WHERE NomeTabella='Sezioni' ORDER BY "
                                         "rowid")),
              QVariantList({3, 2, 1}));
}

TEST_F(ContentTree, ADeletedTopicLeavesItsPostsUnlinked)
{
    auto core = Open(CContentTreeCore::ArgomentiForum);
    core->Select(5);
    const QString question = core->DeleteQuestion();
    EXPECT_TRUE(question.contains(QStringLiteral("1 interventi resteranno in archivio"))) << question.toStdString();
    core->Delete();
    EXPECT_EQ(shop.Column(QStringLiteral("SELECT ID FROM Argomenti")), QVariantList({7}));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT IDArgomento FROM InterventiForum WHERE ID=30")).toInt(), 0);
}

TEST_F(ContentTree, ASectionInsertedUnderTheSelectedOneShowsAtOnce)
{
    CSezioniView view(shop.Db(), shop.Folder(), kIt, kIt);
    for (QTreeWidgetItemIterator it(view.Tree()); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == 4)
            view.Tree()->setCurrentItem(*it);
    ASSERT_EQ(view.Core().Selected(), 4);
    view.Nome()->setText(QStringLiteral("Fiere"));
    view.Press(CContentTreeView::Insert);
    QTreeWidgetItem* added = nullptr;
    for (QTreeWidgetItemIterator it(view.Tree()); *it; ++it)
        if ((*it)->text(0) == QStringLiteral("Fiere"))
            added = *it;
    ASSERT_TRUE(added);
    ASSERT_TRUE(added->parent());
    EXPECT_TRUE(added->parent()->isExpanded());
    EXPECT_EQ(view.Nome()->text(), QString());   // the form is blank for the next one
}

class SectionIcons : public ContentTree
{
protected:
    QString Folder() { return shop.Folder() + QStringLiteral("website/images/sezioni/it/"); }
    QString Picture(const char* name, const char* format)
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = shop.Folder() + QLatin1String(name);
        QString error;
        if (QByteArray(format) == "GIF")
            EXPECT_TRUE(CGifWriter::Save(image, path, &error)) << error.toStdString();
        else
            EXPECT_TRUE(image.save(path, format));
        return path;
    }
    qint32 Flag()
    {
        return shop.Value(QStringLiteral("SELECT ModificataFoto FROM SezioniLingue WHERE IDSezione=2 AND "
                                         "CodiceLingua='it'"))
            .toInt();
    }
};

TEST_F(SectionIcons, ANewPictureReplacesTheIconAndFlagsTheRow)
{
    if (shop.Count(QStringLiteral("Configurazione")) == 0)
        shop.Row(QStringLiteral("Configurazione"), {{"ID", 1}, {"DimSezioni", 20}});
    shop.Db().Execute(QStringLiteral("UPDATE Configurazione SET DimSezioni=20"));
    QDir().mkpath(Folder());
    QFile::copy(Picture("old.jpg", "JPG"), Folder() + QStringLiteral("2.jpg"));
    auto core = Open(CContentTreeCore::Sezioni);
    core->Select(2);
    core->Click(2);
    QString error;
    ASSERT_TRUE(core->SetIcon(Picture("new.gif", "GIF"), &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("2.jpg")));
    EXPECT_EQ(core->IconPath(), Folder() + QStringLiteral("2.gif"));
    EXPECT_EQ(QImage(Folder() + QStringLiteral("2.gif")).width(), 20);
    EXPECT_EQ(Flag(), 1);
}

TEST_F(SectionIcons, CancelOrAnUnreadablePictureKeepsTheOldIcon)
{
    QDir().mkpath(Folder());
    QFile::copy(Picture("old.jpg", "JPG"), Folder() + QStringLiteral("2.jpg"));
    shop.ClearModified(QStringLiteral("SezioniLingue"));
    CSezioniView view(shop.Db(), shop.Folder(), kIt, kIt);
    view.Core().Select(2);
    view.Core().Click(2);
    view.m_chooseIcon = [] { return QString(); };
    view.Press(CContentTreeView::Icon);
    EXPECT_TRUE(QFile::exists(Folder() + QStringLiteral("2.jpg")));
    EXPECT_EQ(Flag(), 0);
    QFile broken(shop.Folder() + QStringLiteral("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    view.m_chooseIcon = [&] { return broken.fileName(); };
    view.Press(CContentTreeView::Icon);
    EXPECT_TRUE(QFile::exists(Folder() + QStringLiteral("2.jpg")));
    EXPECT_EQ(Flag(), 0);
    EXPECT_TRUE(boxes.LastText().startsWith(QStringLiteral("Impossibile leggere l'immagine")));
}

} // namespace
