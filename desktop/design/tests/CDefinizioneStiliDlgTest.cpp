#include "desktop/design/CDefinizioneStiliDlg.h"
#include "desktop/design/CStileBordiDlg.h"
#include "desktop/design/CStileColoreRiga.h"
#include "desktop/design/CStileColoriDlg.h"
#include "desktop/design/CStileSfondoDlg.h"
#include "desktop/design/tests/StiliFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <gtest/gtest.h>

namespace {

struct Dialog
{
    StiliFixture f;
    std::unique_ptr<CDefinizioneStiliDlg> dlg;

    explicit Dialog(qint32 block = StiliFixture::kBlock)
    {
        f.Attr(StiliFixture::kTitolo, 0, "100%");
        f.Attr(StiliFixture::kTitolo, 16, "2");
        f.Attr(StiliFixture::kTitolo, 17, "dashed");
        f.Attr(StiliFixture::kTitolo, 18, "#336699");
        f.Attr(StiliFixture::kTitolo, 26, "url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)");
        f.Attr(StiliFixture::kTitolo, 27, "10 20");
        f.Attr(StiliFixture::kTitolo, 29, "Verdana, Helvetica, Arial");
        dlg = std::make_unique<CDefinizioneStiliDlg>(f.db.Db(), f.db.Db(), block, f.db.Folder(), f.clipboard);
    }

    template <class Page>
    Page* PageOf(int tab) const
    {
        return dynamic_cast<Page*>(dlg->Pages().at(tab));
    }
};

template <class Widget>
Widget* Labelled(QWidget* page, const QString& label, int which = 0)
{
    // Controls sit beside their label in the page's grid.
    auto* grid = qobject_cast<QGridLayout*>(page->layout());
    for (int row = 0; row < grid->rowCount(); ++row) {
        QLayoutItem* item = grid->itemAtPosition(row, 0);
        auto* text = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        if (text && text->text() == label && which-- == 0)
            return qobject_cast<Widget*>(grid->itemAtPosition(row, 1)->widget());
    }
    return nullptr;
}

TEST(DefinizioneStiliDlg, SevenTabsAndTheFirstClassShown)
{
    Dialog d;
    QStringList tabs;
    for (int tab = 0; tab < d.dlg->Tabs()->count(); ++tab)
        tabs << d.dlg->Tabs()->tabText(tab);
    EXPECT_EQ(tabs, (QStringList{"  Box  ", "  Colori  ", "  Margini  ", "  Bordi  ", "  Riempimenti  ",
                                 "  Sfondo  ", "  Caratteri  "}));
    EXPECT_EQ(d.dlg->Tabs()->currentIndex(), 0);
    EXPECT_EQ(d.dlg->ClassList()->count(), 2);
    EXPECT_EQ(d.dlg->ClassList()->currentRow(), 0);
    EXPECT_TRUE(d.dlg->CopyButton()->isEnabled());
    EXPECT_FALSE(d.dlg->PasteButton()->isEnabled());
    EXPECT_EQ(Labelled<CValidatedEdit>(d.dlg->Pages().at(0), "Larghezza")->text(), "100%");
    EXPECT_EQ(Labelled<QComboBox>(d.dlg->Pages().at(6), "Famiglia")->currentText(), "Senza grazie");
    auto* sfondo = d.PageOf<CStileSfondoDlg>(5);
    EXPECT_EQ(sfondo->ImageEdit()->text(), "fondo.jpg");
    EXPECT_FALSE(sfondo->ChangeButton()->isEnabled());
    EXPECT_TRUE(sfondo->DeleteButton()->isEnabled());
    EXPECT_EQ(Labelled<CValidatedEdit>(sfondo, "Posizione Y")->text(), "20");
}

TEST(DefinizioneStiliDlg, ABlockWithoutClassesOffersNeitherCopiaNorIncolla)
{
    Dialog d(StiliFixture::kEmptyBlock);
    EXPECT_EQ(d.dlg->ClassList()->count(), 0);
    EXPECT_FALSE(d.dlg->CopyButton()->isEnabled());
    EXPECT_FALSE(d.dlg->PasteButton()->isEnabled());
    d.dlg->accept();
    EXPECT_EQ(d.dlg->result(), QDialog::Accepted);
}

// Edits go to the core as typed, within what the field accepts, and are
// written when the selection moves to another class.
TEST(DefinizioneStiliDlg, TypedValuesAreLimitedAndSavedWhenTheSelectionMoves)
{
    Dialog d;
    auto* width = Labelled<CValidatedEdit>(d.dlg->Pages().at(0), "Altezza");
    QTest::keyClicks(width, "1a2%34");
    EXPECT_EQ(width->text(), "12%3");
    auto* margin = Labelled<CValidatedEdit>(d.dlg->Pages().at(2), "Superiore");
    QTest::keyClicks(margin, "5%x67890");
    EXPECT_EQ(margin->text(), "5678");
    auto* allSame = d.dlg->Pages().at(2)->findChild<QPushButton*>();
    QTest::mouseClick(allSame, Qt::LeftButton);
    auto* decoration = Labelled<QComboBox>(d.dlg->Pages().at(6), "Decorazione");
    decoration->setCurrentIndex(1);
    emit decoration->activated(1);
    d.dlg->ClassList()->setCurrentRow(1);
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 1), "12%3");
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 9), "5678");
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 34), "none");
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 22), "(no row)");   // the paddings' page is another
    EXPECT_EQ(Labelled<CValidatedEdit>(d.dlg->Pages().at(0), "Larghezza")->text(), "");
}

