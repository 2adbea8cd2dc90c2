// The printed invoice and label of a fixture order, written as PDF and
// read back with pdftotext.

#include "desktop/orders/COrdinePrinter.h"
#include "desktop/orders/COrdineStampa.h"
#include "desktop/orders/testing/OrdersFixture.h"

#include <QPdfWriter>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ThousandsCase
{
    const char* name;
    QString number;
    QString expected;
};

void PrintTo(const ThousandsCase& c, std::ostream* os) { *os << c.name; }

class ThousandsTest : public ::testing::TestWithParam<ThousandsCase>
{
};

TEST_P(ThousandsTest, GroupsThousandsByApostrophe)
{
    EXPECT_EQ(COrdineStampa::FormatThousands(GetParam().number), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Stampa, ThousandsTest,
                         ::testing::Values(ThousandsCase{"Millions", "1234567.50", "1'234'567.50"},
                                           ThousandsCase{"NegativeKeepsItsSign", "  -12.50", "-12.50"},
                                           ThousandsCase{"NoDecimals", "1234", "1'234"},
                                           ThousandsCase{"ThreeDigits", "123", "123"},
                                           ThousandsCase{"NegativeThousands", "-1234.00", "-1'234.00"},
                                           ThousandsCase{"Empty", "", ""}),
                         [](const ::testing::TestParamInfo<ThousandsCase>& info) { return std::string(info.param.name); });

class StampaTest : public ::testing::Test
{
protected:
    // The document as text, pages split by form feeds.
    QString Print(const COrdineStampa& data, bool label = false, int* pages = nullptr)
    {
        const QString pdf = f.Folder() + QStringLiteral("doc.pdf");
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            COrdinePrinter printer(f.Folder());
            if (label)
                printer.PrintLabel(writer, data);
            else if (pages)
                *pages = printer.PrintInvoice(writer, data);
            else
                printer.PrintInvoice(writer, data);
        }
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    void Invoice(qint32 id)
    {
        f.Db().Execute(QStringLiteral("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita"));
        f.Db().Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=5, DataFattura='2024-03-12 09:00:00' WHERE ID=?"), {id});
    }

    OrdersFixture f;
};

TEST_F(StampaTest, TheInvoiceShowsTheDesksTotals)
{
    Invoice(OrdersFixture::kFirst);
    const COrdineStampa data = COrdineStampa::Fattura(f.Db(), OrdersFixture::kFirst);
    // 2 x 10.00 + 5.50, shipping 7.50; VAT 4.40 + 0.55 + 1.65.
    EXPECT_EQ(data.totali.imponibile, 2550);
    EXPECT_EQ(data.totali.imposta, 660);
    EXPECT_EQ(data.totali.totale, 3960);
    const QString text = Print(data);
    EXPECT_TRUE(text.contains(QStringLiteral("39,60"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("25,50")));
    EXPECT_TRUE(text.contains(QStringLiteral("6,60")));
    EXPECT_TRUE(text.contains(QStringLiteral("Spese di spedizione")));
    EXPECT_TRUE(text.contains(QStringLiteral("Carta di credito")));
    EXPECT_TRUE(text.contains(QStringLiteral("n. 2024031000000001 del 10/03/2024")));
    EXPECT_FALSE(text.contains(QStringLiteral("segue")));
    EXPECT_FALSE(text.contains(QStringLiteral("Pagina n.")));
}

// An order the shop stored with the figures it charged (prices with VAT:
// a cent less VAT than the lines give) is invoiced for what was charged
// once it has shipped in full; before that, or charged in another
// currency, the desk works the figures out from the lines.
TEST_F(StampaTest, TheInvoiceShowsTheChargedFiguresOnceShippedInFull)
{
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET Cambio=1, ImportoMerci=25.50, ImportoSpedizione=7.50, "
                                  "ImportoContrassegno=0, ImportoIVA=6.59, ImportoTotale=39.59, "
                                  "ImportoTotaleInEuro=39.59 WHERE ID=?"),
                   {OrdersFixture::kFirst});
    // Nothing shipped yet: the shipping 7.50 and its 1.65.
    EXPECT_EQ(COrdineStampa::Fattura(f.Db(), OrdersFixture::kFirst).totali.totale, 915);
    Invoice(OrdersFixture::kFirst);
    const COrdineStampa data = COrdineStampa::Fattura(f.Db(), OrdersFixture::kFirst);
    EXPECT_EQ(data.totali.imponibile, 2550);
    EXPECT_EQ(data.totali.imposta, 659);
    EXPECT_EQ(data.totali.totale, 3959);
    const QString text = Print(data);
    EXPECT_TRUE(text.contains(QStringLiteral("39,59"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("39,60"))) << text.toStdString();
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET Cambio=1936.27 WHERE ID=?"), {OrdersFixture::kFirst});
    EXPECT_EQ(COrdineStampa::Fattura(f.Db(), OrdersFixture::kFirst).totali.totale, 3960);
}

TEST_F(StampaTest, AnExemptInvoicePrintsNIInEveryVatCell)
{
    const COrdineStampa data = COrdineStampa::Fattura(f.Db(), OrdersFixture::kThird);
    const QString text = Print(data);
    // The line and the shipping line, and the tax total.
    EXPECT_EQ(text.count(QStringLiteral("NI art.8")), 3) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("20,00")));
}

