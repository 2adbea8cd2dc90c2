// The article card's rules on a project on disk: texts saved per language,
// the code's checks, the insertion with its reserved ID and the sections
// ticked for it, the three-state filter with its typed code bound, the
// deletions that end a filter or empty the archive, the tab rules, the
// reply article and the template list.

#include "desktop/content/CArticoliView.h"
#include "desktop/content/CArticoliViewCore.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CCheckTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/content/CModelliCore.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QTabBar>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

const QString kIt = QStringLiteral("it");
const QString kEn = QStringLiteral("en");

class Articles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddArticle(1, QStringLiteral("ALFA"), 1, true, false);
        shop.AddArticle(2, QStringLiteral("AB_1"), 2, false, true);
        shop.AddArticle(3, QStringLiteral("ABX1"), 3, true, true);
        shop.AddArticleText(1, kIt, QStringLiteral("Primo"), QStringLiteral("Testo uno"));
        shop.AddArticleText(2, kIt, QString(), QStringLiteral("Testo due"), QStringLiteral("Sotto due"));
        shop.AddArticleText(3, kIt, QStringLiteral("Terzo"));
        shop.AddSection(10, 0, kIt, QStringLiteral("Notizie"));
        shop.AddSection(11, 0, kIt, QStringLiteral("Vuota"));
        shop.LinkArticle(10, 2);
        shop.LinkArticle(10, 3);
    }

    void Open(const QString& current = kIt)
    {
        core = std::make_unique<CArticoliViewCore>(shop.Db(), shop.Folder());
        core->SetLanguages(current, kIt);
        core->m_selectDefaultLanguage = [this] { ++defaultSelected; };
        core->Start();
    }

    QVariant Column(const QString& column, qint32 id)
    {
        return shop.Value(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM Articoli WHERE ID=?"), {id});
    }

    ContentFixture shop;
    CMessageBoxScript boxes;
    std::unique_ptr<CArticoliViewCore> core;
    int defaultSelected = 0;
};

TEST_F(Articles, ASaveInALanguageWithoutTextsMakesItsRowAndKeywords)
{
    Open(kEn);
    ASSERT_EQ(core->CurrentID(), 1);
    EXPECT_EQ(core->Form().titolo, QStringLiteral("Primo"));   // the default language's, until edited
    core->Form().testo = QStringLiteral("<b>Text</b> & more");
    core->Form().codice = QStringLiteral("alfa");   // stored upper case: no change for the code
    ASSERT_TRUE(core->IsRecordModified());
    ASSERT_TRUE(core->SaveRecord());
    bool found = false;
    EXPECT_EQ(shop.ArticleTitle(1, kEn, &found), QStringLiteral("Primo"));
    EXPECT_TRUE(found);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM ArticoliLingue WHERE IDArticolo=1")).toInt(), 2);
    // Typed text is stored as typed: the shop escapes on output.
    core->RefreshLanguage(kEn, kIt);
    EXPECT_EQ(core->Form().testo, QStringLiteral("<b>Text</b> & more"));
    core->RefreshLanguage(kIt, kIt);
    EXPECT_EQ(core->Form().testo, QStringLiteral("Testo uno"));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Keywords FROM ParoleChiave WHERE Tipo=3 AND IDRecord=1 AND "
                                        "CodiceLingua='en'")).toString(),
              QStringLiteral("primo text more"));
    EXPECT_EQ(Column(QStringLiteral("Modificato"), 1).toInt(), 1);
    EXPECT_FALSE(core->IsRecordModified());
}

struct CodeCase
{
    const char* name;
    const char* typed;
    const char* refusal;   // empty: saved
    const char* stored;
};

class ArticleCodes : public Articles, public ::testing::WithParamInterface<CodeCase>
{
};

