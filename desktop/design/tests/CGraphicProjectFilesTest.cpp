#include "desktop/design/CGraphicProjectFiles.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>

namespace {

using Result = CGraphicProjectFiles::ImportResult;

// What the graphic database starts with: the import checks the header.
const QByteArray kDatabase = QByteArray("SQLite format 3", 16) + QByteArray("grafica", 7);
const QByteArray kEmptyDatabase = QByteArray("SQLite format 3", 16) + QByteArray("vuota", 5);

struct ToolRun
{
    int exitCode = -1;
    QString output;
};

ToolRun Program(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

ToolRun Python(const QString& script, const QStringList& arguments = {})
{
    return Program(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + arguments);
}

// The installation's part the commands read, and a project with pages,
// images and the pictures the catalogue keeps in subfolders of images.
class GraphicProjectFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        install.WriteFile("db/progettografico.mdb", kEmptyDatabase);
        install.WriteFile("template/system/default.asp", "<% // home del modello %>");
        install.WriteFile("template/system/global.asa", "// global del modello");
        install.WriteFile("template/system/carrello.asp", "carrello del modello");
        install.WriteFile("template/images/modello.css", "/* colori del modello */");
        project.WriteFile("db/database.mdb", "il database del negozio");
        project.WriteFile("db/progettografico.mdb", kDatabase);
        project.WriteFile("website/asp/default.asp", "home generata");
        project.WriteFile("website/asp/global.asa", "global del progetto");
        project.WriteFile("website/asp/prodotto.asp", "pagina prodotto");
        project.WriteFile("website/asp/testa.inc", "<!-- testa delle pagine -->");
        project.WriteFile("website/images/stile.css", "body{color:red}");
        project.WriteFile("website/images/logo.gif", "GIF89a");
        project.WriteFile("website/images/it/titolo.gif", "GIF89a titolo");
        project.WriteFile("website/images/prodotti/7.jpg", "foto prodotto");
        project.WriteFile("website/lastupd.qtr", "stato");
    }

    CGraphicProjectFiles Files() const { return CGraphicProjectFiles(install.Path() + "/", project.Path() + "/"); }

    // Every file of the project with its content.
    QMap<QString, QByteArray> Snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(project.Path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            files.insert(QDir(project.Path()).relativeFilePath(path), file.readAll());
        }
        return files;
    }

    QStringList Entries(const QString& archive) const
    {
        const ToolRun run = Python("import sys,zipfile\n"
                               "z=zipfile.ZipFile(sys.argv[1])\n"
                               "assert z.testzip() is None\n"
                               "print('\\n'.join(sorted(z.namelist())))\n",
                               {archive});
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        return run.output.split('\n', Qt::SkipEmptyParts);
    }

    // An archive written by Python's zipfile: name=content pairs; a name
    // may carry "|stored" to be written without compression, and
    // "#comment" for the entry's comment.
    QString Foreign(const QString& fileName, const QList<QPair<QString, QByteArray>>& entries) const
    {
        QStringList arguments{outside.FilePath(fileName)};
        for (const auto& [name, content] : entries)
            arguments << name << QString::fromLatin1(content.toHex());
        const ToolRun run = Python("import sys,zipfile\n"
                               "with zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED) as z:\n"
                               "  a=sys.argv[2:]\n"
                               "  for i in range(0,len(a),2):\n"
                               "    n=a[i]; m=zipfile.ZIP_DEFLATED; c=''\n"
                               "    if n.endswith('|stored'): n=n[:-7]; m=zipfile.ZIP_STORED\n"
                               "    if '#' in n: n,c=n.split('#',1)\n"
                               "    e=zipfile.ZipInfo(n,(2024,5,6,7,8,10)); e.comment=c.encode()\n"
                               "    z.writestr(e,bytes.fromhex(a[i+1]),m)\n",
                               arguments);
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        return outside.FilePath(fileName);
    }

    TempFolder install;
    TempFolder project;
    TempFolder outside;
};

