#include "exchange/COrderDownload.h"
#include "exchange/CSiteAddress.h"
#include "exchange/CSiteUpload.h"
#include "exchange/IExchangeProgress.h"
#include "exchange/QtrUpdDatiState.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/QtPrinters.h"
#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

struct AddressCase
{
    const char* name;
    const char* address;
    bool plainRemote;
};

void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }

class SiteAddress : public testing::TestWithParam<AddressCase>
{
};

TEST_P(SiteAddress, PlainHttpToAnotherMachineIsTold)
{
    EXPECT_EQ(CSiteAddress::IsPlainRemote(GetParam().address), GetParam().plainRemote);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SiteAddress,
    testing::Values(AddressCase{"BareHost", "www.negozio.example", true},
                    AddressCase{"HttpHost", "http://www.negozio.example", true},
                    AddressCase{"HttpAddress", "http://192.168.1.20", true},
                    AddressCase{"HttpsHost", "https://www.negozio.example", false},
                    AddressCase{"HttpsUpperCase", "HTTPS://www.negozio.example", false},
                    // This machine: nothing crosses a network.
                    AddressCase{"Loopback", "127.0.0.1", false},
                    AddressCase{"LoopbackRange", "http://127.0.0.5", false},
                    AddressCase{"LoopbackName", "http://localhost", false},
                    AddressCase{"LoopbackV6", "http://[::1]", false},
                    AddressCase{"NotYetTyped", "", false}),
    [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

// A sink that records what the job says and answers its questions.
class AnsweringSink : public IExchangeProgress
{
public:
    explicit AnsweringSink(bool answer) : m_answer(answer) {}

    void Update(UpdateCommand, qint64, const QString&) override {}
    void Download(DownloadCommand, qint64, const QString&) override {}
    void Import(ImportCommand, qint64, const QString&) override {}
    void TransferRange(qint64) override {}
    void TransferPos(qint64) override {}
    void Message(const QString&, const QString& text, Icon) override { messages << text; }
    bool Ask(const QString&, const QString& text) override
    {
        questions << text;
        return m_answer;
    }

    QStringList messages;
    QStringList questions;

private:
    bool m_answer;
};

// A project whose shop is at a plain http address of another machine
// (".invalid": no request could reach it anyway).
class PlainAddress : public testing::Test
{
protected:
    void SetUp() override
    {
        db.Open(project.Database());
        db.Execute("UPDATE Configurazione SET URLSito='http://negozio.invalid', CodiceUtente='negozio', Password=?",
                   {Encrypt("segreta")});
        PasswordUpd.clear();
        PasswordDwn.clear();
    }
    void TearDown() override { db.Close(); }

    QString Log(const char* name) const
    {
        QFile log(project.Folder() + "/" + name);
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    ExchangeProject project;
    CDaoDatabase db;
};

TEST_F(PlainAddress, TheUploadAsksFirstAndANoSendsNothing)
{
    AnsweringSink no(false);
    CSiteUpload upload;
    upload.InitVar(&no, project.Folder(), &db);
    ASSERT_EQ(upload.Init(), 1);
    const int flagged = project.Value("SELECT COUNT(*) FROM Lingue WHERE Modificato=1").toInt();
    upload.Start();
    EXPECT_EQ(upload.LastResult(), CSiteUpload::Result::Cancelled);
    ASSERT_EQ(no.questions.size(), 1);
    EXPECT_TRUE(no.questions[0].contains("http://negozio.invalid")) << no.questions[0].toStdString();
    EXPECT_FALSE(no.messages.join('\n').contains("Impossibile contattare il server.")) << "no request was tried";
    EXPECT_EQ(project.Value("SELECT COUNT(*) FROM Lingue WHERE Modificato=1").toInt(), flagged);
}

TEST_F(PlainAddress, WithNoOneToAskTheJobsRefuseAndSayWhy)
{
    CSiteUpload upload;
    upload.InitVar(nullptr, project.Folder(), &db);
    ASSERT_EQ(upload.Init(), 1);
    upload.Start();
    EXPECT_EQ(upload.LastResult(), CSiteUpload::Result::Failed);
    EXPECT_TRUE(Log("qtrupd.log").contains("non è protetto")) << Log("qtrupd.log").toStdString();
    EXPECT_FALSE(Log("qtrupd.log").contains("Impossibile contattare il server."));

    COrderDownload download;
    download.InitVarDwLoad(nullptr, project.Folder(), &db);
    download.StartDwLoad();
    EXPECT_EQ(download.LastResult(), COrderDownload::Result::Failed);
    EXPECT_TRUE(Log("qtrdwn.log").contains("non è protetto")) << Log("qtrdwn.log").toStdString();
    EXPECT_FALSE(QFile::exists(project.Folder() + "/db/tempdb.mdb"));
}

} // namespace
