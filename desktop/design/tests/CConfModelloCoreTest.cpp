#include "desktop/design/CConfModelloCore.h"
#include "desktop/design/tests/GraphicProjectFixture.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CCodiceASPSet.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using Core = CConfModelloCore;

// The enabled commands, by short names, in enum order.
QString Enabled(const Core& core)
{
    static const char* names[] = {"block", "cond", "table", "column", "feature", "dup",   "copy", "cut",
                                  "delete", "paste", "ref", "styles", "params", "up", "down"};
    QStringList on;
    for (int command = 0; command < Core::kCommandCount; ++command)
        if (core.IsEnabled(Core::Command(command)))
            on << QString::fromLatin1(names[command]);
    return on.join(QLatin1Char(','));
}

// The editor on the fixture, with the calls out recorded.
class Editor
{
public:
    explicit Editor(GraphicProjectFixture& fixture)
        : core(fixture.InstallFolder(), fixture.ProjectFolder())
    {
        core.m_regeneratePageTree = [this](qint32 id) { regenerated << id; };
        core.m_writeStyleSheets = [this](qint32 id) { styled << id; };
        core.m_reloadPreview = [this] { ++reloads; };
        core.m_progressShow = [this](const QString& caption, int count) {
            progress << QStringLiteral("%1 %2").arg(caption).arg(count);
        };
        core.m_progressStep = [this](int position) { lastStep = position; };
        core.m_progressHide = [this] { progress << QStringLiteral("hide"); };
    }

    void Clear()
    {
        regenerated.clear();
        styled.clear();
        progress.clear();
        reloads = 0;
    }

    Core core;
    QList<qint32> regenerated;
    QList<qint32> styled;
    QStringList progress;
    int lastStep = 0;
    int reloads = 0;
};

class ConfModelloTest : public ::testing::Test
{
protected:
    QVariant Field(const char* column, qint32 id)
    {
        return project.Value(QStringLiteral("SELECT %1 FROM CodiceASP WHERE ID=?").arg(column), {id});
    }
    QVariantList ChildrenOf(qint32 id)
    {
        return project.Column("SELECT ID FROM CodiceASP WHERE IDPadre=? ORDER BY Ordine", {id});
    }
    qint32 MaxId(const char* table)
    {
        return project.Value(QStringLiteral("SELECT MAX(ID) FROM %1").arg(table)).toInt();
    }

    GraphicProjectFixture project;
};

// ---- opening ------------------------------------------------------------------

TEST_F(ConfModelloTest, OpensBothDatabasesAndReadsTheTreeInPageOrder)
{
    Editor editor(project);
    EXPECT_TRUE(editor.core.HasGraphicProject());
    QStringList names;
    for (const auto& node : editor.core.Children(1))
        names << node.name;
    EXPECT_EQ(names, (QStringList{"Testata", "Griglia", "Se", "Fisso"}));
    project.Row("CodiceASP", {{"ID", 60}, {"IDPadre", 1}, {"Nome", "Primo"}, {"Ordine", 5}, {"TipoCodice", 1}});
    EXPECT_EQ(editor.core.Children(1).first().name, "Primo") << "Ordine, not ID, orders the siblings";
    for (int command = 0; command < Core::kCommandCount; ++command)
        EXPECT_FALSE(editor.core.IsEnabled(Core::Command(command))) << "nothing is selected yet";
}

TEST_F(ConfModelloTest, WithoutGraphicDatabaseTheTreeIsEmptyAndNothingIsEnabled)
{
    TempFolder other;
    Core core(project.InstallFolder(), other.Path() + "/");
    EXPECT_FALSE(core.HasGraphicProject());
    EXPECT_TRUE(core.Children(0).isEmpty());
    core.Select(1);
    EXPECT_EQ(Enabled(core), "");
    EXPECT_THROW(core.ProjectDatabase(), CDaoException);
}

TEST_F(ConfModelloTest, AMissingCatalogueIsAnError)
{
    TempFolder empty;
    EXPECT_THROW(Core(empty.Path() + "/", project.ProjectFolder()), CDaoException);
}