TEST_F(GraphicProjectFiles, NuovoEmptiesThePagesAndImagesButNotTheirSubfoldersAndCopiesTheStart)
{
    QString error;
    ASSERT_TRUE(Files().ResetProjectFiles(&error)) << error.toStdString();

    EXPECT_EQ(project.ReadFile("db/progettografico.mdb"), kEmptyDatabase);
    EXPECT_EQ(project.ReadFile("db/database.mdb"), "il database del negozio");
    EXPECT_EQ(QDir(project.FilePath("website/asp")).entryList(QDir::Files),
              QStringList({"carrello.asp", "default.asp", "global.asa"}));
    EXPECT_EQ(project.ReadFile("website/asp/default.asp"), "<% // home del modello %>");
    // The starting pages link the starting style sheet: without it the
    // merchant's colours would be missing until the first style edit.
    EXPECT_EQ(QDir(project.FilePath("website/images")).entryList(QDir::Files), QStringList({"modello.css"}));
    EXPECT_EQ(project.ReadFile("website/images/modello.css"), "/* colori del modello */");
    EXPECT_TRUE(project.Exists("website/images/it/titolo.gif"));
    EXPECT_TRUE(project.Exists("website/images/prodotti/7.jpg"));
    EXPECT_TRUE(project.Exists("website/lastupd.qtr"));
}

