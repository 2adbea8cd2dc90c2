#include "desktop/design/CConfModelloCore.h"
#include "desktop/design/CConfModelloView.h"
#include "desktop/design/tests/GraphicProjectFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class ConfModelloViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto core = std::make_unique<CConfModelloCore>(project.InstallFolder(), project.ProjectFolder());
        core->m_regeneratePageTree = [this](qint32 id) { regenerated << id; };
        core->m_writeStyleSheets = [](qint32) {};
        view = std::make_unique<CConfModelloView>(std::move(core), shop);
    }

    void Select(qint32 id) { view->setCurrentItem(view->FindItemById(id)); }

    GraphicProjectFixture project;
    CDaoDatabase shop;
    CMessageBoxScript boxes;
    QList<qint32> regenerated;
    std::unique_ptr<CConfModelloView> view;
};

TEST_F(ConfModelloViewTest, ShowsTheTreeAndTheSelectionDrivesTheCore)
{
    ASSERT_EQ(view->topLevelItemCount(), 2);
    QTreeWidgetItem* page = view->topLevelItem(0);
    EXPECT_EQ(page->text(0), "Pagina");
    EXPECT_EQ(page->childCount(), 4);
    EXPECT_FALSE(page->icon(0).isNull());
    EXPECT_EQ(view->currentItem(), page) << "the first page is selected at the start";
    QSignalSpy flags(view.get(), &CConfModelloView::FlagsChanged);
    Select(20);
    EXPECT_EQ(view->Core().CurrentBlock(), 20);
    EXPECT_EQ(flags.count(), 1);
    EXPECT_TRUE(view->IsCommandEnabled(ID_INSERISCI_COLONNA));
    EXPECT_FALSE(view->IsCommandEnabled(ID_INSERISCI_BLOCCO));
    EXPECT_TRUE(view->IsCommandEnabled(ID_COLORI));
    EXPECT_FALSE(view->FindItemById(40)->flags() & Qt::ItemIsEditable) << "a reference's name follows its block";
    EXPECT_TRUE(view->FindItemById(22)->flags() & Qt::ItemIsEditable);
}

TEST_F(ConfModelloViewTest, CommandsAreForwardedAndTheNewBlockIsSelected)
{
    Select(20);
    EXPECT_FALSE(view->OnCommand(ID_INSERISCI_BLOCCO)) << "off for a table";
    EXPECT_TRUE(view->OnCommand(ID_INSERISCI_COLONNA));
    ASSERT_NE(view->currentItem(), nullptr);
    EXPECT_EQ(view->currentItem()->text(0), "Nuova colonna");
    EXPECT_EQ(view->currentItem()->parent(), view->FindItemById(20));
    EXPECT_EQ(view->Core().CurrentBlock(), 51);
}

TEST_F(ConfModelloViewTest, DeleteAsksFirst)
{
    Select(10);
    boxes.Answer(QMessageBox::No);
    view->OnCommand(ID_ELIMINA_BLOCCO);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text,
              "ATTENZIONE: questa operazione elimina il nodo e tutti i suoi figli. Vuoi continuare?");
    EXPECT_EQ(boxes.Shown()[0].caption, "Cancellazione nodo");
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);
    EXPECT_NE(view->FindItemById(10), nullptr);
    boxes.Answer(QMessageBox::Yes);
    view->OnCommand(ID_ELIMINA_BLOCCO);
    EXPECT_EQ(view->FindItemById(10), nullptr);
    EXPECT_EQ(view->FindItemById(11), nullptr);
    EXPECT_EQ(view->currentItem(), view->FindItemById(1)) << "the parent takes the selection";
}

TEST_F(ConfModelloViewTest, LabelEditingRenamesAndRefusesAnEmptyName)
{
    view->FindItemById(22)->setText(0, "Menu laterale");
    QCoreApplication::processEvents();
    EXPECT_EQ(project.Value("SELECT Nome FROM CodiceASP WHERE ID=40").toString(), "Rif. Menu laterale");
    EXPECT_EQ(view->FindItemById(40)->text(0), "Rif. Menu laterale");
    view->FindItemById(22)->setText(0, "");
    QCoreApplication::processEvents();
    EXPECT_EQ(view->FindItemById(22)->text(0), "Menu laterale");
    EXPECT_EQ(project.Value("SELECT Nome FROM CodiceASP WHERE ID=22").toString(), "Menu laterale");
}

TEST_F(ConfModelloViewTest, DialogResultsReachTheCore)
{
    Select(22);
    view->m_editStyles = [](bool* pageAffected) {
        *pageAffected = true;
        return true;
    };
    view->OnCommand(ID_STILI_BLOCCO);
    EXPECT_EQ(regenerated, (QList<qint32>{22}));
    regenerated.clear();
    view->m_editStyles = [](bool*) { return false; };
    view->OnCommand(ID_STILI_BLOCCO);
    EXPECT_TRUE(regenerated.isEmpty()) << "cancelled";

    Select(10);
    view->m_chooseFeature = [] { return qint32(5); };
    EXPECT_TRUE(view->OnCommand(ID_INSERISCI_FUNZIONALITA));
    EXPECT_EQ(view->currentItem()->text(0), "Carrello");
    view->m_chooseFeature = [] { return qint32(0); };
    Select(10);
    view->OnCommand(ID_INSERISCI_FUNZIONALITA);
    EXPECT_EQ(view->FindItemById(10)->childCount(), 3) << "nothing chosen, nothing inserted";
}

} // namespace
