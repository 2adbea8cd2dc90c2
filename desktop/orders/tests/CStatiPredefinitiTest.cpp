#include "desktop/orders/CStatiPredefinitiCore.h"
#include "desktop/orders/CStatiPredefinitiDlg.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

class StatiPredefinitiTest : public ::testing::Test
{
protected:
    int Count(const QString& sql, const QVariantList& params = {}) { return f.Value(sql, params).toInt(); }

    OrdersFixture f;
    CMessageBoxScript boxes;
};

TEST_F(StatiPredefinitiTest, AddingInAnotherLanguageWritesTheDefaultTextToo)
{
    CStatiPredefinitiCore core(f.Db(), QStringLiteral("en"), QStringLiteral("it"));
    const qint32 id = core.Add(QStringLiteral("Returned"));
    EXPECT_EQ(id, 3);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM StatoOrdini WHERE ID=3 AND Modificato=1")), 1);
    EXPECT_EQ(f.Column(QStringLiteral("SELECT CodiceLingua FROM StatoOrdiniLingue WHERE IDCodice=3 AND Testo='Returned' "
                                      "ORDER BY CodiceLingua")),
              QVariantList({"en", "it"}));
}

TEST_F(StatiPredefinitiTest, AnEmptyTextIsRefused)
{
    CStatiPredefinitiCore core(f.Db(), QStringLiteral("it"), QStringLiteral("it"));
    EXPECT_EQ(core.Add(QString()), 0);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Validazione campi"));
    EXPECT_FALSE(core.Save(1, QString()));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM StatoOrdini")), 2);
}

TEST_F(StatiPredefinitiTest, SavingInALanguageWithoutARowAddsIt)
{
    CStatiPredefinitiCore core(f.Db(), QStringLiteral("fr"), QStringLiteral("it"));
    EXPECT_EQ(core.Text(2), QStringLiteral("Spedito"));
    EXPECT_TRUE(core.Save(2, QStringLiteral("Expédié")));
    EXPECT_EQ(core.Text(2), QStringLiteral("Expédié"));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM StatoOrdiniLingue WHERE IDCodice=2")), 3);
}

TEST_F(StatiPredefinitiTest, DeletingTheReceivedStateLeavesItsComboOnNonAttivo)
{
    CStatiPredefinitiDlg dialog(f.Db(), QStringLiteral("it"), QStringLiteral("it"));
    EXPECT_EQ(dialog.Received()->currentText(), QStringLiteral("Ricevuto"));
    EXPECT_EQ(dialog.Received()->itemText(0), QStringLiteral("--- Non Attivo"));
    const QList<QListWidgetItem*> found = dialog.List()->findItems(QStringLiteral("Ricevuto"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    dialog.List()->setCurrentItem(found.first());
    EXPECT_EQ(dialog.TextField()->text(), QStringLiteral("Ricevuto"));
    boxes.Answer(QMessageBox::Yes);
    dialog.OnDelete();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Confermi ?"));
    EXPECT_EQ(dialog.Received()->currentText(), QStringLiteral("--- Non Attivo"));
    EXPECT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM StatoOrdiniLingue WHERE IDCodice=1")), 0);
    dialog.reject();
    EXPECT_EQ(Count(QStringLiteral("SELECT IDStatoRicevuto FROM Configurazione")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT IDStatoEvaso FROM Configurazione")), 2);
}

TEST_F(StatiPredefinitiTest, WithNoStatesTheCombosAreEmptyAndClosingStoresNone)
{
    f.Db().Execute(QStringLiteral("DELETE FROM StatoOrdini"));
    f.Db().Execute(QStringLiteral("DELETE FROM StatoOrdiniLingue"));
    CStatiPredefinitiDlg dialog(f.Db(), QStringLiteral("it"), QStringLiteral("it"));
    EXPECT_EQ(dialog.Received()->count(), 0);
    dialog.accept();
    EXPECT_EQ(Count(QStringLiteral("SELECT IDStatoRicevuto FROM Configurazione")), -1);
}

TEST_F(StatiPredefinitiTest, AnAddedStateJoinsListAndCombos)
{
    CStatiPredefinitiDlg dialog(f.Db(), QStringLiteral("it"), QStringLiteral("it"));
    dialog.TextField()->SetValue(QStringLiteral("Annullato"));
    dialog.OnAdd();
    EXPECT_EQ(dialog.List()->count(), 3);
    EXPECT_GE(dialog.Shipped()->findText(QStringLiteral("Annullato")), 1);
    EXPECT_TRUE(dialog.TextField()->text().isEmpty());
    dialog.Shipped()->setCurrentIndex(dialog.Shipped()->findText(QStringLiteral("Annullato")));
    dialog.accept();
    EXPECT_EQ(Count(QStringLiteral("SELECT IDStatoEvaso FROM Configurazione")), 3);
    EXPECT_EQ(Count(QStringLiteral("SELECT Modificato FROM Configurazione")), 1);
}

} // namespace
