#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

using Core = COrdiniViewCore;

class OrdiniViewCoreTest : public ::testing::Test
{
protected:
    std::unique_ptr<Core> Open() { return std::make_unique<Core>(f.Db(), f.Folder(), QStringLiteral("it")); }
    QVariant Order(const QString& column, qint32 id = OrdersFixture::kFirst)
    {
        return f.Value(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM Ordini WHERE ID=?"), {id});
    }

    OrdersFixture f;
    CMessageBoxScript boxes;
};

TEST_F(OrdiniViewCoreTest, ShowsTheFirstOrderWithItsLinesAndStoredFigures)
{
    auto core = Open();
    EXPECT_EQ(core->CurrentID(), OrdersFixture::kFirst);
    EXPECT_TRUE(core->IsFirst());
    EXPECT_FALSE(core->IsLast());
    const OrdineTestata& t = core->Testata();
    EXPECT_EQ(t.strNumero, QStringLiteral("2024031000000001"));
    EXPECT_EQ(t.strData, QStringLiteral("10/03/2024 - 10:15"));
    EXPECT_EQ(t.strCliente, QStringLiteral("Rossi Ditta\nMario Rossi"));
    EXPECT_EQ(t.strPagamento, QStringLiteral("Carta di credito - Aut. n. A123"));
    EXPECT_EQ(t.strFattura, QStringLiteral("Ordine da fatturare."));
    EXPECT_EQ(t.strNote, QStringLiteral("Citofono 4"));
    EXPECT_EQ(t.strCellulare, QStringLiteral("3331234567"));
    EXPECT_FALSE(t.bContrassegno);
    const OrdineForm& form = core->Form();
    EXPECT_EQ(form.cliente.at(0), QStringLiteral("Rossi Ditta"));
    EXPECT_EQ(form.destinatario.at(1), QStringLiteral("Luigi"));
    EXPECT_EQ(form.strColli, QStringLiteral("2"));
    ASSERT_EQ(form.stati.size(), 2);
    EXPECT_EQ(form.stati.at(1).strStato, QStringLiteral("In lavorazione"));
    ASSERT_EQ(core->Righe().size(), 2);
    EXPECT_EQ(core->Righe().at(0).strColore, QStringLiteral("RS"));
    EXPECT_EQ(core->Righe().at(1).strColore, QString());
    // Nothing shipped yet: the totals are the shipping fee and its tax.
    EXPECT_EQ(core->Totali().spedizione, 750);
    EXPECT_EQ(core->Totali().imponibile, 0);
    EXPECT_EQ(core->Totali().imposta, 165);
    EXPECT_EQ(core->Totali().totale, 915);
}

TEST_F(OrdiniViewCoreTest, AnOrderWithoutItsOwnCopyShowsTheCustomerAndConsignee)
{
    auto core = Open();
    core->Move(Core::Next, core->Form());
    EXPECT_EQ(core->CurrentID(), OrdersFixture::kSecond);
    EXPECT_EQ(core->Testata().strCliente, QStringLiteral("Mario Rossi"));
    EXPECT_EQ(core->Form().cliente.at(3), QStringLiteral("Via Roma 1"));
    EXPECT_EQ(core->Form().destinatario.at(0), QStringLiteral("Verdi Snc"));
    EXPECT_TRUE(core->Testata().bContrassegno);
    EXPECT_EQ(core->Totali().contrassegno, 400);
    // Moving away saves the customer into the order, as it differs from the empty columns.
    EXPECT_TRUE(core->IsRecordModified(core->Form()));
    core->Move(Core::Next, core->Form());
    EXPECT_EQ(Order(QStringLiteral("Indirizzo"), OrdersFixture::kSecond).toString(), QStringLiteral("Via Roma 1"));
    EXPECT_EQ(Order(QStringLiteral("DLocalita"), OrdersFixture::kSecond).toString(), QStringLiteral("Torino"));
    EXPECT_EQ(Order(QStringLiteral("Modificato"), OrdersFixture::kSecond).toInt(), 1);
    EXPECT_TRUE(core->IsLast());
}

TEST_F(OrdiniViewCoreTest, NavigationStopsAtBothEnds)
{
    auto core = Open();
    core->Move(Core::Prev, core->Form());
    EXPECT_EQ(core->CurrentID(), OrdersFixture::kFirst);
    EXPECT_TRUE(core->IsFirst());
    core->Move(Core::Last, core->Form());
    EXPECT_EQ(core->CurrentID(), OrdersFixture::kThird);
    core->Move(Core::Next, core->Form());
    EXPECT_EQ(core->CurrentID(), OrdersFixture::kThird);
    EXPECT_TRUE(core->IsLast());
    EXPECT_FALSE(core->IsFirst());
    core->Move(Core::First, core->Form());
    EXPECT_EQ(core->CurrentID(), OrdersFixture::kFirst);
}

TEST_F(OrdiniViewCoreTest, AnUnchangedOrderIsNotWritten)
{
    auto core = Open();
    EXPECT_FALSE(core->IsRecordModified(core->Form()));
    const QVariant version = Order(QStringLiteral("VersioneRecord"));
    core->Move(Core::Next, core->Form());
    EXPECT_EQ(Order(QStringLiteral("Modificato")).toInt(), 0);
    EXPECT_EQ(Order(QStringLiteral("VersioneRecord")), version);
}

TEST_F(OrdiniViewCoreTest, TypedChangesAreSavedOnMoving)
{
    auto core = Open();
    OrdineForm typed = core->Form();
    typed.cliente[8] = QStringLiteral("06 999");
    typed.strColli = QStringLiteral("3");
    typed.bPagato = true;
    typed.stati.append(COrdineStati::Stamped(QStringLiteral("Spedito | corriere #2"), QDateTime(QDate(2024, 3, 12), QTime(8, 30))));
    ASSERT_TRUE(core->IsRecordModified(typed));
    core->Move(Core::Next, typed);
    EXPECT_EQ(Order(QStringLiteral("Telefono")).toString(), QStringLiteral("06 999"));
    EXPECT_EQ(Order(QStringLiteral("NColli")).toInt(), 3);
    EXPECT_EQ(Order(QStringLiteral("Pagato")).toInt(), 1);
    EXPECT_EQ(Order(QStringLiteral("Note")).toString(), QStringLiteral("Citofono 4"));
    EXPECT_EQ(Order(QStringLiteral("Stati")).toString(),
              QStringLiteral("10/03/2024#10:15#Ricevuto|11/03/2024#09:00#In lavorazione|"
                             "12/03/2024#08:30#Spedito / corriere n.2|"));
    // The consignee page holds no telephone: the row keeps the billing one.
    core->Move(Core::First, core->Form());
    EXPECT_EQ(core->Form().stati.size(), 3);
}

TEST_F(OrdiniViewCoreTest, ShippingMoreThanOrderedAsksAndNoLeavesTheLine)
{
    auto core = Open();
    boxes.Answer(QMessageBox::No);
    EXPECT_FALSE(core->SetShipped(0, 3, nullptr));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("La quantità evasa è maggiore della quantità richiesta.\n\nConfermi ?"));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT QuantitaEvasa FROM OrdiniDettaglio WHERE ID=1")).toDouble(), 0.0);
    EXPECT_EQ(core->Righe().at(0).evasa, 0.0f);