TEST_F(ConfModelloTest, NextIdIsTheHighestPlusOneAndLeavesTheSetAsItWas)
{
    Editor editor(project);
    CCodiceASPSet set(&editor.core.ProjectDatabase());
    set.m_strFilter = "IDPadre=?";
    set.m_filterParams = {20};
    set.m_strSort = "Ordine";
    set.Open();
    set.MoveNext();
    ASSERT_EQ(set.m_ID, 23);
    EXPECT_EQ(CGraphicBlocks::NextId(set), 51);
    EXPECT_EQ(set.m_ID, 23) << "the current row is found again";
    EXPECT_EQ(set.GetRecordCount(), 2) << "the filter is back";

    // An empty table starts at 1.
    CCodiceASPSet none(&editor.core.ProjectDatabase());
    editor.core.ProjectDatabase().Execute("DELETE FROM CodiceASP");
    none.Open();
    EXPECT_EQ(CGraphicBlocks::NextId(none), 1);
}

// ---- flags ----------------------------------------------------------------------

struct FlagCase
{
    const char* name;
    qint32 clipboard;   // 0: none
    bool cut;
    qint32 selected;
    const char* enabled;
};

void PrintTo(const FlagCase& c, std::ostream* os) { *os << c.name; }

class FlagsTest : public ConfModelloTest, public ::testing::WithParamInterface<FlagCase>
{
};

TEST_P(FlagsTest, KindAndClipboardDecideTheCommands)
{
    const FlagCase& c = GetParam();
    Editor editor(project);
    if (c.clipboard != 0) {
        editor.core.Select(c.clipboard);
        c.cut ? editor.core.OnCutBlock() : editor.core.OnCopyBlock();
        ASSERT_TRUE(editor.core.HasClipboard());
    }
    editor.core.Select(c.selected);
    EXPECT_EQ(Enabled(editor.core), QString::fromLatin1(c.enabled));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FlagsTest,
    ::testing::Values(
        // Without a clipboard: the table of block kinds. Styles and
        // parameters need a class or a parameter of the block's own.
        FlagCase{"page", 0, false, 1, "block,cond,table,feature,styles,params"},
        FlagCase{"block_first_sibling", 0, false, 10, "block,cond,table,feature,dup,copy,cut,delete,styles,down"},
        FlagCase{"table_holding_a_referenced_block", 0, false, 20, "column,dup,copy,up,down"},
        FlagCase{"column", 0, false, 21, "block,cond,table,feature,dup,copy,down"},
        FlagCase{"referenced_block", 0, false, 22, "block,cond,table,feature,dup,copy,styles"},
        FlagCase{"feature", 0, false, 11, "dup,copy,cut,delete,params,down"},
        FlagCase{"conditional", 0, false, 30, "block,cond,table,feature,dup,copy,cut,delete,up,down"},
        FlagCase{"reference_deletes_only", 0, false, 40, "delete"},
        FlagCase{"fixed", 0, false, 50, ""},
        FlagCase{"empty_page", 0, false, 2, "block,cond,table,feature"},
        // What goes where: a column only into a table; into a column a
        // block, table or feature but not a conditional block.
        FlagCase{"column_into_table", 23, false, 20, "column,dup,copy,paste,ref,up,down"},
        FlagCase{"column_into_page", 23, false, 1, "block,cond,table,feature,styles,params"},
        FlagCase{"column_into_block", 23, false, 12, "block,cond,table,feature,dup,copy,cut,delete,up"},
        FlagCase{"block_into_column", 12, false, 23, "block,cond,table,feature,dup,copy,cut,delete,paste,ref,up"},
        FlagCase{"block_into_table", 12, false, 20, "column,dup,copy,up,down"},
        FlagCase{"feature_into_column", 11, false, 23, "block,cond,table,feature,dup,copy,cut,delete,paste,ref,up"},
        FlagCase{"conditional_into_column", 30, false, 23, "block,cond,table,feature,dup,copy,cut,delete,up"},
        FlagCase{"block_into_feature", 12, false, 11, "dup,copy,cut,delete,params,down"},
        FlagCase{"block_into_reference", 12, false, 40, "delete"},
        // Refused: a block moved into itself or below itself; a reference
        // into the block it names or below it.
        FlagCase{"cut_into_itself", 10, true, 10, "block,cond,table,feature,dup,copy,cut,delete,styles,down"},
        FlagCase{"cut_into_its_subtree", 10, true, 12, "block,cond,table,feature,dup,copy,cut,delete,up"},
        FlagCase{"copy_into_its_subtree", 10, false, 12,
                 "block,cond,table,feature,dup,copy,cut,delete,paste,up"},
        FlagCase{"copy_into_itself", 10, false, 10,
                 "block,cond,table,feature,dup,copy,cut,delete,paste,styles,down"},
        // Block 30 includes 22 through its reference: nothing of 30 may go
        // into 22's subtree, or 22's page would include itself.
        FlagCase{"copy_holding_a_reference_into_the_referenced", 30, false, 22,
                 "block,cond,table,feature,dup,copy,styles"},
        FlagCase{"cut_holding_a_reference_below_the_referenced", 30, true, 24,
                 "block,cond,table,feature,dup,copy,cut,delete"},
        FlagCase{"reference_elsewhere", 30, false, 12,
                 "block,cond,table,feature,dup,copy,cut,delete,paste,ref,up"}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return std::string(info.param.name); });

