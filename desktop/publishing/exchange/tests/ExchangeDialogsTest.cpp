#include "desktop/publishing/exchange/CAggiornamentoDatiDlg.h"
#include "desktop/publishing/exchange/CImportAutomaticoDlg.h"
#include "desktop/publishing/exchange/CScaricamentoOrdiniDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "exchange/COrderDownload.h"
#include "exchange/CScriptedImport.h"
#include "exchange/IExchangeJobs.h"
#include "exchange/QtrUpdDatiState.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

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

// The person in front of the message boxes: every box is recorded, and a
// box with a given text may act (press a button, close a window) before it
// is answered.
class Boxes
{
public:
    Boxes()
    {
        m_previous = CMessageBox::SetAnswerer([this](const CMessageBox::Request& request) {
            texts << request.text;
            if (onText.count(request.text) != 0)
                onText[request.text]();
            return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }
    ~Boxes() { CMessageBox::SetAnswerer(m_previous); }

    QStringList texts;
    std::map<QString, std::function<void()>> onText;

private:
    CMessageBox::Answerer m_previous;
};

// Waits on the job's side for the flag a cancel raises, for a bounded time
// so a cancel that never comes fails the test instead of hanging it.
bool WaitForFlag(const std::atomic<int>& flag)
{
    QDeadlineTimer deadline(5000);
    while (flag.load() == 0 && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    return flag.load() != 0;
}

// Runs check every few milliseconds on the window's loop until it says it
// is done: how a test waits for a file a job on the worker writes.
void WhenReady(QObject* context, std::function<bool()> check)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, check] {
        if (check())
            timer->deleteLater();
    });
    timer->start(20);
}

void AnswerPassword(const QString& typed)
{
    CExchangeDlg::PasswordAsker() = [typed](const QString&, QString* password) {
        *password = typed;
        return true;
    };
}

// A site upload that reports what a real one would; halfway it says so in
// a box, where the test acts, and then runs until it is cancelled.
class FakeUpload : public ISiteUploadJob
{
public:
    IExchangeProgress* progress = nullptr;
    bool* closed = nullptr;   // outlives the job, which its dialog owns
    bool started = false;
    bool sawCancel = false;
    Qt::HANDLE thread = nullptr;

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
        thread = QThread::currentThreadId();
        FlagAnnullaUpd = 0;
        PasswordUpd.clear();
        progress->Update(IExchangeProgress::UPDUI_ASK_PASSWORD);
        progress->Update(IExchangeProgress::UPDUI_TABLE_RANGE, 3);
        progress->Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, "Aggiornamento tabella Prodotti in corso...");
        progress->Update(IExchangeProgress::UPDUI_RECORD_RANGE, 5);
        progress->Update(IExchangeProgress::UPDUI_RECORD_POS, 5);
        progress->Update(IExchangeProgress::UPDUI_RECORD_TEXT, 0, "Aggiornamento record 5/5 in corso...");
        progress->Message("Aggiornamento dati sito", "a metà", IExchangeProgress::Information);
        sawCancel = WaitForFlag(FlagAnnullaUpd);
        progress->Message("Aggiornamento dati sito", "Aggiornamento non completato.", IExchangeProgress::Exclamation);
    }
    void ChiudiDatabase() override
    {
        if (closed)
            *closed = true;
    }
};

