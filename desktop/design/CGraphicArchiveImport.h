#pragma once

#include "desktop/design/CGraphicProjectFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

class CZipContainer;
struct CZipEntryInfo;

// A graphic project's zip archive read into the project. Every entry is
// checked before anything is touched: the archive must hold "global.asa",
// and only bare file names are taken (a folder, "..", an absolute or a
// drive path refuses the whole archive), with "progettografico.mdb" the
// only database. The entries are extracted aside first and then take the
// place of the project's files in one set of renames, so an archive that
// fails at any step leaves the project as it was.
class CGraphicArchiveImport
{
public:
    explicit CGraphicArchiveImport(const QString& projectFolder);

    CGraphicProjectFiles::ImportResult Run(const QString& archivePath, QString* error);

    // Where an entry goes by its name's last four characters: "db" for
    // ".mdb", "website/asp" for ".asp" and ".asa", "website/images" else.
    static QString TargetFolder(const QString& name);
    // The same, unless the entry's comment names one of the site folders
    // (our export marks so a file its extension would misplace).
    static QString TargetFolder(const CZipEntryInfo& info);
    // "website/asp" and "website/images".
    static QStringList SiteFolders();
    // Why an entry cannot be imported; empty when it can.
    static QString Refusal(const CZipEntryInfo& info);

private:
    struct Planned
    {
        int index;
        QString folder;   // under the project
        QString name;     // the file's name there
    };

    bool Plan(const CZipContainer& zip, QList<Planned>* plan, QString* error) const;
    static bool Extract(CZipContainer& zip, const QList<Planned>& plan, const QString& staging, QString* error);
    bool Swap(const QList<Planned>& plan, const QString& staging, QString* error) const;
    QString ProjectPath(const QString& relative) const;

    QString m_strProjectFolder;
};