struct RemoveCase
{
    qint32 id;
    bool removable;
};

TEST_F(ConfModelloTest, CanRemoveLooksForReferencesInTheWholeSubtree)
{
    const RemoveCase cases[] = {{22, false}, {21, false}, {20, false}, {1, false}, {24, true},
                                {10, true},  {30, true},  {40, true},  {23, true}};
    Editor editor(project);
    for (const RemoveCase& c : cases)
        EXPECT_EQ(editor.core.CanRemove(c.id), c.removable) << "block " << c.id;
}

// ---- inserting ---------------------------------------------------------------------

struct InsertCase
{
    const char* name;
    int kind;
    qint32 under;
    const char* blockName;
    const char* code;
    const char* className;
};

void PrintTo(const InsertCase& c, std::ostream* os) { *os << c.name; }

class InsertTest : public ConfModelloTest, public ::testing::WithParamInterface<InsertCase>
{
};

TEST_P(InsertTest, ANewBlockComesWithItsClassAndItsPageIsWritten)
{
    const InsertCase& c = GetParam();
    Editor editor(project);
    editor.core.Select(c.under);
    const qint32 id = editor.core.OnInsertBlock(c.kind);
    ASSERT_EQ(id, 51);
    EXPECT_EQ(editor.core.CurrentBlock(), id) << "the new block is selected";
    EXPECT_EQ(Field("Nome", id).toString(), c.blockName);
    EXPECT_EQ(Field("ASP", id).toString(), c.code);
    EXPECT_EQ(Field("IDPadre", id).toInt(), c.under);
    EXPECT_EQ(Field("Ordine", id).toInt(), id);
    EXPECT_EQ(Field("IDCategoria", id).toInt(), 1);
    EXPECT_EQ(Field("TipoCodice", id).toInt(), c.kind);
    EXPECT_TRUE(Field("Attivo", id).toBool());
    EXPECT_FALSE(Field("Include", id).toBool());
    EXPECT_EQ(project.Column("SELECT NomeCSS FROM ClassiCSS WHERE IDCodiceASP=?", {id}),
              (QVariantList{QString(".") + c.className}));
    EXPECT_EQ(project.Value("SELECT Ordine FROM ClassiCSS WHERE IDCodiceASP=?", {id}).toInt(), 4);
    EXPECT_EQ(editor.regenerated, (QList<qint32>{id}));
    EXPECT_TRUE(editor.styled.isEmpty()) << "the class has no attributes yet";
    EXPECT_EQ(editor.reloads, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, InsertTest,
    ::testing::Values(InsertCase{"block", 1, 10, "Nuovo blocco", "<div class=\"Blocco\">\n\t##CODICEFIGLIO##\n</div>",
                                 "Blocco"},
                      InsertCase{"table", 2, 1, "Nuova tabella",
                                 "<table class=\"Tabella\" cellpadding=\"0\" cellspacing=\"0\"><tr>\n\t"
                                 "##CODICEFIGLIO##\n</tr></table>",
                                 "Tabella"},
                      InsertCase{"column", 3, 20, "Nuova colonna",
                                 "<td class=\"Colonna\">\n\t##CODICEFIGLIO##\n</td>", "Colonna"}),
    [](const ::testing::TestParamInfo<InsertCase>& info) { return std::string(info.param.name); });

TEST_F(ConfModelloTest, ACommandNotAllowedHereDoesNothing)
{
    Editor editor(project);
    const QString before = project.Dump();
    editor.core.Select(20);
    EXPECT_EQ(editor.core.OnInsertBlock(1), 0) << "no block directly in a table";
    editor.core.Select(50);
    EXPECT_EQ(editor.core.OnDeleteBlock(), 0) << "a fixed block stays";
    editor.core.Select(22);
    EXPECT_EQ(editor.core.OnDeleteBlock(), 0) << "a referenced block stays";
    EXPECT_EQ(project.Dump(), before);
    EXPECT_TRUE(editor.regenerated.isEmpty());
}

TEST_F(ConfModelloTest, AFeatureBringsItsClassesParametersAndFiles)
{
    Editor editor(project);
    editor.core.Select(12);
    const qint32 id = editor.core.OnInsertFeature(5);
    ASSERT_EQ(id, 51);
    EXPECT_EQ(Field("TipoCodice", id).toInt(), 4);
    EXPECT_EQ(Field("IDModello", id).toInt(), 5);
    EXPECT_EQ(Field("IDCategoria", id).toInt(), 2);
    EXPECT_EQ(Field("Nome", id).toString(), "Carrello");
    EXPECT_EQ(Field("Descrizione", id).toString(), "Il carrello");
    EXPECT_TRUE(ChildrenOf(id).isEmpty()) << "the catalogue block's children stay in the catalogue";
    EXPECT_EQ(project.Column("SELECT NomeCSS FROM ClassiCSS WHERE IDCodiceASP=?", {id}), (QVariantList{".Carrello"}));
    EXPECT_EQ(project.Column("SELECT NomeCSS FROM ClassiCSS WHERE IDCodiceASP=12"), (QVariantList{".Contenitore"}))
        << "a \"^\" class belongs to the parent, without its mark";
    EXPECT_EQ(project.Column("SELECT IDModello FROM ClassiCSS WHERE ID>3 ORDER BY ID"), (QVariantList{7, 77}))
        << "a class remembers its model, or the catalogue class itself";
    EXPECT_EQ(project.Value("SELECT Valore FROM AttributiCSS WHERE IDClasse=4").toString(),
              "url(/images/carrello.gif)");
    EXPECT_EQ(project.Column("SELECT Bookmark FROM Parametri WHERE IDCodiceASP=? ORDER BY Ordine", {id}),
              (QVariantList{"ICONA", "TITOLO"}));
    EXPECT_EQ(project.Temp().ReadFile("project/website/images/carrello.gif"), "GIF89a-carrello");
    EXPECT_EQ(project.Temp().ReadFile("project/website/images/icona.gif"), "GIF89a-icona");
    EXPECT_EQ(editor.core.CurrentBlock(), id);
    EXPECT_EQ(editor.regenerated, (QList<qint32>{id}));
    EXPECT_EQ(editor.styled, (QList<qint32>{id}));

    // The same feature again under the same parent: its "^" class is there.
    project.Temp().WriteFile("project/website/images/icona.gif", "merchant's own");
    editor.core.Select(12);
    const qint32 second = editor.core.OnInsertFeature(5);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM ClassiCSS WHERE IDCodiceASP=12").toInt(), 1);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM ClassiCSS WHERE IDCodiceASP=?", {second}).toInt(), 1);
    EXPECT_EQ(project.Temp().ReadFile("project/website/images/icona.gif"), "merchant's own")
        << "a file already in the site is kept";
}