TEST(DefinizioneStiliDlg, AClassThatCannotBeSavedStaysSelectedAndOkKeepsTheDialog)
{
    Dialog d;
    CMessageBoxScript boxes;
    d.f.db.Db().Execute(QStringLiteral("CREATE TRIGGER Rifiuta BEFORE UPDATE ON AttributiCSS "
                                       "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END"));
    auto* width = Labelled<CValidatedEdit>(d.dlg->Pages().at(0), "Larghezza");
    width->selectAll();
    QTest::keyClicks(width, "55");
    d.dlg->ClassList()->setCurrentRow(1);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_TRUE(boxes.LastText().contains("rifiutato"));
    EXPECT_EQ(d.dlg->ClassList()->currentRow(), 0);
    EXPECT_EQ(d.dlg->Core().CurrentClassId(), StiliFixture::kTitolo);
    EXPECT_EQ(Labelled<CValidatedEdit>(d.dlg->Pages().at(0), "Larghezza")->text(), "55");
    d.dlg->accept();
    EXPECT_EQ(boxes.Shown().size(), 2);
    EXPECT_NE(d.dlg->result(), QDialog::Accepted);
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 0), "100%");
}

TEST(DefinizioneStiliDlg, CopiaEnablesIncollaWhichFillsThePagesOfAnotherClass)
{
    Dialog d;
    QTest::mouseClick(d.dlg->CopyButton(), Qt::LeftButton);
    EXPECT_TRUE(d.dlg->PasteButton()->isEnabled());
    d.dlg->ClassList()->setCurrentRow(1);
    EXPECT_EQ(d.dlg->Core().CurrentDescription(), "Il testo delle pagine");
    auto* width = Labelled<CValidatedEdit>(d.dlg->Pages().at(0), "Larghezza");
    EXPECT_EQ(width->text(), "");
    QTest::mouseClick(d.dlg->PasteButton(), Qt::LeftButton);
    EXPECT_EQ(width->text(), "100%");
    EXPECT_EQ(d.PageOf<CStileSfondoDlg>(5)->ImageEdit()->text(), "fondo.jpg");
    d.dlg->accept();
    EXPECT_EQ(d.f.Stored(StiliFixture::kTesto, 18), "#336699");
}

TEST(DefinizioneStiliDlg, TheBorderPageShowsOneSideAtATime)
{
    Dialog d;
    auto* bordi = d.PageOf<CStileBordiDlg>(3);
    EXPECT_EQ(bordi->SideCombo()->currentIndex(), -1);
    EXPECT_FALSE(bordi->AllSameButton()->isEnabled());
    EXPECT_FALSE(bordi->WidthEdit()->isEnabled());
    emit bordi->SideCombo()->activated(2);
    EXPECT_EQ(bordi->WidthEdit()->text(), "2");
    EXPECT_EQ(bordi->StyleCombo()->currentText(), "Tratteggiato");
    EXPECT_EQ(bordi->ColourRow()->GetColour(), "#336699");
    EXPECT_TRUE(bordi->AllSameButton()->isEnabled());
    QTest::mouseClick(bordi->AllSameButton(), Qt::LeftButton);
    d.dlg->accept();
    for (int attribute : {10, 13, 16, 19})
        EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, attribute), "2") << attribute;
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 20), "dashed");
    EXPECT_EQ(d.f.Stored(StiliFixture::kTitolo, 21), "#336699");
}