TEST_F(GraphicProjectFiles, NuovoWithoutTheInstallationsEmptyProjectChangesNothing)
{
    QFile::remove(install.FilePath("db/progettografico.mdb"));
    const auto before = Snapshot();
    QString error;
    EXPECT_FALSE(Files().ResetProjectFiles(&error));
    EXPECT_TRUE(error.contains("progettografico.mdb")) << error.toStdString();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(GraphicProjectFiles, TheFullRegenerationsStartLeavesDefaultAspAsGenerated)
{
    QString error;
    ASSERT_TRUE(Files().CopySystemPages(&error)) << error.toStdString();
    EXPECT_EQ(project.ReadFile("website/asp/default.asp"), "home generata");
    EXPECT_EQ(project.ReadFile("website/asp/global.asa"), "// global del modello");
    EXPECT_EQ(project.ReadFile("website/asp/carrello.asp"), "carrello del modello");
    EXPECT_EQ(project.ReadFile("website/asp/prodotto.asp"), "pagina prodotto");
}

// A starting page already the same keeps its file time, so the template
// upload after a full regeneration sends only what really changed.
TEST_F(GraphicProjectFiles, AStartingPageAlreadyTheSameIsNotWrittenAgain)
{
    QString error;
    ASSERT_TRUE(Files().CopySystemPages(&error)) << error.toStdString();
    const QString same = project.FilePath("website/asp/global.asa");
    const QString changed = project.FilePath("website/asp/carrello.asp");
    project.WriteFile("website/asp/carrello.asp", "carrello cambiato a mano");
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString& path : {same, changed}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }

    ASSERT_TRUE(Files().CopySystemPages(&error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(same).lastModified(), old);
    EXPECT_EQ(project.ReadFile("website/asp/carrello.asp"), "carrello del modello");
    EXPECT_GT(QFileInfo(changed).lastModified(), old);
}

TEST_F(GraphicProjectFiles, TheProposedNameIsPgAndTheProjectFoldersName)
{
    const CGraphicProjectFiles files(install.Path() + "/", "/home/anna/negozi/Lago Blu/");
    EXPECT_EQ(files.ProposedArchiveName(), "pgLago Blu.zip");
}

TEST_F(GraphicProjectFiles, AnExportIsReadByZipfileAndUnzipAndComesBackWhole)
{
    const QString archive = outside.FilePath("pgprogetto.zip");
    QString error;
    ASSERT_TRUE(Files().ExportProject(archive, false, &error)) << error.toStdString();

    EXPECT_EQ(Entries(archive), QStringList({"default.asp", "global.asa", "logo.gif", "prodotto.asp",
                                             "progettografico.mdb", "stile.css", "testa.inc"}));
    // The include among the pages says where it goes; the rest go by name.
    const ToolRun comments = Python("import sys,zipfile\n"
                                    "for i in zipfile.ZipFile(sys.argv[1]).infolist():\n"
                                    "  if i.comment: print(i.filename, i.comment.decode())\n",
                                    {archive});
    EXPECT_EQ(comments.output.trimmed(), "testa.inc website/asp");
    const ToolRun unzip = Program("unzip", {"-t", archive});
    EXPECT_EQ(unzip.exitCode, 0) << unzip.output.toStdString();
    const ToolRun deflated = Python("import sys,zipfile\n"
                                "print(set(i.compress_type for i in zipfile.ZipFile(sys.argv[1]).infolist()))",
                                {archive});
    EXPECT_EQ(deflated.output.trimmed(), "{8}");

    const auto exported = Snapshot();
    project.WriteFile("website/asp/default.asp", "cambiata dopo");
    project.WriteFile("website/images/nuova.gif", "in più");
    QFile::remove(project.FilePath("db/progettografico.mdb"));
    ASSERT_EQ(Files().ImportProject(archive, &error), Result::WithDatabase) << error.toStdString();
    EXPECT_EQ(Snapshot(), exported);
}

// The archive holds bare names: a file in both folders could not come back.
TEST_F(GraphicProjectFiles, ANameInBothFoldersRefusesTheExport)
{
    project.WriteFile("website/asp/stile.css", "il foglio delle pagine");
    const QString archive = outside.FilePath("pgprogetto.zip");
    QString error;
    EXPECT_FALSE(Files().ExportProject(archive, false, &error));
    EXPECT_TRUE(error.contains("stile.css")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(archive));
}

TEST_F(GraphicProjectFiles, ExportingTwiceToOneNameReplacesTheArchive)
{
    const QString archive = outside.FilePath("pgprogetto.zip");
    QString error;
    ASSERT_TRUE(Files().ExportProject(archive, false, &error)) << error.toStdString();
    QFile::remove(project.FilePath("website/images/logo.gif"));
    ASSERT_TRUE(Files().ExportProject(archive, false, &error)) << error.toStdString();
    EXPECT_FALSE(Entries(archive).contains("logo.gif"));

    // Saved among the images, twice: the older one is not archived.
    const QString inside = project.FilePath("website/images/copia.zip");
    ASSERT_TRUE(Files().ExportProject(inside, true, &error)) << error.toStdString();
    ASSERT_TRUE(Files().ExportProject(inside, true, &error)) << error.toStdString();
    EXPECT_FALSE(Entries(inside).contains("copia.zip"));
}

TEST_F(GraphicProjectFiles, APreviewHasNoDatabaseAndImportingItLeavesNone)
{
    const QString archive = outside.FilePath("anteprima.zip");
    QString error;
    ASSERT_TRUE(Files().ExportProject(archive, true, &error)) << error.toStdString();
    EXPECT_FALSE(Entries(archive).contains("progettografico.mdb"));

    ASSERT_EQ(Files().ImportProject(archive, &error), Result::SiteOnly) << error.toStdString();
    EXPECT_FALSE(Files().HasGraphicProject());
    EXPECT_EQ(project.ReadFile("website/asp/default.asp"), "home generata");
    EXPECT_EQ(project.ReadFile("db/database.mdb"), "il database del negozio");
}

TEST_F(GraphicProjectFiles, NamesGoOutInUtf8WithTheFlagSet)
{
    project.WriteFile("website/images/perché.gif", "accento");
    const QString archive = outside.FilePath("pgprogetto.zip");
    QString error;
    ASSERT_TRUE(Files().ExportProject(archive, true, &error)) << error.toStdString();
    const ToolRun run = Python("import sys,zipfile\n"
                           "for i in zipfile.ZipFile(sys.argv[1]).infolist():\n"
                           "  if not i.filename.isascii(): print(i.filename, i.flag_bits & 0x800)\n",
                           {archive});
    EXPECT_EQ(run.output.trimmed(), "perché.gif 2048") << run.output.toStdString();
}

// Made by another program: a name in capitals, stored and deflated
// entries, a UTF-8 name with the flag and a CP437 name without it; a
// comment naming a site folder places its entry, any other is no path.
TEST_F(GraphicProjectFiles, AnArchiveMadeElsewhereGoesWhereItsExtensionsSay)
{
    QString archive = Foreign("altrove.zip", {{"GLOBAL.ASA", "global altrove"},
                                              {"default.asp|stored", "home altrove"},
                                              {"Stile.CSS", "p{}"},
                                              {"ProgettoGrafico.MDB", kDatabase + "altrove"},
                                              {"perché.gif", "utf8"},
                                              {"caffX.gif", "cp437"},
                                              {"piede.inc#website/asp", "piede"},
                                              {"fuori.css#../..", "per nome"}});
    // The last name as an old program writes it: CP437, no flag.
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll().replace("caffX.gif", "caff\x82.gif");
    file.seek(0);
    file.write(bytes);
    file.close();

    QString error;
    ASSERT_EQ(Files().ImportProject(archive, &error), Result::WithDatabase) << error.toStdString();
    QStringList pages = QDir(project.FilePath("website/asp")).entryList(QDir::Files);
    pages.sort();
    EXPECT_EQ(pages, QStringList({"GLOBAL.ASA", "default.asp", "piede.inc"}));
    EXPECT_EQ(project.ReadFile("website/asp/default.asp"), "home altrove");
    EXPECT_EQ(project.ReadFile("db/progettografico.mdb"), kDatabase + "altrove");
    QStringList images = QDir(project.FilePath("website/images")).entryList(QDir::Files);
    images.sort();
    EXPECT_EQ(images, QStringList({"Stile.CSS", "caffé.gif", "fuori.css", "perché.gif"}));
    EXPECT_TRUE(project.Exists("website/images/prodotti/7.jpg"));
}

TEST_F(GraphicProjectFiles, AnArchiveWithoutGlobalAsaIsRefusedAndChangesNothing)
{
    const QString archive = Foreign("foto.zip", {{"default.asp", "x"}, {"logo.gif", "y"}});
    const auto before = Snapshot();
    QString error;
    EXPECT_EQ(Files().ImportProject(archive, &error), Result::Refused);
    EXPECT_EQ(error, "Il file selezionato non contiene un progetto grafico.");
    EXPECT_EQ(Snapshot(), before);

    outside.WriteFile("nonzip.zip", "non sono un archivio");
    EXPECT_EQ(Files().ImportProject(outside.FilePath("nonzip.zip"), &error), Result::Refused);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Snapshot(), before);
}

