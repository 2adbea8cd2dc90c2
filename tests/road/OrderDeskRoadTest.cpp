#include "desktop/orders/COrdinePrinter.h"
#include "desktop/orders/COrdineStampa.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/COrderDownload.h"
#include "exchange/QtrUpdDatiState.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QProcess>
#include <QSqlQuery>

namespace {

const QString kState = QStringLiteral("Spedito con corriere espresso");

// The shopper in headless Chromium, with the stand-in bank beside him
// (tests/road/card_shopper.py): one command, one line of JSON back.
class CardShopper
{
public:
    CardShopper(const QStringList& requests, const QStringList& answers)
    {
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setStandardErrorFile(QStringLiteral(QTR_ROAD_OUT "/card_shopper.err"));
        m_process.start(QStringLiteral(QTR_PYTHON),
                        {QStringLiteral(QTR_ROAD_SOURCE "/card_shopper.py"), "--out", QStringLiteral(QTR_ROAD_OUT),
                         "--requests", requests.join(','), "--answers", answers.join(',')});
        const QString first = Line(30000);
        if (first.startsWith("bank="))
            m_bank = first.mid(5);
    }
    ~CardShopper()
    {
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(20000))
            m_process.kill();
    }

    QString Bank() const { return m_bank; }

    QJsonObject Ask(const QString& command)
    {
        m_process.write(command.toUtf8() + '\n');
        // Lines that are not JSON are the walk's own report.
        for (QString line = Line(180000); !line.isNull(); line = Line(180000))
            if (line.startsWith('{'))
                return QJsonDocument::fromJson(line.toUtf8()).object();
        return {{"ok", false}, {"error", "the shopper gave no answer"}};
    }

private:
    QString Line(int ms)
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(ms))
                return QString();
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    QProcess m_process;
    QString m_bank;
};

QString PdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// An order's whole road: placed and paid by card on the shop's own pages
// in a browser, fetched by the desk's order download, worked in the
// orders view (shipped, invoiced, printed to PDF with the amount the bank
// charged), its new state uploaded and shown on the shopper's order page.
TEST(OrderDeskRoad, AnOrderPaidByCardIsInvoicedForWhatWasChargedAndItsStateReachesTheShopper)
{
    QDir().mkpath(QStringLiteral(QTR_ROAD_OUT));
    QStringList requests;
    QStringList answers;
    for (int n = 1; n <= 5; ++n) {
        requests << QStringLiteral("RIC-%1").arg(n, 4, 10, QLatin1Char('0'));
        answers << QStringLiteral("RIS-%1").arg(n, 4, 10, QLatin1Char('0'));
    }
    CardShopper shopper(requests, answers);
    ASSERT_FALSE(shopper.Bank().isEmpty()) << "the shopper did not start; see " QTR_ROAD_OUT "/card_shopper.err";

    RoadShop shop;
    QProcess maker;
    maker.start(QStringLiteral(QTR_DEMOSHOP_MAKER), {QDir::cleanPath(shop.ShopFile(QString()))});
    ASSERT_TRUE(maker.waitForFinished(120000));
    ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    for (int n = 0; n < requests.size(); ++n) {
        shop.Execute("INSERT INTO OTPRichieste (ID, Password, Modificato, VersioneRecord) VALUES (?, ?, 0, 0)",
                     {n + 1, requests[n]});
        shop.Execute("INSERT INTO OTPRisposte (ID, Password, Modificato, VersioneRecord) VALUES (?, ?, 0, 0)",
                     {n + 1, answers[n]});
    }
    shop.SetBank(shopper.Bank());
    shop.Start();

    const QJsonObject bought = shopper.Ask(QStringLiteral("shop http://127.0.0.1:%1/").arg(shop.Port()));
    ASSERT_TRUE(bought["ok"].toBool()) << bought["error"].toString().toStdString();
    const QString number = bought["order"].toString();
    const qint64 charged = bought["charged"].toInteger();
    ASSERT_GT(charged, 0);

    // The desk fetches the order.
    RoadProject project;
    project.PointAt(shop.Port(), "pa&ss=1");
    PasswordDwn.clear();
    CodiceLinguaDwn.clear();
    COrderDownload download;
    download.InitVarDwLoad(nullptr, project.Folder(), &project.Db());
    download.StartDwLoad();
    ASSERT_EQ(download.LastResult(), COrderDownload::Result::Done);
    QSqlQuery found(project.Db().Connection());
    found.prepare("SELECT ID FROM Ordini WHERE NumOrdine=?");
    found.addBindValue(number);
    ASSERT_TRUE(found.exec() && found.next()) << number.toStdString();
    const qint32 id = found.value(0).toInt();
    found.finish();

    // Shipped in full, invoiced: the desk's total is what the bank charged.
    CMessageBoxScript boxes;
    COrdiniViewCore core(project.Db(), project.Folder(), "it");
    ASSERT_TRUE(core.ShowOrder(id));
    for (int line = 0; line < core.Righe().size(); ++line) {
        std::optional<COrdineStati::Entry> shipped;
        ASSERT_TRUE(core.SetShipped(line, core.Righe().at(line).quantita, &shipped));
    }
    EXPECT_EQ(core.Totali().totale, charged);
    OrdineForm form = core.Form();
    form.strColli = "1";
    ASSERT_TRUE(core.IssueInvoice(form));
    ASSERT_TRUE(core.Testata().bFatturata);

    const COrdineStampa invoice = COrdineStampa::Fattura(project.Db(), id);
    EXPECT_EQ(invoice.totali.totale, charged);
    const QString pdf = QStringLiteral(QTR_ROAD_OUT "/fattura-strada.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        COrdinePrinter(project.Folder() + "/").PrintInvoice(writer, invoice);
    }
    const QString text = PdfText(pdf);
    const QString total = invoice.Importo(charged);
    EXPECT_TRUE(text.contains(total)) << total.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(number)) << text.toStdString();
    QProcess::execute("pdftoppm", {"-r", "60", "-png", "-singlefile", pdf, QStringLiteral(QTR_ROAD_OUT "/fattura-strada")});

    // A new state on the desk goes up with the site update and shows on
    // the shopper's order page.
    form = core.Form();
    form.stati.append(COrdineStati::Stamped(kState, QDateTime::currentDateTime()));
    ASSERT_TRUE(core.SaveRecord(form));
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    const QJsonObject state = shopper.Ask("state " + kState);
    ASSERT_TRUE(state["ok"].toBool()) << state["error"].toString().toStdString();
    EXPECT_TRUE(state["found"].toBool()) << state["state"].toString().toStdString();
}

} // namespace