    boxes.Clear();
    EXPECT_TRUE(core->SetShipped(0, 1, nullptr));
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_EQ(f.Value(QStringLiteral("SELECT QuantitaEvasa FROM OrdiniDettaglio WHERE ID=1")).toDouble(), 1.0);
    EXPECT_EQ(f.Value(QStringLiteral("SELECT Modificato FROM OrdiniDettaglio WHERE ID=1")).toInt(), 1);
    EXPECT_EQ(core->Righe().at(0).importo, 1000);
    EXPECT_EQ(core->Totali().imponibile, 1000);
    // Leaving the cell with the value it already holds asks nothing.
    EXPECT_TRUE(core->SetShipped(0, 1, nullptr));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(OrdiniViewCoreTest, FullyShippedOfferssTheShippedStateOnce)
{
    auto core = Open();
    std::optional<COrdineStati::Entry> state;
    const QDateTime now(QDate(2024, 3, 12), QTime(8, 30));
    EXPECT_TRUE(core->SetShipped(0, 2, &state, now));
    EXPECT_FALSE(state);
    EXPECT_TRUE(boxes.Shown().isEmpty());
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(core->SetShipped(1, 1, &state, now));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("L'ordine risulta evaso completamente.\n\nVuoi aggiornare lo stato ?"));
    ASSERT_TRUE(state);
    // In the order's language.
    EXPECT_EQ(*state, COrdineStati::Entry({"12/03/2024", "08:30", "Shipped"}));
    // 20.00 + 5.50; VAT 4.40 + 0.55 + 1.65.
    EXPECT_EQ(core->Totali().imponibile, 2550);
    EXPECT_EQ(core->Totali().imposta, 660);
    EXPECT_EQ(core->Totali().totale, 750 + 2550 + 660);
    boxes.Clear();
    EXPECT_TRUE(core->SetShipped(1, 1, &state, now));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(OrdiniViewCoreTest, WithoutAShippedStateNothingIsAsked)
{
    f.Db().Execute(QStringLiteral("UPDATE Configurazione SET IDStatoEvaso=0"));
    auto core = Open();
    std::optional<COrdineStati::Entry> state;
    EXPECT_TRUE(core->SetShipped(0, 2, &state));
    EXPECT_TRUE(core->SetShipped(1, 1, &state));
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_FALSE(state);
}

TEST_F(OrdiniViewCoreTest, AnInvoicedOrderIsLockedAndExemptFromTax)
{
    auto core = Open();
    core->Move(Core::Last, core->Form());
    EXPECT_TRUE(core->Testata().bFatturata);
    EXPECT_TRUE(core->Testata().bEsenzioneIVA);
    EXPECT_EQ(core->Testata().strFattura, QStringLiteral("Fattura n. 3 del 12/03/2024"));
    EXPECT_EQ(core->Testata().strPagamento, QStringLiteral("Bonifico"));
    EXPECT_FALSE(core->SetShipped(0, 0, nullptr));
    EXPECT_EQ(core->Totali().imposta, 440);
    EXPECT_EQ(core->Totali().totale, 2000);
}

TEST_F(OrdiniViewCoreTest, AnEmptyTableShowsNoOrder)
{
    f.Db().Execute(QStringLiteral("DELETE FROM Ordini"));
    auto core = Open();
    EXPECT_TRUE(core->IsEmpty());
    EXPECT_FALSE(core->IsRecordModified(OrdineForm()));
    core->Move(Core::Next, OrdineForm());
    EXPECT_EQ(core->CurrentID(), 0);
}

TEST_F(OrdiniViewCoreTest, PredefinedStatesInTheDefaultLanguage)
{
    auto core = Open();
    const auto states = core->StatiPredefiniti();
    ASSERT_EQ(states.size(), 2);
    EXPECT_EQ(states.at(1), std::make_pair(qint32(2), QStringLiteral("Spedito")));
    EXPECT_EQ(core->StateText(1), QStringLiteral("Received"));
}

} // namespace