TEST_F(StampaTest, ALongInvoiceRunsOverPagesWithSegue)
{
    for (int i = 0; i < 40; ++i)
        f.AddLine(100 + i, OrdersFixture::kFirst, 1.25, 1, 1, 22, QStringLiteral("L%1").arg(i));
    Invoice(OrdersFixture::kFirst);
    int pages = 0;
    const QString text = Print(COrdineStampa::Fattura(f.Db(), OrdersFixture::kFirst), false, &pages);
    ASSERT_GE(pages, 2);
    EXPECT_EQ(text.count(QStringLiteral("segue")), pages - 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Pagina n. 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("Pagina n. 2")));
    // 25.50 + 40 x 1.25 = 75.50 net; VAT 5.61 + 11.00 + 1.65 -> 18.26 (rounded once).
    EXPECT_TRUE(text.contains(QStringLiteral("75,50"))) << text.toStdString();
}

TEST_F(StampaTest, LireTotalsAboveSinglePrecisionPrintExactly)
{
    f.Db().Execute(QStringLiteral("UPDATE Valute SET Arrotondamento=1, Simbolo='ITL', Cambio=1936.27"));
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET SpeseSpedizione=0, IVASpedizioni=0 WHERE ID=?"), {OrdersFixture::kSecond});
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET SpeseContrassegno=0 WHERE ID=?"), {OrdersFixture::kSecond});
    f.Db().Execute(QStringLiteral("UPDATE OrdiniDettaglio SET Prezzo=16777217, Iva=0 WHERE IDOrdine=?"), {OrdersFixture::kSecond});
    Invoice(OrdersFixture::kSecond);
    const COrdineStampa data = COrdineStampa::Fattura(f.Db(), OrdersFixture::kSecond);
    EXPECT_EQ(data.totali.totale, 16777217);
    const QString text = Print(data);
    EXPECT_TRUE(text.contains(QStringLiteral("16'777'217"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("16'777'216")));
}

TEST_F(StampaTest, TheLabelGoesToTheConsigneeOrElseTheCustomer)
{
    const QString withConsignee = Print(COrdineStampa::Etichetta(f.Db(), OrdersFixture::kFirst), true);
    EXPECT_TRUE(withConsignee.contains(QStringLiteral("Luigi Bianchi"))) << withConsignee.toStdString();
    EXPECT_TRUE(withConsignee.contains(QStringLiteral("Via Verdi 3")));
    f.Db().Execute(QStringLiteral("UPDATE Ordini SET DNome='', DCognome='', DIndirizzo='' WHERE ID=?"), {OrdersFixture::kFirst});
    const QString billing = Print(COrdineStampa::Etichetta(f.Db(), OrdersFixture::kFirst), true);
    EXPECT_TRUE(billing.contains(QStringLiteral("Via Roma 1"))) << billing.toStdString();
    EXPECT_TRUE(billing.contains(QStringLiteral("Destinatario / Adressee")));
}

} // namespace
