#include "desktop/orders/COrdineStampa.h"
#include "exchange/COrderDownload.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/mail/tests/SmtpTestServer.h"
#include "platform/utilities/QtrCipher.h"
#include "server/host/testing/CHttpTestClient.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QSqlQuery>
#include <QUrlQuery>

namespace {

// The whole road of one order: a shopper fills the basket on the shop's
// own pages served by qtr50d, checks out and sends the order; the
// merchant's mail arrives; the desktop's order download brings the order,
// its customer and its lines into the project.
class OrderPlacedRoad : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(smtp.Start(), "");
        shop.SetMailPort(smtp.Port());
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
        PasswordDwn.clear();
        CodiceLinguaDwn.clear();
        project.WriteExportScript("NumOrdine");

        // The published shop: bank transfer offered, VAT 22 percent on
        // shipping, two products at 12.50 (22 percent) and 4.10 (4 percent).
        shop.Execute("UPDATE Configurazione SET FlagBonifico=1, EmailOrdini='ordini@road.test', IVASpedizioni=22");
        AddShopProduct(501, "Tazza in ceramica", 12.50, 22);
        AddShopProduct(502, "Quaderno à righe", 4.10, 4);
    }

    void AddShopProduct(qint32 id, const QString& name, double price, double vat)
    {
        shop.Execute("INSERT INTO Prodotti (ID, IDProdottoBase, Codice, Ordine, IVA, Peso, Attivo) VALUES (?, 0, ?, ?, ?, 0.3, 1)",
                     {id, QString("ART%1").arg(id), id, vat});
        shop.Execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, Prezzo) VALUES (?, ?, 'it', ?, ?)",
                     {id, id, Encrypt(name), price});
    }

    static QByteArray Form(const QList<QPair<QString, QString>>& fields)
    {
        QUrlQuery query;
        for (const auto& [name, value] : fields)
            query.addQueryItem(name, value);
        // A form body reads "+" as a space: the text's own plus is encoded.
        return query.toString(QUrl::FullyEncoded).replace("+", "%2B").toUtf8();
    }

    int ProjectCount(const QString& sql)
    {
        QSqlQuery query(project.Db().Connection());
        query.exec(sql);
        return query.next() ? query.value(0).toInt() : -1;
    }

    QVariant ProjectValue(const QString& sql, const QVariantList& params = {})
    {
        QSqlQuery query(project.Db().Connection());
        query.prepare(sql);
        for (const QVariant& p : params)
            query.addBindValue(p);
        query.exec();
        return query.next() ? query.value(0) : QVariant();
    }

    QString Log() const
    {
        QFile log(project.Folder() + "/qtrdwn.log");
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    SmtpTestServer smtp;
    RoadShop shop;
    RoadProject project;
};

TEST_F(OrderPlacedRoad, AnOrderPlacedOnTheShopsPagesComesHomeWithItsLinesAndTotals)
{
    CHttpTestClient shopper(shop.Port());
    ASSERT_EQ(shopper.Get("/carrello.asp?Operazione=aggiungi&IDProdotto=501&Quantita=2").status, 200);
    ASSERT_EQ(shopper.Get("/carrello.asp?Operazione=aggiungi&IDProdotto=502&Quantita=3").status, 200);
    const QByteArray form = Form({{"Cognome", "Bianchi"}, {"Nome", "Anna"}, {"Indirizzo", "Via Emilia 1"},
                                  {"Cap", "47121"}, {"Localita", "Forlì"}, {"Provincia", "FC"}, {"Stato", "Italia"},
                                  {"Email", "anna@road.test"}, {"TipoPagamento", "Bonifico"},
                                  {"Note", "Citofono 3"}, {"Submit", "Conferma"}});
    const CHttpTestReply accepted = shopper.Post("/datiordine.asp", "application/x-www-form-urlencoded", form);
    ASSERT_TRUE(accepted.body.contains("dati-accettati")) << accepted.body.toStdString();
    const CHttpTestReply sent = shopper.Post("/confermaordine.asp", "application/x-www-form-urlencoded", "Invia=1");
    ASSERT_EQ(sent.status, 302) << sent.body.toStdString();
    EXPECT_EQ(sent.Header("Location"), "/ordineinviato.asp");
    const QString confirmation = QString::fromUtf8(shopper.Get("/ordineinviato.asp").body);
    const QString number = shop.Value("SELECT NumOrdine FROM Ordini").toString();
    ASSERT_FALSE(number.isEmpty());
    EXPECT_TRUE(confirmation.contains(number)) << confirmation.toStdString();

    // Both mails: 2 x 12.50 + 3 x 4.10 = 37.30, VAT 5.50 + 0.49 = 5.99.
    const QList<QJsonObject> mails = smtp.WaitForMessages(2);
    ASSERT_EQ(mails.size(), 2);
    EXPECT_EQ(mails[0]["rcpt_tos"].toArray().first().toString(), "ordini@road.test");
    EXPECT_EQ(mails[1]["rcpt_tos"].toArray().first().toString(), "anna@road.test");
    for (const QJsonObject& mail : mails) {
        const QString body = mail["body"].toString();
        EXPECT_TRUE(body.contains("43,29")) << body.toStdString();
        EXPECT_TRUE(body.contains("Forlì")) << body.toStdString();
        EXPECT_TRUE(body.contains("Quaderno à righe")) << body.toStdString();
    }

    // The desk fetches it.
    COrderDownload job;
    job.InitVarDwLoad(nullptr, project.Folder(), &project.Db());
    job.StartDwLoad();
    ASSERT_EQ(job.LastResult(), COrderDownload::Result::Done) << Log().toStdString();
    const qint32 order = ProjectValue("SELECT ID FROM Ordini WHERE NumOrdine=?", {number}).toInt();
    ASSERT_GE(order, 1000000001);
    const qint32 customer = ProjectValue("SELECT IDCliente FROM Ordini WHERE ID=?", {order}).toInt();
    EXPECT_GE(customer, 1000000001);
    EXPECT_EQ(ProjectValue("SELECT Cognome FROM Clienti WHERE ID=?", {customer}).toString(), "Bianchi");
    EXPECT_EQ(ProjectValue("SELECT Localita FROM Ordini WHERE ID=?", {order}).toString(), "Forlì");
    EXPECT_EQ(ProjectValue("SELECT Note FROM Ordini WHERE ID=?", {order}).toString(), "Citofono 3");
    EXPECT_EQ(ProjectValue("SELECT TipoPagamento FROM Ordini WHERE ID=?", {order}).toString(), "Bonifico");
    EXPECT_EQ(ProjectCount(QString("SELECT COUNT(*) FROM OrdiniDettaglio WHERE IDOrdine=%1").arg(order)), 2);
    EXPECT_NEAR(ProjectValue("SELECT SUM(Prezzo * Quantita) FROM OrdiniDettaglio WHERE IDOrdine=?", {order}).toDouble(),
                37.30, 1e-6);
    EXPECT_NEAR(ProjectValue("SELECT SUM(Prezzo * Quantita * Iva / 100) FROM OrdiniDettaglio WHERE IDOrdine=?", {order})
                    .toDouble(),
                5.99, 0.005);
    EXPECT_EQ(ProjectValue("SELECT Nome FROM OrdiniDettaglio WHERE IDOrdine=? AND IDProdotto=502", {order}).toString(),
              "Quaderno à righe");
    QFile exported(project.Folder() + "/scambio/esportati.txt");
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(exported.readAll()).trimmed(), QString::number(order) + ";" + number);
    // The shop's list of orders to fetch is empty again.
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Ordini WHERE Modificato=1").toInt(), 0);
}

