#include "server/demo/DemoShopMaker.h"

#include "platform/dao/CDaoDatabase.h"
#include "server/demo/DemoShopContenuti.h"
#include "server/demo/DemoShopData.h"
#include "server/demo/DemoShopPictures.h"
#include "server/demo/DemoShopWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

[[noreturn]] void Fail(const QString& what) { throw DemoDataError(what.toStdString()); }

} // namespace

DemoShopMaker::Sources DemoShopMaker::Installed(const QString& programFolder)
{
    const QDir dir(programFolder);
    return {dir.filePath(QStringLiteral("demo/demoshop.txt")), dir.filePath(QStringLiteral("db/database.mdb")),
            dir.filePath(QStringLiteral("template/system")), dir.filePath(QStringLiteral("template/images"))};
}

void DemoShopMaker::CopyFolder(const QString& from, const QString& to)
{
    if (!QFileInfo(from).isDir())
        Fail(QStringLiteral("cartella mancante: ") + from);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target))
            Fail(QStringLiteral("impossibile copiare ") + file);
    }
}

void DemoShopMaker::Make(const Sources& sources, const QString& shopFolder)
{
    const DemoShopData data = DemoShopData::Read(sources.data);
    const QString target = QFileInfo(shopFolder).absoluteFilePath();
    const QString partial = target + QStringLiteral(".part");
    QDir(partial).removeRecursively();
    try {
        CopyFolder(sources.pages, partial);
        // The pages link the style sheet made from the graphic project,
        // which a site keeps among its pictures.
        CopyFolder(sources.pictures, QDir(partial).filePath(QStringLiteral("images")));
        const QString database = QDir(partial).filePath(QStringLiteral("db/database.mdb"));
        QDir().mkpath(QFileInfo(database).absolutePath());
        if (!QFile::copy(sources.referenceDatabase, database))
            Fail(QStringLiteral("impossibile copiare il database di riferimento ") + sources.referenceDatabase);
        QFile::setPermissions(database, QFile::permissions(database) | QFile::WriteOwner);
        QStringList languages;
        {
            CDaoDatabase db;
            db.Open(database);
            DemoShopWriter writer(db, data);
            writer.Write();
            languages = writer.Languages();
            db.Close();
        }
        DemoShopPictures(partial, data, languages).Write();
        DemoShopContenuti::WriteFiles(data, partial);
    } catch (...) {
        QDir(partial).removeRecursively();
        throw;
    }
    QDir(target).removeRecursively();
    if (!QDir().rename(partial, target))
        Fail(QStringLiteral("impossibile rinominare ") + partial + QStringLiteral(" in ") + target);
}
