#include "CdShop.h"
#include "desktop/publishing/cdrom/CCDRomView.h"
#include "desktop/publishing/cdrom/CCDRomViewCore.h"
#include "desktop/publishing/cdrom/CCdImageBuilder.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QSqlQuery>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The shop of CdShop as a project with its site, pictures and the files a
// project's db folder gathers, beside an installation with the viewer's
// skeleton.
class CdProject : public CdShop
{
public:
    CdProject()
    {
        Temp().WriteFile("install/cdviewer/install/qtrviewer", "viewer");
        Temp().WriteFile("install/cdviewer/leggimi.txt", "CD");
        for (const char* file : {"db/tempdb.mdb", "db/backup.mdb", "db/progettografico.mdb", "db/sync.lck",
                                 "logoinstall.bmp", "website/asp/default.asp", "website/images/prodotti/100.jpg",
                                 "website/images/prodotti/101.jpg", "website/images/demo/esempio.gif"})
            Temp().WriteFile(QStringLiteral("negozio/") + file, "x");
        Row("Lingue", {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}});
        Row("Lingue", {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "English"}, {"Attivo", 1}});
        Row("Lingue", {{"ID", 3}, {"Codice", "de"}, {"Descrizione", "Deutsch"}, {"Attivo", 0}});
        Row("Dizionario", {{"ID", 1}, {"Codice", "CDMSGBENVENUTO"}});
        Row("Dizionario", {{"ID", 2}, {"Codice", "CDPMTTOTORDINE"}});
        Row("DizionarioLingue", {{"ID", 1}, {"CodiceLingua", "it"}, {"IDCodice", 1}, {"Testo", Encrypt("Benvenuto\r\nnel catalogo")}});
        Row("DizionarioLingue", {{"ID", 2}, {"CodiceLingua", "it"}, {"IDCodice", 2}, {"Testo", Encrypt("Totale ordine")}});
        Row("DizionarioLingue", {{"ID", 3}, {"CodiceLingua", "en"}, {"IDCodice", 2}, {"Testo", Encrypt("Order total")}});
    }

    CCdImageBuilder::Request Request(qint32 customer, const QString& userId)
    {
        CCdImageBuilder::Request request;
        request.projectFolder = Folder();
        request.installFolder = Temp().FilePath("install");
        request.customerId = customer;
        request.customerUserId = userId;
        request.defaultLanguage = "it";
        return request;
    }

    static QString Encrypt(const QString& text);
};

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QString CdProject::Encrypt(const QString& text)
{
    return ::Encrypt(text);
}

} // namespace

TEST(CdImage, HoldsTheSiteAndOnlyThePrunedDatabase)
{
    CdProject project;
    RecordingProgress progress;
    CCdImageBuilder builder(project.Request(10, "rossi"));
    ASSERT_EQ(builder.Run(progress), CCdImageBuilder::Done) << builder.Error().toStdString();
    const QString image = project.Folder() + "cdromimages/rossi.10";
    EXPECT_EQ(builder.ImageFolder(), image);
    EXPECT_EQ(FilesUnder(image), QStringList({"credenziale.txt", "install/qtrviewer", "install/website/db/database.mdb",
                                              "install/website/default.asp", "install/website/images/prodotti/100.jpg",
                                              "leggimi.txt", "logoinstall.bmp", "mess.txt"}));
    // The pruning's cascade removed product 101's picture from the image
    // only; the project keeps its pictures and its database.
    EXPECT_TRUE(QFile::exists(project.Folder() + "website/images/prodotti/101.jpg"));
    EXPECT_EQ(project.Ids("Prodotti").size(), 5);

    // The credential of the customer's offline synchronisation: on the CD
    // in clear, in the project as its digest, marked for the site update;
    // the CD's database holds no digest at all.
    QFile credential(image + "/credenziale.txt");
    ASSERT_TRUE(credential.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = credential.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "IDUtente=10\r");
    const QByteArray secret = lines[1].mid(QByteArray("Credenziale=").size()).trimmed();
    EXPECT_GE(secret.size(), 16);
    EXPECT_EQ(project.Value("SELECT Impronta FROM CredenzialiCD WHERE IDCliente=10 AND Modificato=1").toString(),
              QString::fromLatin1(QCryptographicHash::hash(secret, QCryptographicHash::Sha256).toHex()));
    EXPECT_TRUE(QFile::exists(project.Folder() + "upd.qtr"));
    {
        CDaoDatabase copy;
        copy.Open(image + "/install/website/db/database.mdb");
        QSqlQuery count(copy.Connection());
        ASSERT_TRUE(count.exec("SELECT COUNT(*) FROM CredenzialiCD") && count.next());
        EXPECT_EQ(count.value(0).toInt(), 0);
        copy.Close();
    }

    QFile iso(image + ".iso");
    ASSERT_TRUE(iso.open(QIODevice::ReadOnly));
    iso.seek(32769);
    EXPECT_EQ(iso.read(5), "CD001");
}