TEST(ExchangeDialogs, TheUpdateRunsApartAsksThePasswordShowsItsCountsAndAnnullaStopsIt)
{
    Boxes boxes;
    AnswerPassword("segreto");
    auto job = std::make_unique<FakeUpload>();
    FakeUpload* fake = job.get();
    bool closed = false;
    fake->closed = &closed;
    {
        CAggiornamentoDatiDlg dialog(std::move(job), "/tmp/progetto", nullptr);
        EXPECT_TRUE(dialog.StartButton()->isEnabled());
        EXPECT_EQ(dialog.MessageLabel()->text(), "Aggiornamento necessario. Premi AVVIO per cominciare.");
        boxes.onText["a metà"] = [&] {
            EXPECT_FALSE(dialog.StartButton()->isEnabled());
            EXPECT_EQ(dialog.RecordBar()->minimum(), 1);
            EXPECT_EQ(dialog.RecordBar()->value(), 5);
            EXPECT_EQ(dialog.TableBar()->maximum(), 3);
            Picture(dialog, "aggiornamento-dati-sito");
            dialog.CancelButton()->click();
            // Only the flag: the dialog stays until the job has ended.
            EXPECT_TRUE(dialog.isVisible());
        };
        QTimer::singleShot(0, &dialog, [&] { dialog.StartButton()->click(); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_FALSE(dialog.IsRunning());
        EXPECT_TRUE(fake->started);
        EXPECT_NE(fake->thread, QThread::currentThreadId());
        EXPECT_TRUE(fake->sawCancel);
    }
    EXPECT_EQ(PasswordUpd, "segreto");
    EXPECT_TRUE(closed);
    EXPECT_EQ(boxes.texts, QStringList({"a metà", "Aggiornamento non completato."}));
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

// Escape and the window's close button during a running upload stop it as
// "Annulla" does; the dialog is not hidden with the job running on.
class CloseDuringUpload : public ::testing::TestWithParam<const char*>
{
};

TEST_P(CloseDuringUpload, StopsTheJobAndTheDialogWaitsForIt)
{
    Boxes boxes;
    AnswerPassword("segreto");
    auto job = std::make_unique<FakeUpload>();
    FakeUpload* fake = job.get();
    CAggiornamentoDatiDlg dialog(std::move(job), "/tmp/progetto", nullptr);
    bool visibleAfter = false;
    boxes.onText["a metà"] = [&] {
        if (std::string(GetParam()) == "Escape")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        visibleAfter = dialog.isVisible();
    };
    QTimer::singleShot(0, &dialog, [&] { dialog.StartButton()->click(); });
    dialog.exec();
    EXPECT_TRUE(visibleAfter);
    EXPECT_TRUE(fake->sawCancel);
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_EQ(boxes.texts.last(), "Aggiornamento non completato.");
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseDuringUpload, ::testing::Values("Escape", "CloseButton"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

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
        progress->Message("Aggiornamento dati sito", "a metà", IExchangeProgress::Information);
    }
};

TEST(ExchangeDialogs, TheDownloadDialogCountsFromOneAndTakesTheEditingLanguage)
{
    Boxes boxes;
    CodiceLinguaDwn.clear();
    auto job = std::make_unique<FakeDownload>();
    CScaricamentoOrdiniDlg dialog(std::move(job), "/tmp/progetto", nullptr, [] { return QString("en"); });
    EXPECT_NE(FlagAnnullaDwn.load(), 0);
    boxes.onText["a metà"] = [&] {
        EXPECT_EQ(dialog.Bar()->minimum(), 1);
        EXPECT_EQ(dialog.Bar()->maximum(), 4);
        EXPECT_EQ(dialog.Bar()->value(), 2);
        EXPECT_EQ(dialog.StatusLabel()->text(), "Aggiornamento dati ordini in corso...");
        Picture(dialog, "scaricamento-ordini");
    };
    QTimer::singleShot(0, &dialog, [&] { dialog.StartButton()->click(); });
    dialog.exec();
    EXPECT_EQ(CodiceLinguaDwn, "en");
    EXPECT_FALSE(dialog.isVisible());
}

// An export.js stuck in a loop: the download runs apart, so the window
// stays alive, and "Annulla" interrupts the script; the project's database
// is open again for the program when the dialog closes.
TEST(ExchangeDialogs, AnnullaInterruptsAnExportScriptStuckInALoop)
{
    Boxes boxes;
    ExchangeProject project;
    project.Value("UPDATE Configurazione SET URLSito='127.0.0.1', PortaHttp=9");
    QFile pending(project.Folder() + "/db/conferme");
    ASSERT_TRUE(pending.open(QIODevice::WriteOnly));
    pending.write("E|Ordini|5\n");
    pending.close();
    project.WriteScript("export.js", "function EsportaOrdine(id) {\n"
                                     "    QTR.ScriviNuovoFileExport('iniziato.txt', id);\n"
                                     "    while (true) {}\n"
                                     "}\n");
    PasswordDwn = "segreto";
    CDaoDatabase database;
    database.Open(project.Database());
    CScaricamentoOrdiniDlg dialog(std::make_unique<COrderDownload>(), project.Folder(), &database,
                                  [] { return QString("it"); });
    QTimer::singleShot(0, &dialog, [&] { dialog.StartButton()->click(); });
    bool alive = false;
    WhenReady(&dialog, [&] {
        if (!QFile::exists(project.Exchange() + "/iniziato.txt"))
            return false;
        alive = dialog.isVisible();
        Picture(dialog, "scaricamento-ordini-export");
        dialog.CancelButton()->click();
        return true;
    });
    dialog.exec();
    EXPECT_TRUE(alive);
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_TRUE(database.IsOpen());
    EXPECT_FALSE(boxes.texts.isEmpty());
    // The order not exported is left for the next run.
    QFile left(project.Folder() + "/db/conferme");
    ASSERT_TRUE(left.open(QIODevice::ReadOnly));
    EXPECT_TRUE(left.readAll().contains("E|Ordini|5"));
}

// The automatic import on its worker: a script stuck in a loop is stopped
// by "Annulla", the dialog goes when the import has ended, and the
// database and the data file are as they were.
TEST(ExchangeDialogs, AnnullaStopsAnImportScriptStuckInALoopAndNothingChanges)
{
    Boxes boxes;
    ExchangeProject project;
    project.CopySample("gprodotti.txt", project.Exchange() + "/gprodotti.txt");
    project.WriteScript("import.js", "function ApriSessioneImport() { return QTR.InizializzaFiles(); }\n"
                                     "function ImportaRecord() {\n"
                                     "    QTR.ScriviNuovoFileExport('iniziato.txt', 'x');\n"
                                     "    QTR.ApriTabella('Prodotti'); QTR.ModificaRecord('');\n"
                                     "    while (true) {}\n"
                                     "}\n");
    const QByteArray before = project.DatabaseBytes();
    CImportAutomaticoDlg dialog(std::make_unique<CScriptedImport>(), project.Folder());
    bool alive = false;
    WhenReady(&dialog, [&] {
        if (!QFile::exists(project.Exchange() + "/iniziato.txt"))
            return false;
        alive = dialog.isVisible();
        EXPECT_EQ(dialog.StatusLabel()->text().isEmpty(), false);
        Picture(dialog, "import-automatico");
        dialog.CancelButton()->click();
        return true;
    });
    dialog.RunTask();
    EXPECT_TRUE(alive);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_EQ(project.DatabaseBytes(), before);
    EXPECT_TRUE(QFile::exists(project.Exchange() + "/gprodotti.txt"));
    EXPECT_TRUE(boxes.texts.contains(
        "Operazione non completata.\nATTENZIONE: l'archivio è stato ripristinato allo stato precedente."))
        << boxes.texts.join(" | ").toStdString();
}

} // namespace
