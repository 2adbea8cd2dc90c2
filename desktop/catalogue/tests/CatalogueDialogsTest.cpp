// The dialogs and the view forward to their cores: one test each that a
// widget runs its job or rule, and that "Annulla" stops a run.

#include "desktop/catalogue/CAggiornamentoListiniDlg.h"
#include "desktop/catalogue/CCategorieView.h"
#include "desktop/catalogue/CCategoryDragTree.h"
#include "desktop/catalogue/CImportDatiDlg.h"
#include "desktop/catalogue/COrdinamentoIndiceDlg.h"
#include "desktop/catalogue/CTabellaProdottiView.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/settings/CParGenViewCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class CatalogueDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddCategory(3);
        f.AddCategoryName(3, QStringLiteral("it"), QStringLiteral("Sedie"));
        f.AddProduct(1, QStringLiteral("P1"), 10);
        f.AddProductLanguage(11, 1, QStringLiteral("it"), 50.0, QStringLiteral("Sedia"));
        f.AddLink(1, 3, 1);
        f.ClearModified();
    }

    QString WriteFile(const QByteArray& content)
    {
        const QString path = f.Folder() + QStringLiteral("/prodotti.txt");
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }

    CatalogueFixture f;
    CMessageBoxScript boxes;
};

// The job runs on its worker; the dialog's loop goes on until its end has
// been handled.
void UntilJobEnds(CCatalogueJobRunner& jobs)
{
    QEventLoop loop;
    QObject::connect(&jobs, &CCatalogueJobRunner::Finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    if (jobs.IsRunning())
        loop.exec();
}

TEST_F(CatalogueDialogsTest, ImportDialogKeepsMandatoryFieldsAndRunsFromAvvio)
{
    CImportDatiDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    EXPECT_EQ(dialog.LanguageCombo()->currentText(), QStringLiteral("Italiano"));
    EXPECT_FALSE(dialog.StartButton()->isEnabled());
    EXPECT_FALSE(dialog.DeleteRadio()->isEnabled());

    dialog.FieldList()->item(1)->setCheckState(Qt::Unchecked);   // "Codice"
    EXPECT_EQ(dialog.FieldList()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Il campo Codice deve essere necessariamente importato!"));
    dialog.FieldList()->item(3)->setCheckState(Qt::Unchecked);   // the only description
    EXPECT_EQ(boxes.LastText(), QStringLiteral("E' necessario importare almeno una descrizione!"));

    // A bad sixth line passes the preview, which reads five.
    dialog.SetFile(WriteFile("3|A1|Uno|b|1|22\n3|A2|Due|b|2|22\n"));
    EXPECT_TRUE(dialog.StartButton()->isEnabled());
    EXPECT_EQ(dialog.PreviewGrid()->GetRowCount(), 3);
    EXPECT_EQ(dialog.PreviewGrid()->GetCellText(0, 0), QStringLiteral("Cat."));
    EXPECT_EQ(dialog.PreviewGrid()->GetCellText(2, 1), QStringLiteral("A2"));

    dialog.ObsoleteCheck()->setChecked(true);
    EXPECT_TRUE(dialog.DeleteRadio()->isChecked());
    dialog.ObsoleteCheck()->setChecked(false);
    EXPECT_FALSE(dialog.DeleteRadio()->isChecked());
    EXPECT_FALSE(dialog.DeactivateRadio()->isChecked());

    boxes.Clear();
    dialog.StartButton()->click();
    UntilJobEnds(dialog.Jobs());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Operazione effettuata con successo."));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice IN ('A1', 'A2')")).toInt(), 2);
    EXPECT_EQ(dialog.StatusLabel()->text(), QStringLiteral("Import linea 2 / 2 in corso..."));
}

TEST_F(CatalogueDialogsTest, ImportPreviewRefusesABadLine)
{
    CImportDatiDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.SetFile(WriteFile("3|A1|Uno|b|1|22\n3|A2|Due|b|x|22\n"));
    EXPECT_FALSE(dialog.StartButton()->isEnabled());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Il file selezionato non rispetta il formato dei campi da importare."));
    EXPECT_EQ(dialog.PreviewGrid()->GetRowCount(), 1);
}