TEST_F(ConfModelloTest, FilesComeOnlyWithCatalogueBlocks)
{
    Editor editor(project);
    project.Row("ClassiCSS", {{"ID", 9}, {"IDCodiceASP", 12}, {"NomeCSS", ".Sfondo"}, {"Ordine", 9}});
    project.Row("AttributiCSS", {{"ID", 9}, {"IDClasse", 9}, {"IDAttributo", 26}, {"Valore", "url(/images/carrello.gif)"}});
    editor.core.Select(12);
    editor.core.OnDuplicate();
    EXPECT_FALSE(QFileInfo::exists(project.ProjectFolder() + "website/images/carrello.gif"));
}

TEST_F(ConfModelloTest, AFileNameLeavingTheFoldersIsNotCopied)
{
    Editor editor(project);
    project.Temp().WriteFile("install/segreto.txt", "no");
    CDaoDatabase catalogue;
    catalogue.Open(project.InstallFolder() + "db/modellografico.mdb");
    catalogue.Execute("UPDATE Parametri SET Valore='/../../segreto.txt' WHERE ID=11");
    catalogue.Close();
    editor.core.Select(12);
    ASSERT_NE(editor.core.OnInsertFeature(5), 0);
    EXPECT_FALSE(project.Temp().Exists("segreto.txt"));
    EXPECT_FALSE(project.Temp().Exists("project/segreto.txt"));
}

