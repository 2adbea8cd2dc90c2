#pragma once

#include <QString>
#include <QStringList>

// The layout of a project folder and the rules about it: which folders a
// new project gets, where its databases live, when a folder counts as a
// project, and how a new one is made from the installation.
//
// CTindaApp uses it through CProjectSession; direct use:
//   CProjectFolder::Check(folder)          -> Valid / Missing / NotAProject
//   CProjectFolder::CheckMessage(result)   -> the refusal to show (stop icon)
//   CProjectFolder::Create(project, install, &error)
// Paths are given without a trailing "/" or with one; both are accepted.
class CProjectFolder
{
public:
    enum CheckResult { Valid, Missing, NotAProject };

    // Folders of a new project, relative, in the order they are made.
    static const QStringList& Layout();

    // A folder is a project when it exists and has "db" and "website".
    static CheckResult Check(const QString& folder);
    // "Il progetto non esiste più ..." / "La cartella selezionata non ...";
    // empty for Valid.
    static QString CheckMessage(CheckResult result);

    // True when folder already holds a project (its database or its
    // project folders): a new project must not be made over it.
    static bool HoldsProject(const QString& folder);
    // The refusal shown then (stop icon).
    static QString ExistsMessage();

    // Makes the folder tree (results of the folder creation ignored, as an
    // existing empty folder is fine), copies the installation's reference
    // databases, every file of "template/system" into "website/asp" and
    // every file of "template/images" (the starting style sheet) into
    // "website/images".
    // False with error set when the folder holds a project already (its
    // files are left alone) or a database or template file can't be
    // copied: a project without its database is no project.
    static bool Create(const QString& projectFolder, const QString& installFolder, QString* error);

    // Copies every file (not the sub-folders) of from into to, overwriting.
    static bool CopyFolder(const QString& from, const QString& to, QString* error);

    // The notice shown once a new project is made.
    static QString CreatedNotice();

    // "Quintaro - [<last name of the folder>]".
    static QString Title(const QString& projectFolder);

    // The folder with exactly one trailing "/".
    static QString WithSlash(const QString& folder);
    static QString WithoutSlash(const QString& folder);

    static QString DatabasePath(const QString& projectFolder);       // db/database.mdb
    static QString GraphicDatabasePath(const QString& projectFolder);// db/progettografico.mdb
    static QString BackupPath(const QString& projectFolder);         // db/backup.mdb
    static QString TempDatabasePath(const QString& projectFolder);   // db/tempdb.mdb
    static QString LockPath(const QString& projectFolder);           // db/sync.lck
    // The installation's reference shop database, db/database.mdb.
    static QString ReferenceDatabasePath(const QString& installFolder);

private:
    static QString DbFile(const QString& folder, const QString& name);
};