TEST_F(CatalogueDialogsTest, ImportDialogAnnullaStopsTheRunAndChangesNothing)
{
    QByteArray lines;
    for (int i = 1; i <= 200; ++i)
        lines += QStringLiteral("3|X%1|Nome|b|1|22\n").arg(i).toUtf8();
    CImportDatiDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.SetFile(WriteFile(lines));
    const QByteArray before = f.DatabaseBytes();
    dialog.StartButton()->click();
    EXPECT_TRUE(dialog.Jobs().IsRunning());
    dialog.CancelButton()->click();
    UntilJobEnds(dialog.Jobs());
    EXPECT_TRUE(boxes.LastText().startsWith(QStringLiteral("Operazione non completata.")));
    EXPECT_EQ(f.DatabaseBytes(), before);
}

// A line skipped on the merchant's word: the run goes through, and the
// dialog says how many lines were left out and that the obsolete products
// were left alone, from the job's counts.
TEST_F(CatalogueDialogsTest, APartialImportSaysWhatWasSkippedAndThatObsoleteProductsWereLeftAlone)
{
    CImportDatiDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.SetFile(WriteFile("3|A1|Uno|b|1|22\n3|A2|Due|b|2|22\n3|A3|Tre|b|3|22\n3|A4|Quattro|b|4|22\n"
                             "3|A5|Cinque|b|5|22\n9|A6|Sei|b|6|22\n"));
    dialog.ObsoleteCheck()->setChecked(true);
    boxes.Clear();
    dialog.StartButton()->click();   // the unknown category: skip the line
    UntilJobEnds(dialog.Jobs());
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_TRUE(boxes.Shown().at(0).text.startsWith(QStringLiteral("Categoria prodotto errata alla linea 6.")));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Operazione effettuata con successo.\n"
                                               "1 linee su 6 non sono state importate.\n"
                                               "I prodotti obsoleti non sono stati modificati: il file non li "
                                               "elenca tutti."));
    EXPECT_EQ(boxes.Shown().last().icon, CMessageBox::Exclamation);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice='P1'")).toInt(), 1);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM Prodotti WHERE Codice LIKE 'A%'")).toInt(), 5);
}

TEST_F(CatalogueDialogsTest, BulkUpdateDialogAsksForTheMissingFieldsThenRuns)
{
    CAggiornamentoListiniDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.StartButton()->click();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    dialog.PercentEdit()->SetValue(-10.0);
    boxes.Clear();
    dialog.StartButton()->click();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE ID=11")).toDouble(), 50.0);

    dialog.ListCombo()->setCurrentIndex(1);
    dialog.ChooseCategory(3, QStringLiteral("Sedie"));
    dialog.StartButton()->click();
    UntilJobEnds(dialog.Jobs());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Aggiornamento completato."));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE ID=11")).toDouble(), 45.0);
}

// "-10,5" typed the Italian way is a decrease of 10.5% (it was read as
// -105% and made every price negative, reported as a success); the change is
// confirmed first, and one that would make prices negative is refused.
TEST_F(CatalogueDialogsTest, BulkUpdateReadsTheTypedPercentAndAsksFirst)
{
    CAggiornamentoListiniDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.ListCombo()->setCurrentIndex(1);
    QTest::keyClicks(dialog.PercentEdit(), QStringLiteral("-10,5"));
    boxes.Answer(QMessageBox::No);
    dialog.StartButton()->click();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Question);
    EXPECT_TRUE(boxes.LastText().contains(QStringLiteral("-10,5%"))) << boxes.LastText().toStdString();
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE ID=11")).toDouble(), 50.0);

    boxes.Clear();
    dialog.StartButton()->click();
    UntilJobEnds(dialog.Jobs());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Aggiornamento completato."));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE ID=11")).toDouble(), 44.75);
}

TEST_F(CatalogueDialogsTest, BulkUpdateRefusesAPercentThatDoesNotRead)
{
    CAggiornamentoListiniDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.ListCombo()->setCurrentIndex(0);
    dialog.PercentEdit()->setText(QStringLiteral("10%"));
    dialog.StartButton()->click();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Numero non corretto!"));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE ID=11")).toDouble(), 50.0);
}

TEST_F(CatalogueDialogsTest, BulkUpdateRefusesADecreaseBeyondAll)
{
    CAggiornamentoListiniDlg dialog(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.ListCombo()->setCurrentIndex(0);
    QTest::keyClicks(dialog.PercentEdit(), QStringLiteral("-105"));
    dialog.StartButton()->click();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Stop);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT MIN(Prezzo) FROM ProdottiLingue")).toDouble(), 50.0);
}