// Prices that include VAT: ten cups at 9.99 (8.19 net and 1.80 of VAT)
// are charged 99.90, of which 81.89 net and 18.01 VAT; the stored lines
// alone would make 81.90 and 18.02, 99.92. The mail, the row that comes
// home and the desk's invoice all say 99.90.
TEST_F(OrderPlacedRoad, TheChargedTotalTravelsToTheDesksInvoice)
{
    shop.Execute("UPDATE Configurazione SET FlagPrezziIvaCompresa=1");
    AddShopProduct(503, "Tazza grande", 8.19, 22);
    CHttpTestClient shopper(shop.Port());
    ASSERT_EQ(shopper.Get("/carrello.asp?Operazione=aggiungi&IDProdotto=503&Quantita=10").status, 200);
    const QByteArray form = Form({{"Cognome", "Bianchi"}, {"Nome", "Anna"}, {"Indirizzo", "Via Emilia 1"},
                                  {"Cap", "47121"}, {"Localita", "Forlì"}, {"Provincia", "FC"}, {"Stato", "Italia"},
                                  {"Email", "anna@road.test"}, {"TipoPagamento", "Bonifico"}, {"Submit", "Conferma"}});
    ASSERT_TRUE(shopper.Post("/datiordine.asp", "application/x-www-form-urlencoded", form).body.contains("dati-accettati"));
    const QString summary = QString::fromUtf8(shopper.Get("/confermaordine.asp").body);
    EXPECT_TRUE(summary.contains("99,90")) << summary.toStdString();
    ASSERT_EQ(shopper.Post("/confermaordine.asp", "application/x-www-form-urlencoded", "Invia=1").status, 302);
    const QList<QJsonObject> mails = smtp.WaitForMessages(2);
    ASSERT_EQ(mails.size(), 2);
    for (const QJsonObject& mail : mails) {
        EXPECT_TRUE(mail["body"].toString().contains("99,90")) << mail["body"].toString().toStdString();
        EXPECT_FALSE(mail["body"].toString().contains("99,92")) << mail["body"].toString().toStdString();
    }

    COrderDownload job;
    job.InitVarDwLoad(nullptr, project.Folder(), &project.Db());
    job.StartDwLoad();
    ASSERT_EQ(job.LastResult(), COrderDownload::Result::Done) << Log().toStdString();
    const qint32 order = ProjectValue("SELECT ID FROM Ordini").toInt();
    EXPECT_NEAR(ProjectValue("SELECT ImportoTotale FROM Ordini WHERE ID=?", {order}).toDouble(), 99.90, 1e-9);
    EXPECT_NEAR(ProjectValue("SELECT ImportoIVA FROM Ordini WHERE ID=?", {order}).toDouble(), 18.01, 1e-9);
    project.Db().Execute("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita WHERE IDOrdine=?", {order});
    const COrdineStampa invoice = COrdineStampa::Fattura(project.Db(), order);
    EXPECT_EQ(invoice.totali.imponibile, 8189);
    EXPECT_EQ(invoice.totali.imposta, 1801);
    EXPECT_EQ(invoice.totali.totale, 9990);
}

} // namespace