// Each hostile name stands last, behind good entries, so a check made
// while extracting would already have deleted the project's files.
TEST_F(GraphicProjectFiles, AHostileNameRefusesTheWholeArchiveBeforeAnythingIsTouched)
{
    const QStringList hostile{"../fuori.asp",        "../../etc/fuori.gif", "/tmp/assoluto.asp", "C:fuori.asp",
                              "c:\\windows\\x.gif", "..\\fuori.asp",       "sotto/pagina.asp",  "cartella/",
                              "..",                 "database.mdb"};
    for (const QString& name : hostile) {
        SCOPED_TRACE(name.toStdString());
        const QString archive =
            Foreign("ostile.zip", {{"global.asa", "g"}, {"default.asp", "h"}, {"logo.gif", "l"}, {name, "ostile"}});
        const auto before = Snapshot();
        QString error;
        EXPECT_EQ(Files().ImportProject(archive, &error), Result::Refused);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.endsWith("Il progetto grafico non è stato cambiato.")) << error.toStdString();
        EXPECT_EQ(Snapshot(), before);
        EXPECT_FALSE(QFileInfo::exists(project.FilePath("fuori.asp")));
        EXPECT_FALSE(QFileInfo::exists(project.FilePath("website/fuori.asp")));
        EXPECT_FALSE(QFileInfo::exists("/tmp/assoluto.asp"));
    }
}

// An entry whose data is damaged fails while extracting, after the good
// ones: the project keeps every file it had.
TEST_F(GraphicProjectFiles, AnImportThatFailsHalfWayLeavesTheProjectsFiles)
{
    QString archive = Foreign("danneggiato.zip", {{"global.asa|stored", "global nuovo"},
                                                  {"default.asp|stored", "home nuova"},
                                                  {"progettografico.mdb|stored", kDatabase + "nuova"},
                                                  {"zzz.gif|stored", "DATI-DA-ROVINARE"}});
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll().replace("DATI-DA-ROVINARE", "DATI-DA-ROVINATI");
    file.seek(0);
    file.write(bytes);
    file.close();

    const auto before = Snapshot();
    QString error;
    EXPECT_EQ(Files().ImportProject(archive, &error), Result::Refused);
    EXPECT_TRUE(error.contains("zzz.gif")) << error.toStdString();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(QDir(project.Path()).entryList({".importazione-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

TEST_F(GraphicProjectFiles, ADatabaseEntryThatIsNoDatabaseIsRefused)
{
    const QString archive = Foreign("finto.zip", {{"global.asa", "g"}, {"progettografico.mdb", "non un database"}});
    const auto before = Snapshot();
    QString error;
    EXPECT_EQ(Files().ImportProject(archive, &error), Result::Refused);
    EXPECT_EQ(Snapshot(), before);
}

} // namespace