TEST(DefinizioneStiliDlg, ColoursComeFromTheChooserWithTheSwatchsColourAtStart)
{
    Dialog d;
    QColor start = Qt::red;
    CStileColorChooser::SetAnswerer([&start](const QColor& from) {
        start = from;
        return std::optional<QColor>(QColor(1, 2, 3));
    });
    auto* colori = d.PageOf<CStileColoriDlg>(1);
    QTest::mouseClick(colori->TextRow()->ChangeButton(), Qt::LeftButton);
    EXPECT_FALSE(start.isValid());   // no colour yet
    EXPECT_EQ(d.dlg->Core().Get(5), "#010203");
    QTest::mouseClick(colori->TextRow()->ChangeButton(), Qt::LeftButton);
    EXPECT_EQ(start, QColor(1, 2, 3));
    CStileColorChooser::SetAnswerer([](const QColor&) { return std::optional<QColor>(); });   // Annulla
    QTest::mouseClick(colori->TextRow()->ChangeButton(), Qt::LeftButton);
    EXPECT_EQ(d.dlg->Core().Get(5), "#010203");
    QTest::mouseClick(colori->TextRow()->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(d.dlg->Core().Get(5), "");
    CStileColorChooser::SetAnswerer({});
}

TEST(DefinizioneStiliDlg, CambiaWithAnotherNameShowsTheMessageAndCopiesNothing)
{
    Dialog d;
    CMessageBoxScript boxes;
    auto* sfondo = d.PageOf<CStileSfondoDlg>(5);
    const QString chosen = d.f.db.Temp().Path() + "/altro.jpg";
    QFile(d.f.db.Folder() + "db/database.mdb").copy(chosen);
    sfondo->SetFileChooser([&chosen](QWidget*) { return chosen; });
    emit sfondo->LanguageCombo()->activated(2);
    ASSERT_TRUE(sfondo->ChangeButton()->isEnabled());
    QTest::mouseClick(sfondo->ChangeButton(), Qt::LeftButton);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.LastText(),
              "E' necessario selezionare per tutte le lingue un file con il medesimo nome (fondo.jpg)");
    EXPECT_EQ(sfondo->ImageEdit()->text(), "fondo.jpg");
    EXPECT_FALSE(d.f.HasImage("en/altro.jpg"));
}

// Every page fits its tab: no control overlaps another, none is cut by the
// page's edge or drawn smaller than it needs. With QTR_STYLE_SHOTS set, a
// picture of each tab is written there for a person to look at.
TEST(DefinizioneStiliDlg, EveryPageFitsItsTab)
{
    Dialog d;
    const QString shots = qEnvironmentVariable("QTR_STYLE_SHOTS");
    emit d.PageOf<CStileBordiDlg>(3)->SideCombo()->activated(2);   // a side shown, its controls enabled
    d.dlg->show();
    QApplication::processEvents();
    const QTabBar* bar = d.dlg->Tabs()->tabBar();
    for (int tab = 0; tab < bar->count(); ++tab)
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(tab))) << "tab " << tab << " cut";
    for (int tab = 0; tab < d.dlg->Tabs()->count(); ++tab) {
        d.dlg->Tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        QWidget* page = d.dlg->Pages().at(tab);
        ASSERT_TRUE(page->isVisible()) << tab;
        QList<QWidget*> controls;
        for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                controls << child;
        for (int i = 0; i < controls.size(); ++i) {
            QWidget* control = controls.at(i);
            EXPECT_TRUE(page->rect().contains(control->geometry())) << tab << " " << control->metaObject()->className();
            EXPECT_GE(control->width(), control->minimumSizeHint().width()) << tab << " " << control->metaObject()->className();
            EXPECT_GE(control->height(), control->minimumSizeHint().height()) << tab << " " << control->metaObject()->className();
            for (int j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(control->geometry().intersects(controls.at(j)->geometry()))
                    << tab << " " << control->metaObject()->className() << " / "
                    << controls.at(j)->metaObject()->className();
        }
        for (QWidget* other : d.dlg->Pages())
            if (other != page)
                EXPECT_FALSE(other->isVisible()) << tab;
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            d.dlg->grab().save(QStringLiteral("%1/stili-%2.png").arg(shots).arg(tab));
        }
    }
}

} // namespace