TEST_F(ConfModelloTest, FeatureDialogCancelledOrConditionalBlock)
{
    Editor editor(project);
    editor.core.Select(10);
    const QString before = project.Dump();
    EXPECT_EQ(editor.core.OnInsertFeature(0), 0);
    EXPECT_EQ(project.Dump(), before);
    const qint32 id = editor.core.OnInsertConditionalBlock();
    EXPECT_EQ(Field("TipoCodice", id).toInt(), 7);
    EXPECT_EQ(Field("IDModello", id).toInt(), 101);
}

// ---- copying ----------------------------------------------------------------------

TEST_F(ConfModelloTest, DuplicateCopiesTheSubtreeBesideItsSource)
{
    Editor editor(project);
    editor.core.Select(10);
    EXPECT_EQ(editor.core.OnDuplicate(), 10) << "the selection stays on the source";
    EXPECT_EQ(editor.progress, (QStringList{"Duplicazione codice in corso... 3", "hide"}));
    EXPECT_EQ(editor.lastStep, 3);
    EXPECT_EQ(ChildrenOf(1).last().toInt(), 51);
    EXPECT_EQ(Field("Nome", 51).toString(), "Testata");
    EXPECT_EQ(ChildrenOf(51), (QVariantList{52, 53}));
    EXPECT_EQ(project.Column("SELECT Valore FROM AttributiCSS WHERE IDClasse="
                             "(SELECT ID FROM ClassiCSS WHERE IDCodiceASP=51) ORDER BY IDAttributo"),
              (QVariantList{"100", "#FF0000"}));
    EXPECT_EQ(project.Value("SELECT IDModello FROM ClassiCSS WHERE IDCodiceASP=51").toInt(), 2)
        << "a copied class made in the editor names its source";
    EXPECT_EQ(project.Value("SELECT Valore FROM Parametri WHERE IDCodiceASP=52").toString(), "/images/logo.gif");
    EXPECT_EQ(editor.regenerated, (QList<qint32>{51}));
    EXPECT_EQ(editor.styled, (QList<qint32>{10}));
}

TEST_F(ConfModelloTest, CopiedReferencesKeepTheirCodeButHoldNothing)
{
    Editor editor(project);
    editor.core.Select(30);
    editor.core.OnDuplicate();
    const qint32 copy = ChildrenOf(51).first().toInt();
    EXPECT_EQ(Field("TipoCodice", copy).toInt(), 5);
    EXPECT_EQ(Field("IDRiferimento", copy).toInt(), 0);
    EXPECT_EQ(Field("ASP", copy).toString(), "<!-- #include virtual=\"/include22.asp\"-->");
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM CodiceASP WHERE IDRiferimento=22").toInt(), 1);
}

TEST_F(ConfModelloTest, PastedCopyGoesUnderTheTargetAndTheSelectionStays)
{
    Editor editor(project);
    editor.core.Select(10);
    editor.core.OnCopyBlock();
    editor.core.Select(12);   // into its own subtree: a copy is made first
    EXPECT_EQ(editor.core.OnPasteBlock(), 12);
    EXPECT_EQ(ChildrenOf(12), (QVariantList{51}));
    EXPECT_EQ(ChildrenOf(51), (QVariantList{52, 53}));
    EXPECT_TRUE(ChildrenOf(53).isEmpty()) << "the copy of 12 is not copied again";
    EXPECT_EQ(ChildrenOf(10), (QVariantList{11, 12}));
    EXPECT_EQ(editor.styled, (QList<qint32>{51}));
    EXPECT_EQ(editor.regenerated, (QList<qint32>{51}));
    EXPECT_TRUE(editor.core.HasClipboard()) << "the clipboard stays for the next paste";
}

