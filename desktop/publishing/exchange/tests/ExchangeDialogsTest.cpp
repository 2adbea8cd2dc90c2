#include "desktop/publishing/exchange/CAggiornamentoDatiDlg.h"
#include "desktop/publishing/exchange/CImportAutomaticoDlg.h"
#include "desktop/publishing/exchange/CScaricamentoOrdiniDlg.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/IExchangeJobs.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

namespace {

// With QTR_SCREENSHOT_DIR set (scripts/screenshot-exchange.sh under Xvfb)
// each dialog is also saved as a picture.
void Picture(QWidget& dialog, const char* name)
{
    const QByteArray folder = qgetenv("QTR_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        dialog.grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

// A site upload that reports what a real one would and lets the test act
// in the middle of it.
class FakeUpload : public ISiteUploadJob
{
public:
    std::function<void()> duringStart;
    IExchangeProgress* progress = nullptr;
    bool closed = false;
    bool started = false;

    void InitVar(IExchangeProgress* sink, const QString&, CDaoDatabase*) override { progress = sink; }
    int Init() override
    {
        FlagAnnullaUpd = 1;
        progress->Update(IExchangeProgress::UPDUI_ENABLE_START);
        progress->Update(IExchangeProgress::UPDUI_SHOW_MESSAGE);
        progress->Update(IExchangeProgress::UPDUI_SET_MESSAGE, 0, "Aggiornamento necessario. Premi AVVIO per cominciare.");
        return 1;
    }
    void Start() override
    {
        started = true;
        FlagAnnullaUpd = 0;
        PasswordUpd.clear();
        progress->Update(IExchangeProgress::UPDUI_ASK_PASSWORD);
        progress->Update(IExchangeProgress::UPDUI_TABLE_RANGE, 3);
        progress->Update(IExchangeProgress::UPDUI_RECORD_RANGE, 5);
        progress->Update(IExchangeProgress::UPDUI_RECORD_POS, 5);
        if (duringStart)
            duringStart();
        progress->Update(IExchangeProgress::UPDUI_PUMP);
        progress->Message("Aggiornamento dati sito", "ERRORE:\n\nPassword errata!", IExchangeProgress::Exclamation);
    }
    void ChiudiDatabase() override { closed = true; }
};

TEST(ExchangeDialogs, TheUpdateDialogShowsTheJobAsksThePasswordAndCancelsWhileRunning)
{
    CMessageBoxScript boxes;
    CExchangeDlg::PasswordAsker() = [](const QString&, QString* password) {
        *password = "segreto";
        return true;
    };
    auto job = std::make_unique<FakeUpload>();
    FakeUpload* fake = job.get();
    bool flagSeenRaised = false;
    {
        CAggiornamentoDatiDlg dialog(std::move(job), "/tmp/progetto", nullptr);
        EXPECT_TRUE(dialog.StartButton()->isEnabled());
        EXPECT_EQ(dialog.MessageLabel()->text(), "Aggiornamento necessario. Premi AVVIO per cominciare.");
        fake->duringStart = [&] {
            dialog.Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, "Aggiornamento tabella Prodotti in corso...");
            dialog.Update(IExchangeProgress::UPDUI_RECORD_TEXT, 0, "Aggiornamento record 5/5 in corso...");
            Picture(dialog, "aggiornamento-dati-sito");
            // "Annulla" while the job runs only raises the flag.
            dialog.CancelButton()->click();
            flagSeenRaised = FlagAnnullaUpd.load() != 0;
            EXPECT_TRUE(dialog.isVisible() || !dialog.isHidden());
        };
        dialog.show();
        dialog.StartButton()->click();
        EXPECT_TRUE(fake->started);
        EXPECT_EQ(PasswordUpd, "segreto");
        EXPECT_EQ(dialog.RecordBar()->minimum(), 1);
        EXPECT_EQ(dialog.RecordBar()->value(), 5);
        EXPECT_EQ(dialog.TableBar()->maximum(), 3);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(flagSeenRaised);
    EXPECT_TRUE(fake->closed);
    EXPECT_EQ(boxes.LastText(), "ERRORE:\n\nPassword errata!");
}

TEST(ExchangeDialogs, AnnullaBeforeAvvioClosesTheDialogAtOnce)
{
    auto job = std::make_unique<FakeUpload>();
    FakeUpload* fake = job.get();
    CAggiornamentoDatiDlg dialog(std::move(job), "/tmp/progetto", nullptr);
    dialog.show();
    dialog.CancelButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(fake->started);
}

class FakeDownload : public IOrderDownloadJob
{
public:
    IExchangeProgress* progress = nullptr;
    void InitVarDwLoad(IExchangeProgress* sink, const QString&, CDaoDatabase*) override { progress = sink; }
    void StartDwLoad() override
    {
        FlagAnnullaDwn = 0;
        progress->Download(IExchangeProgress::DWNUI_RANGE, 4);
        progress->Download(IExchangeProgress::DWNUI_POS, 2);
        progress->Download(IExchangeProgress::DWNUI_TEXT, 0, "Aggiornamento dati ordini in corso...");
        progress->Download(IExchangeProgress::DWNUI_SET_LANGUAGE);
    }
};

TEST(ExchangeDialogs, TheDownloadDialogCountsFromOneAndTakesTheEditingLanguage)
{
    CodiceLinguaDwn.clear();
    auto job = std::make_unique<FakeDownload>();
    CScaricamentoOrdiniDlg dialog(std::move(job), "/tmp/progetto", nullptr, [] { return QString("en"); });
    EXPECT_NE(FlagAnnullaDwn.load(), 0);
    dialog.show();
    dialog.StartButton()->click();
    EXPECT_EQ(dialog.Bar()->minimum(), 1);
    EXPECT_EQ(dialog.Bar()->maximum(), 4);
    EXPECT_EQ(dialog.Bar()->value(), 2);
    EXPECT_EQ(dialog.StatusLabel()->text(), "Aggiornamento dati ordini in corso...");
    EXPECT_EQ(CodiceLinguaDwn, "en");
    Picture(dialog, "scaricamento-ordini");
    EXPECT_FALSE(dialog.isVisible());
}

// An import on its own thread that runs until it is cancelled.
class LoopingImport : public IImportJob
{
public:
    IExchangeProgress* progress = nullptr;
    std::atomic<bool> cancelled{false};
    void InitVarImport(IExchangeProgress* sink, const QString&) override { progress = sink; }
    void StartImport(unsigned int, long) override
    {
        progress->Import(IExchangeProgress::IMPUI_RANGE, 10);
        progress->Import(IExchangeProgress::IMPUI_POS, 3);
        progress->Import(IExchangeProgress::IMPUI_TEXT, 0, "Import record 3/10 in corso...");
        while (!cancelled)
            QThread::msleep(5);
        progress->Message("Import automatico", "Operazione non completata.", IExchangeProgress::Exclamation);
    }
    void Cancel() override { cancelled = true; }
};

TEST(ExchangeDialogs, TheImportDialogStaysAliveAndAnnullaStopsTheImport)
{
    CMessageBoxScript boxes;
    auto job = std::make_unique<LoopingImport>();
    CImportAutomaticoDlg dialog(std::move(job), "/tmp/progetto");
    dialog.show();
    QTimer::singleShot(200, &dialog, [&] {
        EXPECT_EQ(dialog.Bar()->minimum(), 0);
        EXPECT_EQ(dialog.Bar()->value(), 3);
        EXPECT_EQ(dialog.StatusLabel()->text(), "Import record 3/10 in corso...");
        Picture(dialog, "import-automatico");
        dialog.CancelButton()->click();
    });
    dialog.RunTask();
    EXPECT_EQ(boxes.LastText(), "Operazione non completata.");
}

} // namespace
