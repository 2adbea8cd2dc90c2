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
#include <QTcpServer>
#include <QTimer>

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
// the Part's error, then the failure, and no stamp is kept.
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
