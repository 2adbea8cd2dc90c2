#include "desktop/publishing/templateupload/CAggiornamentoModelloDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QHash>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace {

const QString kTitle = QStringLiteral("Aggiornamento modello grafico sito");

// Every message box the dialog shows, answered with OK.
class Boxes
{
public:
    Boxes()
    {
        m_previous = CMessageBox::SetAnswerer([this](const CMessageBox::Request& request) {
            texts << request.text;
            titles << request.caption;
            return QMessageBox::Ok;
        });
    }
    ~Boxes() { CMessageBox::SetAnswerer(m_previous); }

    QStringList texts;
    QStringList titles;

private:
    CMessageBox::Answerer m_previous;
};

// A loopback port nothing listens on.
quint16 ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

// A shop that answers "OK" to every request, on the dialog's thread; it
// counts the requests.
class AgreeingShop
{
public:
    AgreeingShop()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    quint16 Port() const { return m_server.serverPort(); }
    int requests = 0;
    // Runs before each answer, with the request's number.
    std::function<void(int)> beforeAnswer;

private:
    void Read(QTcpSocket* socket)
    {
        QByteArray& pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QRegularExpressionMatch length =
            QRegularExpression("content-length: *(\\d+)", QRegularExpression::CaseInsensitiveOption).match(pending.left(end));
        if (pending.size() < end + 4 + (length.hasMatch() ? length.captured(1).toLongLong() : 0))
            return;
        pending.clear();
        if (beforeAnswer)
            beforeAnswer(++requests);
        else
            ++requests;
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nOK");
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

class TemplateUploadDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        db.Open(project.Database());
        QDir().mkpath(project.Folder() + "/website/asp");
        QFile page(project.Folder() + "/website/asp/default.asp");
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
    }
    void TearDown() override
    {
        db.Close();
        CExchangeDlg::PasswordAsker() = previousAsker;
    }
    void Point(CAggiornamentoModelloDlg& dialog, const QString& password)
    {
        CTemplateUpload::Settings& settings = dialog.Upload().GetSettings();
        settings.host = "127.0.0.1";
        settings.port = ClosedPort();
        settings.userCode = "negozio";
        settings.password = password;
    }
    QString StateFile() const { return project.Folder() + "/website/lastupd.qtr"; }

    ExchangeProject project;
    CDaoDatabase db;
    std::function<bool(const QString&, QString*)> previousAsker = CExchangeDlg::PasswordAsker();
};

TEST_F(TemplateUploadDialog, WithoutAHomePageTheDialogSaysSoAndDoesNotOpen)
{
    QFile::remove(project.Folder() + "/website/asp/default.asp");
    Boxes boxes;
    CAggiornamentoModelloDlg dialog(project.Folder() + "/", &db);
    EXPECT_EQ(dialog.RunModal(), QDialog::Rejected);
    EXPECT_EQ(boxes.texts, QStringList{"Nessun modello grafico selezionato."});
    EXPECT_EQ(boxes.titles, QStringList{kTitle});
}

TEST_F(TemplateUploadDialog, WithoutAPasswordNothingIsSentAndTheSiteIsSaidToNeedAnotherRun)
{
    Boxes boxes;
    QString askedFor;
    CExchangeDlg::PasswordAsker() = [&](const QString& userCode, QString*) {
        askedFor = userCode;
        return false;
    };
    CAggiornamentoModelloDlg dialog(project.Folder() + "/", &db);
    Point(dialog, "");
    QTimer::singleShot(0, dialog.StartButton(), &QPushButton::click);
    EXPECT_EQ(dialog.RunModal(), QDialog::Rejected);
    EXPECT_EQ(askedFor, "negozio");
    EXPECT_EQ(boxes.texts, QStringList({"Per aggiornare il sito è necessario specificare la password.",
                                        CAggiornamentoModelloDlg::NotDoneText()}));
    EXPECT_FALSE(QFile::exists(StateFile()));
}

// The run goes on the worker; the shop does not answer, which is told as
// "Impossibile contattare il server.", then the failure, and no stamp is kept.
TEST_F(TemplateUploadDialog, AnUnreachableShopFailsTheRunAndKeepsNoStamps)
{
    Boxes boxes;
    CAggiornamentoModelloDlg dialog(project.Folder() + "/", &db);
    Point(dialog, "segreta");
    QTimer::singleShot(0, dialog.StartButton(), &QPushButton::click);
    EXPECT_EQ(dialog.RunModal(), QDialog::Rejected);
    EXPECT_EQ(boxes.texts, QStringList({"ERRORE:\n\nImpossibile contattare il server.",
                                        CAggiornamentoModelloDlg::NotDoneText()}));
    EXPECT_EQ(dialog.LastResult(), CTemplateUpload::Result::Failed);
    EXPECT_FALSE(QFile::exists(StateFile()));
}

// "Annulla" while the pages go: the upload stops after the current page,
// the merchant is told the site needs another run, and no stamp is kept.
TEST_F(TemplateUploadDialog, AnnullaStopsARunningUploadAfterTheCurrentFile)
{
    for (int n = 1; n <= 20; ++n) {
        QFile page(project.Folder() + QStringLiteral("/website/asp/pagina%1.asp").arg(n));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<p>pagina</p>");
    }
    AgreeingShop shop;
    Boxes boxes;
    CAggiornamentoModelloDlg dialog(project.Folder() + "/", &db);
    Point(dialog, "segreta");
    dialog.Upload().GetSettings().port = shop.Port();
    // The merchant presses while the shop takes the second page.
    shop.beforeAnswer = [&](int request) {
        if (request == 4)
            dialog.CancelButton()->click();
    };
    QTimer::singleShot(0, dialog.StartButton(), &QPushButton::click);
    EXPECT_EQ(dialog.RunModal(), QDialog::Rejected);
    EXPECT_EQ(dialog.LastResult(), CTemplateUpload::Result::Cancelled);
    EXPECT_EQ(boxes.texts, QStringList{CAggiornamentoModelloDlg::NotDoneText()});
    EXPECT_EQ(shop.requests, 4);   // the two emptying requests and two pages
    EXPECT_FALSE(QFile::exists(StateFile()));
}

// With QTR_SCREENSHOT_DIR set the dialog is saved as it looks half-way
// through a folder.
TEST_F(TemplateUploadDialog, ShowsTheFolderCountAndTheTransfer)
{
    CAggiornamentoModelloDlg dialog(project.Folder() + "/", &db);
    dialog.show();
    dialog.Update(IExchangeProgress::UPDUI_TABLE_RANGE, 12, {});
    dialog.Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, "Cartella home: aggiornamento pagina 5/12 in corso...");
    dialog.Update(IExchangeProgress::UPDUI_TABLE_POS, 5, {});
    dialog.TransferRange(2048);
    dialog.TransferPos(1024);
    EXPECT_EQ(dialog.StatusLabel()->text(), "Cartella home: aggiornamento pagina 5/12 in corso...");
    EXPECT_EQ(dialog.FileBar()->value(), 5);
    EXPECT_EQ(dialog.FileBar()->maximum(), 12);
    EXPECT_EQ(dialog.TransferBar()->value(), 1024);
    EXPECT_EQ(dialog.windowTitle(), kTitle);
    const QByteArray folder = qgetenv("QTR_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        dialog.grab().save(QString::fromUtf8(folder) + "/aggiornamento-modello.png");
    dialog.hide();
}

} // namespace