TEST(CdImage, MessagesFileHasOneBlockOf59LinesPerActiveLanguage)
{
    CdProject project;
    RecordingProgress progress;
    CCdImageBuilder builder(project.Request(0, ""));
    ASSERT_EQ(builder.Run(progress), CCdImageBuilder::Done) << builder.Error().toStdString();
    QFile file(project.Folder() + "cdromimages/Anonimo.0/mess.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 119) << "118 lines, each ended by CR LF";
    EXPECT_TRUE(text.endsWith("\r\n"));
    EXPECT_EQ(lines[0], "Italiano\r");
    EXPECT_EQ(lines[1], "\r") << "no text in either language: the line keeps its place";
    EXPECT_EQ(lines[2], "Benvenuto###nel catalogo\r");
    EXPECT_EQ(lines[58], "Totale ordine\r");
    EXPECT_EQ(lines[59], "English\r");
    EXPECT_EQ(lines[61], "Benvenuto###nel catalogo\r") << "the default language fills in";
    EXPECT_EQ(lines[117], "Order total\r");
}

TEST(CdImage, ARebuildReplacesTheImageWholeAndAFailedStepKeepsTheOldOne)
{
    CdProject project;
    RecordingProgress progress;
    const QString image = project.Folder() + "cdromimages/bianchi.20";
    ASSERT_EQ(CCdImageBuilder(project.Request(20, "bianchi")).Run(progress), CCdImageBuilder::Done);
    project.Temp().WriteFile("negozio/cdromimages/bianchi.20/vecchio.txt", "old");
    ASSERT_EQ(CCdImageBuilder(project.Request(20, "bianchi")).Run(progress), CCdImageBuilder::Done);
    EXPECT_FALSE(QFile::exists(image + "/vecchio.txt"));

    // A stop leaves the image as it was and no scratch folder beside it.
    project.Temp().WriteFile("negozio/cdromimages/bianchi.20/vecchio.txt", "old");
    CCdImageBuilder stopped(project.Request(20, "bianchi"));
    stopped.RequestStop();
    EXPECT_EQ(stopped.Run(progress), CCdImageBuilder::Cancelled);
    EXPECT_TRUE(QFile::exists(image + "/vecchio.txt"));
    EXPECT_EQ(QDir(project.Folder() + "cdromimages").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"bianchi.20"}));

    // Without the ISO tool the folder is there and the failure says why.
    CCdImageBuilder::Request request = project.Request(20, "bianchi");
    request.isoTool = "strumento-iso-mancante";
    CCdImageBuilder noIso(request);
    EXPECT_EQ(noIso.Run(progress), CCdImageBuilder::Failed);
    EXPECT_TRUE(noIso.Error().contains("strumento-iso-mancante")) << noIso.Error().toStdString();
    EXPECT_TRUE(QFile::exists(image + "/mess.txt"));
}

TEST(CdImage, DemoCdRunsTheConfiguredViewerOrIsNotOffered)
{
    TempFolder settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
    CdProject project;
    CCDRomViewCore core(project.Db(), project.Folder(), project.Temp().FilePath("install"));
    const CCDRomViewCore::Customer rossi = core.Customers(0).value(1);
    ASSERT_EQ(rossi.text, "Rossi srl, Rossi, rossi");
    CCDRomViewCore::SetViewerCommand("");
    EXPECT_FALSE(core.DemoOffered());
    EXPECT_FALSE(core.LaunchViewer(rossi));

    CCDRomViewCore::SetViewerCommand("sh -c \"pwd > avviato.txt\"");
    EXPECT_TRUE(core.DemoOffered());
    EXPECT_FALSE(core.DemoEnabled(rossi)) << "no image yet";
    RecordingProgress progress;
    ASSERT_EQ(CCdImageBuilder(core.MakeRequest(rossi, {}, "it")).Run(progress), CCdImageBuilder::Done);
    EXPECT_TRUE(core.DemoEnabled(rossi));
    ASSERT_TRUE(core.LaunchViewer(rossi));
    const QString ran = core.ImageFolder(rossi) + "/install/avviato.txt";
    for (int i = 0; i < 100 && !QFile::exists(ran); ++i)
        QTest::qWait(50);
    EXPECT_TRUE(QFile::exists(ran));
    CCDRomViewCore::SetViewerCommand("");
}

TEST(CdImage, TheViewBuildsForTheChosenCustomerAndOffersOrdersExceptToAgents)
{
    TempFolder settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
    CMessageBoxScript boxes;
    CdProject project;
    CCDRomView view(project.Db(), project.Folder(), project.Temp().FilePath("install"));
    view.resize(600, 400);
    view.show();
    EXPECT_FALSE(view.DemoButton()->isVisible()) << "no viewer configured";
    view.KindCombo()->setCurrentIndex(3);
    EXPECT_FALSE(view.OrdersButton()->isEnabled());
    view.KindCombo()->setCurrentIndex(1);
    EXPECT_TRUE(view.OrdersButton()->isEnabled());
    ASSERT_EQ(view.CustomerList()->count(), 2);
    EXPECT_EQ(view.CustomerList()->item(0)->text(), "Utente Anonimo");
    EXPECT_EQ(view.CustomerList()->item(1)->text(), "Bianchi Anna, bianchi");
    view.CustomerList()->setCurrentRow(1);
    if (const QByteArray shot = qgetenv("QTR_CDROM_SHOT"); !shot.isEmpty())
        view.grab().save(QString::fromLocal8Bit(shot));
    view.BuildImage();
    EXPECT_EQ(boxes.LastText(), "Operazione effettuata con successo.");
    EXPECT_TRUE(QFile::exists(project.Folder() + "cdromimages/bianchi.20/install/website/db/database.mdb"));
    EXPECT_TRUE(view.BuildButton()->isEnabled());
}