TEST_P(ArticleCodes, AreCheckedUpperCase)
{
    Open();
    const CodeCase& c = GetParam();
    core->MoveLast();   // ABX1
    core->Form().codice = QString::fromUtf8(c.typed);
    const bool saved = core->SaveRecord();
    EXPECT_EQ(saved, *c.refusal == 0);
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8(c.refusal));
    EXPECT_EQ(Column(QStringLiteral("Codice"), 3).toString(), QString::fromUtf8(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Articles, ArticleCodes,
    ::testing::Values(CodeCase{"LowerCaseIsStoredUpper", "nuovo1", "", "NUOVO1"},
                      CodeCase{"OwnCodeIsAccepted", "abx1", "", "ABX1"},
                      CodeCase{"EmptyCodeIsAccepted", "", "", ""},
                      CodeCase{"DigitFirstIsRefused", "1abc",
                               "Il primo carattere del codice articolo non può essere un numero!", "ABX1"},
                      CodeCase{"AnotherArticlesCodeIsRefused", "alfa", "Codice articolo già presente in archivio!",
                               "ABX1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Articles, ANewArticleStartsInTheDefaultLanguageWithItsDefaults)
{
    Open(kEn);
    core->ToggleInsert();
    ASSERT_TRUE(core->IsInserting());
    EXPECT_EQ(defaultSelected, 1);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."));
    EXPECT_EQ(core->Form().attivo, ArticoloForm::Checked);
    EXPECT_EQ(core->Form().voto, ArticoloForm::Indeterminate);
    EXPECT_EQ(core->Form().dataPubblicazione.date(), QDate::currentDate());
    const qint32 id = core->ReservedID();
    core->Form().codice = QStringLiteral("nuovo");
    core->Form().titolo = QStringLiteral("Nuovo articolo");
    ASSERT_TRUE(core->SaveNew());
    EXPECT_FALSE(core->IsInserting());
    EXPECT_EQ(core->CurrentID(), id);
    EXPECT_EQ(Column(QStringLiteral("Ordine"), id).toInt(), id);
    EXPECT_EQ(Column(QStringLiteral("FlagVoto"), id).toInt(), 2);
    EXPECT_EQ(Column(QStringLiteral("Codice"), id).toString(), QStringLiteral("NUOVO"));
    EXPECT_EQ(shop.ArticleTitle(id, kIt), QStringLiteral("Nuovo articolo"));
}

TEST_F(Articles, SectionsTickedForACancelledInsertionGoAway)
{
    Open();
    core->ToggleInsert();
    const qint32 id = core->ReservedID();
    core->ClickSection(11);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniArticoli WHERE IDArticolo=?"), {id}).toInt(), 1);
    boxes.Answer(QMessageBox::Yes);
    core->ToggleInsert();
    EXPECT_FALSE(core->IsInserting());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniArticoli WHERE IDArticolo=?"), {id}).toInt(), 0);
    EXPECT_EQ(core->CurrentID(), 1);
}

TEST_F(Articles, AClickOnASectionLinksAndUnlinksTheShownArticleAtOnce)
{
    Open();
    core->ClickSection(11);
    EXPECT_TRUE(core->Ticked().contains(11));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniArticoli WHERE IDArticolo=1")).toInt(), 1);
    core->ClickSection(11);
    EXPECT_FALSE(core->Ticked().contains(11));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniArticoli WHERE IDArticolo=1")).toInt(), 0);
}

struct FilterCase
{
    const char* name;
    int attivo;
    int novita;
    qint32 section;
    const char* code;
    QList<qint32> ids;   // empty: the filter is cancelled
};

class ArticleFilters : public Articles, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(ArticleFilters, SelectWhatTheCriteriaSay)
{
    Open();
    const FilterCase& c = GetParam();
    core->OnCommand(ID_RECORD_FILTER);
    ASSERT_EQ(core->GetFilterMode(), CArticoliViewCore::FilterEntering);
    core->Form().attivo = c.attivo;
    core->Form().novita = c.novita;
    core->Form().codice = QString::fromUtf8(c.code);
    if (c.section > 0)
        core->ClickSection(c.section);
    core->OnCommand(ID_RECORD_FIRST);
    QList<qint32> seen;
    if (core->GetFilterMode() == CArticoliViewCore::FilterActive) {
        seen << core->CurrentID();
        while (core->IsCommandEnabled(ID_RECORD_NEXT)) {
            core->MoveNext();
            seen << core->CurrentID();
        }
    } else {
        EXPECT_EQ(boxes.LastText(),
                  QStringLiteral("Il filtro impostato non seleziona alcun record e viene pertanto annullato."));
        EXPECT_EQ(core->GetFilterMode(), CArticoliViewCore::FilterNone);
        EXPECT_EQ(core->Count(), 3);
    }
    EXPECT_EQ(seen, c.ids);
}

INSTANTIATE_TEST_SUITE_P(
    Articles, ArticleFilters,
    ::testing::Values(
        // Nothing set still counts as a filter, of every article.
        FilterCase{"NothingSetSelectsAll", 2, 2, 0, "", {1, 2, 3}},
        FilterCase{"ActiveOnly", 1, 2, 0, "", {1, 3}},
        FilterCase{"InactiveAndNew", 0, 1, 0, "", {2}},
        FilterCase{"SectionAndActive", 1, 2, 10, "", {3}},
        FilterCase{"SectionWithoutArticlesCancels", 2, 2, 11, "", {}},
        // The code selects the codes that begin with it; "_" typed is a
        // character, not a wildcard, and lower case matches.
        FilterCase{"CodeBeginning", 2, 2, 0, "ab", {2, 3}},
        FilterCase{"TypedUnderscoreIsPlain", 2, 2, 0, "AB_", {2}},
        FilterCase{"TypedPercentIsPlain", 2, 2, 0, "A%", {}},
        FilterCase{"QuoteIsBound", 2, 2, 0, "A' OR '1'='1", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Articles, DeletingTheLastFilteredArticleEndsTheFilter)
{
    Open();
    core->Filter();
    core->Form().codice = QStringLiteral("ALF");
    core->ApplyFilter();
    ASSERT_EQ(core->Count(), 1);
    boxes.Answer(QMessageBox::Yes);
    core->OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Sono stati cancellati tutti i record selezionati dal filtro impostato "
                                               "che viene pertanto annullato."));
    EXPECT_EQ(core->GetFilterMode(), CArticoliViewCore::FilterNone);
    EXPECT_EQ(core->CurrentID(), 2);
    EXPECT_EQ(shop.Count(QStringLiteral("Articoli")), 2);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM ArticoliLingue WHERE IDArticolo=1")).toInt(), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Articoli'")).toInt(),
              1);
}

TEST_F(Articles, DeletingEveryArticleLeavesAnEmptyDisabledCard)
{
    Open();
    for (int i = 0; i < 3; ++i) {
        boxes.Answer(QMessageBox::Yes);
        core->Delete();
    }
    EXPECT_EQ(boxes.LastText(), QStringLiteral("L'archivio articoli ora è vuoto."));
    EXPECT_TRUE(core->IsEmptyArchive());
    EXPECT_FALSE(core->IsEditingEnabled());
    EXPECT_FALSE(core->IsCommandEnabled(ID_RECORD_DELETE));
    EXPECT_FALSE(core->IsCommandEnabled(ID_RECORD_NEXT));
    EXPECT_TRUE(core->IsCommandEnabled(ID_RECORD_INSERT));
    EXPECT_FALSE(core->SelectTab(CArticoliViewCore::TabLink));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Inserimento articolo"));
}

TEST_F(Articles, PagesOtherThanTheTextsAreRefusedWhileInsertingOrFiltering)
{
    Open();
    core->ToggleInsert();
    EXPECT_FALSE(core->SelectTab(CArticoliViewCore::TabAvanzate));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Inserimento articoli"));
    boxes.Answer(QMessageBox::Yes);
    core->ToggleInsert();
    core->Filter();
    EXPECT_FALSE(core->SelectTab(CArticoliViewCore::TabFiles));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Impostazione filtri"));
    core->Filter();
    EXPECT_TRUE(core->SelectTab(CArticoliViewCore::TabFiles));
}

TEST_F(Articles, MovingOnSavesWhatWasTypedAndAFailedSaveStays)
{
    Open();
    core->Form().titolo = QStringLiteral("Primo cambiato");
    core->MoveNext();
    EXPECT_EQ(core->CurrentID(), 2);
    EXPECT_EQ(shop.ArticleTitle(1, kIt), QStringLiteral("Primo cambiato"));
    core->Form().codice = QStringLiteral("9X");
    core->MoveNext();
    EXPECT_EQ(core->CurrentID(), 2);
    EXPECT_EQ(Column(QStringLiteral("Codice"), 2).toString(), QStringLiteral("AB_1"));
    core->Undo();
    EXPECT_EQ(core->Form().codice, QStringLiteral("AB_1"));
}

TEST_F(Articles, TheReplyArticleIsNamedByTitleSubtitleOrText)
{
    Open();
    core->ChooseReply(2);   // no title: its subtitle
    EXPECT_EQ(core->Form().rispostaNome, QStringLiteral("Sotto due"));
    ASSERT_TRUE(core->SaveRecord());
    EXPECT_EQ(Column(QStringLiteral("IDArticoloRispostaModulo"), 1).toInt(), 2);
    // The texts went into the shown article's row, not the reply's.
    EXPECT_EQ(shop.ArticleTitle(2, kIt), QString());
    EXPECT_EQ(shop.ArticleTitle(1, kIt), QStringLiteral("Primo"));
}

TEST_F(Articles, ADeletedTemplateLeavesItsArticlesOnTheDefault)
{
    shop.Row(QStringLiteral("Template"), {{"ID", 4}, {"Codice", "NEWS"}, {"Descrizione", "Notizia"}, {"Modificato", 0}});
    shop.Db().Execute(QStringLiteral("UPDATE Articoli SET IDTemplate=4 WHERE ID=1"));
    CModelliCore templates(shop.Db());
    ASSERT_EQ(templates.Templates().size(), 1);
    EXPECT_EQ(templates.Add({QStringLiteral("news"), QStringLiteral("Altra")}).strText,
              QStringLiteral("Codice già presente in archivio!"));
    EXPECT_EQ(templates.Add({QStringLiteral("1x"), QStringLiteral("Altra")}).strText,
              QStringLiteral("Il primo carattere del codice non può essere un numero!"));
    EXPECT_FALSE(templates.Add({QString(), QStringLiteral("Senza codice")}).IsRefused());
    templates.Select(0);
    EXPECT_FALSE(templates.Change({QStringLiteral("news"), QStringLiteral("Notizia lunga")}).IsRefused());
    EXPECT_EQ(templates.Templates().at(0).strText, QStringLiteral("Notizia lunga"));
    templates.Select(0);
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(templates.Delete());
    EXPECT_EQ(Column(QStringLiteral("IDTemplate"), 1).toInt(), 0);
    Open();
    EXPECT_EQ(core->Templates().size(), 2);   // "Predefinito" and the one without code
    EXPECT_EQ(core->Form().idTemplate, 0);
}

// The card as the merchant drives it: a refused page puts the tab back,
// a box ticked in the sections popup is written at once, and the close
// refuses while a new article is being inserted.
TEST_F(Articles, TheCardForwardsTabsTicksAndCloseToItsRules)
{
    CArticoliView view(shop.Db(), shop.Folder(), kIt, kIt);
    view.OnViewCommand(ID_RECORD_INSERT);
    view.Tabs()->setCurrentIndex(CArticoliViewCore::TabLink);
    EXPECT_EQ(view.Tabs()->currentIndex(), CArticoliViewCore::TabGenerale);
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Inserimento articoli"));
    EXPECT_FALSE(CCloseProtocol(nullptr, {}).MayClose(view));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: annullare l'inserimento in corso prima di uscire."));
    boxes.Answer(QMessageBox::Yes);
    view.OnViewCommand(ID_RECORD_INSERT);
    ASSERT_FALSE(view.Core().IsInserting());

    QTreeWidgetItem* vuota = nullptr;
    for (QTreeWidgetItemIterator it(view.SectionsPopup()->Tree()); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == 11)
            vuota = *it;
    ASSERT_TRUE(vuota);
    emit view.SectionsPopup()->UM_TREE_STATE_CLICK(vuota);
    EXPECT_EQ(vuota->checkState(0), Qt::Checked);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM SezioniArticoli WHERE IDArticolo=1 AND IDSezione=11"))
                  .toInt(),
              1);
    view.CodiceEdit()->setText(QStringLiteral("alfa2"));
    EXPECT_TRUE(CCloseProtocol(nullptr, {}).MayClose(view));
    EXPECT_EQ(Column(QStringLiteral("Codice"), 1).toString(), QStringLiteral("ALFA2"));
}

} // namespace