TEST_F(ConfModelloTest, MovedBlockKeepsItsOrderAndBothPagesAreWritten)
{
    Editor editor(project);
    editor.core.Select(12);
    editor.core.OnCutBlock();
    editor.core.Select(2);
    EXPECT_EQ(editor.core.OnPasteBlock(), 12);
    EXPECT_EQ(Field("IDPadre", 12).toInt(), 2);
    EXPECT_EQ(Field("Ordine", 12).toInt(), 12);
    EXPECT_EQ(editor.core.CurrentBlock(), 12);
    EXPECT_EQ(editor.styled, (QList<qint32>{12}));
    EXPECT_EQ(editor.regenerated, (QList<qint32>{12, 1})) << "the page it left is written too";
}

struct RefusedCase
{
    const char* name;
    qint32 clipboard;
    int mode;   // 0 copy, 1 cut
    bool reference;
    qint32 target;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedPasteTest : public ConfModelloTest, public ::testing::WithParamInterface<RefusedCase>
{
};

// Called even though the flag is off (a stale menu), the command changes
// nothing: no row, no page, no lost subtree.
TEST_P(RefusedPasteTest, LeavesTheProjectAsItWas)
{
    const RefusedCase& c = GetParam();
    Editor editor(project);
    editor.core.Select(c.clipboard);
    c.mode == 1 ? editor.core.OnCutBlock() : editor.core.OnCopyBlock();
    ASSERT_TRUE(editor.core.HasClipboard());
    const QString before = project.Dump();
    editor.core.Select(c.target);
    EXPECT_EQ(c.reference ? editor.core.OnPasteReference() : editor.core.OnPasteBlock(), 0);
    EXPECT_EQ(project.Dump(), before);
    EXPECT_TRUE(editor.regenerated.isEmpty());
    EXPECT_EQ(editor.reloads, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedPasteTest,
    ::testing::Values(RefusedCase{"move_into_itself", 10, 1, false, 10},
                      RefusedCase{"move_into_its_child", 10, 1, false, 12},
                      RefusedCase{"reference_into_itself", 12, 0, true, 12},
                      RefusedCase{"reference_into_its_subtree", 22, 0, true, 24},
                      RefusedCase{"reference_while_cut_into_its_subtree", 10, 1, true, 12},
                      RefusedCase{"copy_including_the_target_page", 30, 0, false, 22},
                      RefusedCase{"reference_including_the_target_page", 30, 0, true, 24},
                      RefusedCase{"column_into_block", 23, 0, false, 12},
                      RefusedCase{"conditional_into_column", 30, 0, false, 23},
                      RefusedCase{"into_a_feature", 12, 0, false, 11},
                      RefusedCase{"into_a_reference", 12, 0, true, 40},
                      RefusedCase{"into_a_fixed_block", 12, 0, false, 50}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(ConfModelloTest, ADeletedClipboardBlockLeavesNothingToPaste)
{
    Editor editor(project);
    editor.core.Select(12);
    editor.core.OnCopyBlock();
    editor.core.OnDeleteBlock();
    editor.core.Select(10);
    EXPECT_FALSE(editor.core.IsEnabled(Core::Paste));
    EXPECT_EQ(editor.core.OnPasteBlock(), 0);
}

TEST_F(ConfModelloTest, PasteAsReferenceIncludesTheBlock)
{
    Editor editor(project);
    editor.core.Select(12);
    editor.core.OnCopyBlock();
    editor.core.Select(23);
    const qint32 id = editor.core.OnPasteReference();
    ASSERT_EQ(id, 51);
    EXPECT_TRUE(Field("Include", 12).toBool());
    EXPECT_EQ(Field("Nome", id).toString(), "Rif. Interno");
    EXPECT_EQ(Field("ASP", id).toString(), "<!-- #include virtual=\"/include12.asp\"-->");
    EXPECT_EQ(Field("IDRiferimento", id).toInt(), 12);
    EXPECT_EQ(Field("TipoCodice", id).toInt(), 5);
    EXPECT_EQ(Field("IDCategoria", id).toInt(), 0);
    EXPECT_EQ(Field("IDPadre", id).toInt(), 23);
    EXPECT_EQ(editor.core.CurrentBlock(), id);
    EXPECT_EQ(editor.regenerated, (QList<qint32>{12})) << "both blocks are on page 1: written once";
    editor.core.Select(10);
    EXPECT_FALSE(editor.core.IsEnabled(Core::Delete)) << "10 now holds a referenced block";
}

// ---- deleting ----------------------------------------------------------------------

TEST_F(ConfModelloTest, DeleteTakesTheSubtreeWithItsClassesAndParameters)
{
    Editor editor(project);
    editor.core.Select(10);
    EXPECT_EQ(editor.core.OnDeleteBlock(), 1);
    EXPECT_EQ(editor.core.CurrentBlock(), 1);
    EXPECT_EQ(editor.progress, (QStringList{"Cancellazione codice in corso... 3", "hide"}));
    EXPECT_EQ(ChildrenOf(1), (QVariantList{20, 30, 50}));
    EXPECT_FALSE(Field("ID", 11).isValid());
    EXPECT_FALSE(Field("ID", 12).isValid());
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM ClassiCSS WHERE IDCodiceASP=10").toInt(), 0);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM AttributiCSS WHERE IDClasse=2").toInt(), 0);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Parametri WHERE IDCodiceASP=11").toInt(), 0);
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM ClassiCSS").toInt(), 2) << "other blocks keep theirs";
    EXPECT_EQ(editor.regenerated, (QList<qint32>{1}));
    EXPECT_EQ(editor.styled, (QList<qint32>{1}));
}

TEST_F(ConfModelloTest, ANewBlockWithAReusedIdInheritsNothing)
{
    Editor editor(project);
    editor.core.Select(12);
    const qint32 first = editor.core.OnInsertBlock(1);
    project.Row("Parametri", {{"ID", 9}, {"IDCodiceASP", first}, {"Nome", "Vecchio"}, {"Ordine", 9}});
    editor.core.Select(first);
    editor.core.OnDeleteBlock();
    editor.core.Select(12);
    const qint32 second = editor.core.OnInsertBlock(1);
    ASSERT_EQ(second, first) << "the highest ID is handed out again";
    EXPECT_EQ(project.Column("SELECT NomeCSS FROM ClassiCSS WHERE IDCodiceASP=?", {second}),
              (QVariantList{".Blocco"}));
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Parametri WHERE IDCodiceASP=?", {second}).toInt(), 0);
    editor.core.Select(second);
    EXPECT_FALSE(editor.core.IsEnabled(Core::Parameters));
}

TEST_F(ConfModelloTest, DeletingTheLastReferenceClearsIncludeAndWritesThatPage)
{
    Editor editor(project);
    // A second reference to 22, on the other page.
    project.Block(60, 2, "Rif. Menu", 5, 22, 0);
    editor.core.Select(40);
    editor.core.OnDeleteBlock();
    EXPECT_TRUE(Field("Include", 22).toBool()) << "block 60 still includes it";
    EXPECT_EQ(editor.regenerated, (QList<qint32>{30}));
    editor.Clear();
    editor.core.Select(60);
    editor.core.OnDeleteBlock();
    EXPECT_FALSE(Field("Include", 22).toBool());
    EXPECT_EQ(editor.regenerated, (QList<qint32>{2, 22})) << "the parent's page, and the page of 22";
    editor.core.Select(22);
    EXPECT_TRUE(editor.core.IsEnabled(Core::Delete));
}

// ---- order and names -------------------------------------------------------------

TEST_F(ConfModelloTest, MovingUpAndDownSwapsTheOrderWithTheSibling)
{
    Editor editor(project);
    editor.core.Select(30);
    EXPECT_EQ(editor.core.OnMoveUp(), 30);
    EXPECT_EQ(ChildrenOf(1), (QVariantList{10, 30, 20, 50}));
    EXPECT_EQ(editor.regenerated, (QList<qint32>{30}));
    editor.core.OnMoveUp();
    EXPECT_EQ(ChildrenOf(1), (QVariantList{30, 10, 20, 50}));
    EXPECT_FALSE(editor.core.IsEnabled(Core::MoveUp)) << "first now";
    editor.core.OnMoveDown();
    editor.core.OnMoveDown();
    editor.core.OnMoveDown();
    EXPECT_EQ(ChildrenOf(1), (QVariantList{10, 20, 50, 30}));
    EXPECT_FALSE(editor.core.IsEnabled(Core::MoveDown));
    EXPECT_EQ(editor.core.OnMoveDown(), 0);
}

TEST_F(ConfModelloTest, RenamingABlockRenamesItsReferences)
{
    Editor editor(project);
    EXPECT_TRUE(editor.core.Rename(22, "Menu laterale"));
    EXPECT_EQ(Field("Nome", 22).toString(), "Menu laterale");
    EXPECT_EQ(Field("Nome", 40).toString(), "Rif. Menu laterale");
    EXPECT_TRUE(editor.regenerated.isEmpty());
    EXPECT_FALSE(editor.core.Rename(22, "")) << "an empty name";
    EXPECT_FALSE(editor.core.CanEditName(40)) << "a reference follows its block";
    EXPECT_FALSE(editor.core.Rename(40, "Altro"));
    EXPECT_EQ(Field("Nome", 22).toString(), "Menu laterale");
}

// ---- dialogs and the whole project ------------------------------------------------

TEST_F(ConfModelloTest, ChangedColoursRewriteOneSheetPerCategory)
{
    Editor editor(project);
    project.Row("ClassiCSS", {{"ID", 9}, {"IDCodiceASP", 11}, {"NomeCSS", ".Logo"}, {"Ordine", 9}});
    editor.core.Select(20);
    editor.core.OnColoursChanged({2, 3, 9, 99});
    ASSERT_EQ(editor.styled.size(), 2);
    EXPECT_EQ(Field("IDCategoria", editor.styled[0]).toInt() + Field("IDCategoria", editor.styled[1]).toInt(), 3)
        << "categories 1 and 2";
    EXPECT_EQ(editor.core.CurrentBlock(), 20);
    EXPECT_EQ(editor.reloads, 1);
}

TEST_F(ConfModelloTest, StylesAndParametersWriteWhatTheyAffect)
{
    Editor editor(project);
    editor.core.Select(22);
    editor.core.OnStylesAccepted(false);
    EXPECT_TRUE(editor.regenerated.isEmpty());
    EXPECT_EQ(editor.styled, (QList<qint32>{22}));
    editor.core.OnStylesAccepted(true);
    EXPECT_EQ(editor.regenerated, (QList<qint32>{22}));
    editor.Clear();
    editor.core.OnParametersAccepted();
    EXPECT_EQ(editor.regenerated, (QList<qint32>{22}));
    EXPECT_TRUE(editor.styled.isEmpty());
}

TEST_F(ConfModelloTest, RegenerateProjectWritesEveryPageThatHasBlocks)
{
    Editor editor(project);
    editor.core.RegenerateProject();
    EXPECT_EQ(editor.regenerated, (QList<qint32>{1}));
}

TEST_F(ConfModelloTest, ClosingAndOpeningTheProjectForgetsSelectionAndClipboard)
{
    Editor editor(project);
    editor.core.Select(12);
    editor.core.OnCopyBlock();
    editor.core.CloseProject();
    EXPECT_FALSE(editor.core.HasGraphicProject());
    EXPECT_EQ(Enabled(editor.core), "");
    EXPECT_TRUE(editor.core.OpenProject());
    EXPECT_FALSE(editor.core.HasClipboard());
    EXPECT_EQ(editor.core.CurrentBlock(), 0);
}

} // namespace

namespace {

// With the real page generator and style-sheet writer behind the editor.
TEST_F(ConfModelloTest, AReferencedBlockGetsAFileOfItsOwnAndItsSheetIsWritten)
{
    Core core(project.InstallFolder(), project.ProjectFolder());
    QDir().mkpath(project.ProjectFolder() + "website/asp");
    QDir().mkpath(project.ProjectFolder() + "website/images");
    project.Row("CategorieCodiciASP", {{"ID", 1}, {"Nome", "Generale"}, {"Ordine", 1}, {"NomeFileCSS", "generale.css"}});
    core.Select(12);
    core.OnCopyBlock();
    core.Select(23);
    ASSERT_NE(core.OnPasteReference(), 0);
    EXPECT_TRUE(project.Temp().Exists("project/website/asp/include12.asp"));
    core.Select(10);
    core.OnStylesAccepted(false);
    EXPECT_TRUE(project.Temp().ReadFile("project/website/images/generale.css").contains("#FF0000"))
        << project.Temp().ReadFile("project/website/images/generale.css").toStdString();
    EXPECT_TRUE(core.TakeFailedFiles().isEmpty());
}

} // namespace
