#include "desktop/publishing/exchange/CAggiornamentoDatiDlg.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/CSiteUpload.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

// The site update of a project whose shop is at a plain http address of
// another machine: the merchant is asked in a message box before the site
// password goes out, and a "No" sends nothing.
TEST(PlainAddressDialog, TheSiteUpdateAsksBeforeThePasswordGoesOutInClear)
{
    TempFolder project;
    QDir().mkpath(project.FilePath("db"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QTR_REFDB_DIR "/database.mdb"), project.FilePath("db/database.mdb")));
    QFile(project.FilePath("db/database.mdb")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    CDaoDatabase db;
    db.Open(project.FilePath("db/database.mdb"));
    db.Execute("UPDATE Configurazione SET URLSito='http://negozio.invalid', CodiceUtente='negozio', Password=?",
               {Encrypt("segreta")});
    PasswordUpd.clear();

    CMessageBoxScript boxes;
    boxes.Answer(QMessageBox::No);
    auto job = std::make_unique<CSiteUpload>();
    CSiteUpload* upload = job.get();
    {
        CAggiornamentoDatiDlg dialog(std::move(job), project.Path(), &db);
        dialog.show();
        dialog.StartButton()->click();
        const QDeadlineTimer deadline(20000);
        while (upload->LastResult() == CSiteUpload::Result::NotRun && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(upload->LastResult(), CSiteUpload::Result::Cancelled);
    }
    ASSERT_FALSE(boxes.Shown().isEmpty());
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Question);
    EXPECT_TRUE(boxes.Shown()[0].text.contains("http://negozio.invalid")) << boxes.Shown()[0].text.toStdString();
    for (const CMessageBox::Request& box : boxes.Shown())
        EXPECT_FALSE(box.text.contains("Impossibile contattare il server.")) << "no request was tried";
    db.Close();
}

} // namespace