TEST_F(CatalogueDialogsTest, OrderingDialogRunsTheOrdering)
{
    EXPECT_TRUE(COrdinamentoIndiceDlg::RunOrdering(nullptr, f.Db(), f.Folder(), COrdinamentoIndice::Name));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Sort FROM ProdottiLingue WHERE ID=11")).toString(), QStringLiteral("Sedia"));
}

// The general parameters run the ordering while their row is being edited,
// and save the row after it.
TEST_F(CatalogueDialogsTest, OrderingUnderAnEditedSettingsRowKeepsTheRowSavable)
{
    CParGenViewCore settings(f.Db());
    ParGenForm form = settings.Load();
    form.ordinamento = COrdinamentoIndice::Name;
    CParGenViewCore::Failure failure;
    ASSERT_TRUE(settings.SaveRecord(form, &failure)) << boxes.LastText().toStdString();
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT TipoOrdinamento FROM Configurazione")).toInt(), 2);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Sort FROM ProdottiLingue WHERE ID=11")).toString(), QStringLiteral("Sedia"));
}

TEST_F(CatalogueDialogsTest, PriceTableSavesOnCloseAndAFailedSaveKeepsItOpen)
{
    CTabellaProdottiView view(f.Db(), QStringLiteral("it"), QStringLiteral("it"));
    view.resize(700, 400);
    view.show();
    CCloseProtocol protocol(nullptr, {});
    // A price typed into the cell's editor, not yet committed.
    view.Grid()->Click(view.Grid()->CellRect(1, 3).center());
    ASSERT_TRUE(view.Grid()->IsEditing());
    EXPECT_EQ(view.Core().CurRow(), 1);
    view.Grid()->Editor().SetWindowText(QStringLiteral("61"));

    f.Db().Execute(QStringLiteral("CREATE TRIGGER nosave BEFORE UPDATE ON ProdottiLingue "
                                  "BEGIN SELECT RAISE(ABORT, 'bloccato'); END"));
    EXPECT_FALSE(protocol.MayClose(view));
    EXPECT_TRUE(boxes.LastText().contains(QStringLiteral("bloccato")));
    EXPECT_EQ(view.Grid()->GetCurRow(), 1);
    EXPECT_EQ(view.Grid()->GetCurCol(), 3);

    f.Db().Execute(QStringLiteral("DROP TRIGGER nosave"));
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo2 FROM ProdottiLingue WHERE ID=11")).toDouble(), 61.0);
}

} // namespace

namespace {

TEST_F(CatalogueDialogsTest, CategoryViewEditsOnASecondClickAndInsertsUnderTheSelection)
{
    CCategorieView view(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    view.resize(700, 400);
    view.show();
    QTreeWidgetItem* sedie = view.Tree()->topLevelItem(0);
    ASSERT_TRUE(sedie);
    EXPECT_EQ(sedie->text(0), QStringLiteral("Sedie"));
    const QPoint at = view.Tree()->visualItemRect(sedie).center();
    QTest::mouseClick(view.Tree()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(view.Core().Selected(), 3);
    EXPECT_FALSE(view.Core().IsEditing());
    QTest::mouseClick(view.Tree()->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(view.Core().IsEditing());
    EXPECT_EQ(view.NomeEdit()->text(), QStringLiteral("Sedie"));
    EXPECT_TRUE(view.Button(CCategorieView::Save)->isEnabled());
    EXPECT_FALSE(view.Button(CCategorieView::Insert)->isEnabled());

    // A cancelled picture choice deletes nothing.
    view.m_choosePicture = [] { return QString(); };
    view.Button(CCategorieView::Picture)->click();
    EXPECT_TRUE(boxes.Shown().isEmpty());

    view.NomeEdit()->SetValue(QStringLiteral("Sedute"));
    view.Button(CCategorieView::Save)->click();
    EXPECT_EQ(view.Tree()->topLevelItem(0)->text(0), QStringLiteral("Sedute"));
    EXPECT_EQ(view.Core().Selected(), 0);

    view.Tree()->setCurrentItem(view.Tree()->topLevelItem(0));
    view.NomeEdit()->SetValue(QStringLiteral("Imbottite"));
    view.Button(CCategorieView::Insert)->click();
    ASSERT_EQ(view.Tree()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(view.Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Imbottite"));

    view.NomeEdit()->SetValue(QString());
    view.Button(CCategorieView::Insert)->click();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
}

} // namespace
