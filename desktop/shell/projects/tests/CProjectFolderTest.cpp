#include "ProjectFixture.h"

#include "desktop/shell/projects/CProjectFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ProjectFolder, CreateMakesTheTreeAndCopiesTheInstallation)
{
    ProjectFixture fixture;
    const QString project = fixture.MakeProject(QStringLiteral("negozio"));
    for (const QString& folder : CProjectFolder::Layout())
        EXPECT_TRUE(QFileInfo(project + QLatin1Char('/') + folder).isDir()) << folder.toStdString();
    EXPECT_EQ(ReadAll(project + QStringLiteral("/db/database.mdb")),
              ReadAll(fixture.InstallFolder() + QStringLiteral("/db/database.mdb")));
    EXPECT_EQ(ReadAll(project + QStringLiteral("/db/progettografico.mdb")),
              ReadAll(fixture.InstallFolder() + QStringLiteral("/db/progettografico.mdb")));
    // The files of template/system, not its sub-folders.
    EXPECT_EQ(QDir(project + QStringLiteral("/website/asp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"default.asp", "global.asa"}));
    EXPECT_EQ(ReadAll(project + QStringLiteral("/website/asp/global.asa")), QByteArray("// global"));
    EXPECT_EQ(ReadAll(project + QStringLiteral("/website/images/modello.css")), QByteArray("body { }"));
    EXPECT_EQ(CProjectFolder::Check(project), CProjectFolder::Valid);
    // The merchant types the shop's host after a scheme that keeps the
    // site password off the wire.
    EXPECT_EQ(ProjectFixture::Scalar(project + QStringLiteral("/db/database.mdb"),
                                     QStringLiteral("SELECT URLSito FROM Configurazione"))
                  .toString(),
              QStringLiteral("https://"));
}

// A new project over an existing one would put the installation's pages
// and empty database in place of the merchant's: it is refused, and the
// project stays as it was.
TEST(ProjectFolder, CreateOverAnExistingProjectIsRefusedAndChangesNothing)
{
    ProjectFixture fixture;
    const QString project = fixture.MakeProject(QStringLiteral("negozio"));
    QFile asp(project + QStringLiteral("/website/asp/global.asa"));
    ASSERT_TRUE(asp.open(QIODevice::WriteOnly));
    asp.write("changed");
    asp.close();
    const QByteArray database = ReadAll(project + QStringLiteral("/db/database.mdb"));
    // Its database alone is enough to count as a project.
    const QString bare = fixture.ProjectPath(QStringLiteral("solo-db"));
    ASSERT_TRUE(QDir().mkpath(bare + QStringLiteral("/db")));
    ASSERT_TRUE(QFile::copy(project + QStringLiteral("/db/database.mdb"), bare + QStringLiteral("/db/database.mdb")));

    for (const QString& folder : {project, project + QLatin1Char('/'), bare}) {
        QString error;
        EXPECT_FALSE(CProjectFolder::Create(folder, fixture.InstallFolder(), &error)) << folder.toStdString();
        EXPECT_EQ(error, CProjectFolder::ExistsMessage());
    }
    EXPECT_EQ(ReadAll(project + QStringLiteral("/website/asp/global.asa")), QByteArray("changed"));
    EXPECT_EQ(ReadAll(project + QStringLiteral("/db/database.mdb")), database);
    EXPECT_FALSE(QFileInfo::exists(bare + QStringLiteral("/website")));
}

TEST(ProjectFolder, CreateWithoutReferenceDatabaseFails)
{
    ProjectFixture fixture;
    QFile::remove(fixture.InstallFolder() + QStringLiteral("/db/database.mdb"));
    QString error;
    EXPECT_FALSE(CProjectFolder::Create(fixture.ProjectPath(QStringLiteral("x")), fixture.InstallFolder(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("database.mdb"))) << error.toStdString();
}

TEST(ProjectFolder, CheckTellsMissingAndIncompleteFolders)
{
    TempFolder folder;
    EXPECT_EQ(CProjectFolder::Check(folder.FilePath(QStringLiteral("none"))), CProjectFolder::Missing);
    EXPECT_EQ(CProjectFolder::Check(QString()), CProjectFolder::Missing);
    QDir().mkpath(folder.FilePath(QStringLiteral("p/db")));
    EXPECT_EQ(CProjectFolder::Check(folder.FilePath(QStringLiteral("p"))), CProjectFolder::NotAProject);
    QDir().mkpath(folder.FilePath(QStringLiteral("p/website")));
    EXPECT_EQ(CProjectFolder::Check(folder.FilePath(QStringLiteral("p/"))), CProjectFolder::Valid);
    EXPECT_EQ(CProjectFolder::CheckMessage(CProjectFolder::Missing),
              QStringLiteral("Il progetto non esiste più nella cartella specificata."));
    EXPECT_EQ(CProjectFolder::CheckMessage(CProjectFolder::NotAProject),
              QStringLiteral("La cartella selezionata non contiene un progetto valido."));
}

TEST(ProjectFolder, TitleAndPaths)
{
    EXPECT_EQ(CProjectFolder::Title(QStringLiteral("/home/u/progetti/negozio")), QStringLiteral("Quintaro - [negozio]"));
    EXPECT_EQ(CProjectFolder::Title(QStringLiteral("/home/u/progetti/negozio/")), QStringLiteral("Quintaro - [negozio]"));
    EXPECT_EQ(CProjectFolder::WithSlash(QStringLiteral("/a/b//")), QStringLiteral("/a/b/"));
    EXPECT_EQ(CProjectFolder::WithSlash(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(CProjectFolder::DatabasePath(QStringLiteral("/a/b")), QStringLiteral("/a/b/db/database.mdb"));
    EXPECT_EQ(CProjectFolder::LockPath(QStringLiteral("/a/b/")), QStringLiteral("/a/b/db/sync.lck"));
}

} // namespace
