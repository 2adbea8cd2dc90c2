#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QSemaphore>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using Core = COrdiniViewCore;

struct Invoiced
{
    qint32 number;
    const char* date;
};

class FatturaTest : public ::testing::Test
{
protected:
    std::unique_ptr<Core> Open() { return std::make_unique<Core>(f.Db(), f.Folder(), QStringLiteral("it")); }
    // The third order (and, with a second entry, the second) invoiced as given.
    void SetInvoices(const QList<Invoiced>& invoices)
    {
        const qint32 ids[] = {OrdersFixture::kThird, OrdersFixture::kSecond};
        for (int i = 0; i < invoices.size(); ++i)
            f.Db().Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=?, DataFattura=? WHERE ID=?"),
                           {invoices.at(i).number, QString::fromLatin1(invoices.at(i).date), ids[i]});
    }
    QVariant Order(const QString& column, qint32 id = OrdersFixture::kFirst)
    {
        return f.Value(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM Ordini WHERE ID=?"), {id});
    }

    OrdersFixture f;
    CMessageBoxScript boxes;
};

struct NumberCase
{
    const char* name;
    QList<Invoiced> existing;
    QDate issued;
    qint32 expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class InvoiceNumberTest : public FatturaTest, public ::testing::WithParamInterface<NumberCase>
{
};

TEST_P(InvoiceNumberTest, NumbersRunPerCalendarYear)
{
    const NumberCase& c = GetParam();
    SetInvoices(c.existing);
    auto core = Open();
    ASSERT_TRUE(core->IssueInvoice(core->Form(), QDateTime(c.issued, QTime(11, 30))));
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura")).toInt(), c.expected);
    EXPECT_EQ(Order(QStringLiteral("DataFattura")).toString(), c.issued.toString(Qt::ISODate) + QStringLiteral(" 11:30:00"));
    EXPECT_EQ(Order(QStringLiteral("Modificato")).toInt(), 1);
    EXPECT_EQ(core->Testata().strFattura, QStringLiteral("Fattura n. %1 del %2").arg(c.expected).arg(c.issued.toString(QStringLiteral("dd/MM/yyyy"))));
    EXPECT_TRUE(core->Testata().bFatturata);
}

INSTANTIATE_TEST_SUITE_P(
    Fattura, InvoiceNumberTest,
    ::testing::Values(NumberCase{"FirstOfTheYearAfterLastYears250", {{250, "2023-12-30 10:00:00"}}, QDate(2024, 1, 2), 1},
                      NumberCase{"NextOfTheSameYear", {{1, "2024-01-02 10:00:00"}}, QDate(2024, 1, 3), 2},
                      NumberCase{"SameDayIsConsecutive", {{7, "2024-03-12 09:00:00"}}, QDate(2024, 3, 12), 8},
                      NumberCase{"HighestOfTheYearNotTheLatest",
                                 {{9, "2024-02-01 09:00:00"}, {4, "2024-03-01 09:00:00"}}, QDate(2024, 3, 12), 10},
                      NumberCase{"NoInvoiceYet", {{0, "1899-12-30 00:00:00"}}, QDate(2024, 3, 12), 1}),
    [](const ::testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

struct CancelCase
{
    const char* name;
    QList<Invoiced> invoices;   // the third order first
    bool cancellable;           // the third order's invoice
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class CancelRuleTest : public FatturaTest, public ::testing::WithParamInterface<CancelCase>
{
};

TEST_P(CancelRuleTest, OnlyTheHighestNumberOfTheTableCanBeCancelled)
{
    SetInvoices(GetParam().invoices);
    auto core = Open();
    core->Move(Core::Last, core->Form());
    ASSERT_EQ(core->CurrentID(), OrdersFixture::kThird);
    EXPECT_EQ(core->CanCancelInvoice(), GetParam().cancellable);
}

INSTANTIATE_TEST_SUITE_P(
    Fattura, CancelRuleTest,
    ::testing::Values(CancelCase{"HighestOfTheTable", {{12, "2024-03-01 09:00:00"}, {11, "2024-02-01 09:00:00"}}, true},
                      // Numbers of all years count: last year's 250 stands above this year's 12.
                      CancelCase{"ThisYears12UnderLastYears250",
                                 {{12, "2024-03-01 09:00:00"}, {250, "2023-12-30 09:00:00"}}, false},
                      CancelCase{"LastYears250AboveThisYears12",
                                 {{250, "2023-12-30 09:00:00"}, {12, "2024-03-01 09:00:00"}}, true},
                      CancelCase{"NotInvoiced", {{0, "1899-12-30 00:00:00"}}, false}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

TEST_F(FatturaTest, CancellingGivesTheNumberBackAndIssuingAgainTakesIt)
{
    SetInvoices({{3, "2024-03-12 00:00:00"}, {2, "2024-03-01 09:00:00"}});
    auto core = Open();
    core->Move(Core::Last, core->Form());
    boxes.Answer(QMessageBox::No);
    EXPECT_FALSE(core->CancelInvoice());
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura"), OrdersFixture::kThird).toInt(), 3);
    ASSERT_TRUE(core->CancelInvoice());
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Cancellazione fattura"));
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura"), OrdersFixture::kThird).toInt(), 0);
    EXPECT_TRUE(Order(QStringLiteral("DataFattura"), OrdersFixture::kThird).isNull());
    EXPECT_EQ(core->Testata().strFattura, QStringLiteral("Ordine da fatturare."));
    EXPECT_FALSE(core->Testata().bFatturata);
    EXPECT_FALSE(core->CanCancelInvoice());
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET NColli=1 WHERE ID=?"), {OrdersFixture::kThird});
    core->ShowOrder(OrdersFixture::kThird);
    ASSERT_TRUE(core->IssueInvoice(core->Form(), QDateTime(QDate(2024, 3, 12), QTime(9, 0))));
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura"), OrdersFixture::kThird).toInt(), 3);
}

TEST_F(FatturaTest, AFullyShippedOrderWithParcelsIsInvoicedWithoutQuestions)
{
    f.Db().Execute(QStringLiteral("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita"));
    auto core = Open();
    EXPECT_TRUE(core->IssueInvoice(core->Form(), QDateTime(QDate(2024, 3, 12), QTime(9, 0))));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(FatturaTest, LinesNotShippedAskAndNoStops)
{
    auto core = Open();
    boxes.Answer(QMessageBox::No);
    EXPECT_FALSE(core->IssueInvoice(core->Form()));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Non tutti i prodotti sono stati evasi nella quantità richiesta.\nConfermi ?"));
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura")).toInt(), 0);
}

TEST_F(FatturaTest, EmptyParcelsStopAndAreSaidSo)
{
    auto core = Open();
    OrdineForm typed = core->Form();
    typed.strColli.clear();
    EXPECT_FALSE(core->IssueInvoice(typed));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Specificare il numero di colli."));
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura")).toInt(), 0);
    // "0" passes.
    typed.strColli = QStringLiteral("0");
    EXPECT_TRUE(core->IssueInvoice(typed));
}

// Another desk on the same project holds its numbering open while this
// one issues: this one waits for it and takes the next number, never the same.
TEST_F(FatturaTest, TwoDesksNeverTakeTheSameNumber)
{
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=0 WHERE ID=?"), {OrdersFixture::kThird});
    auto core = Open();
    QSemaphore holding;
    const QString path = f.Folder() + QStringLiteral("db/database.mdb");
    std::unique_ptr<QThread> otherDesk(QThread::create([&holding, path] {
        CDaoDatabase other;
        other.Open(path);
        other.BeginTrans();
        other.Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=1, DataFattura='2024-03-12 08:00:00' WHERE ID=?"),
                      {OrdersFixture::kSecond});
        holding.release();
        QThread::msleep(300);
        other.CommitTrans();
        other.Close();
    }));
    otherDesk->start();
    holding.acquire();
    EXPECT_TRUE(core->IssueInvoice(core->Form(), QDateTime(QDate(2024, 3, 12), QTime(9, 0))));
    otherDesk->wait();
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura"), OrdersFixture::kSecond).toInt(), 1);
    EXPECT_EQ(Order(QStringLiteral("NumeroFattura")).toInt(), 2);
}

} // namespace
