#pragma once

#include <QList>
#include <QString>

class CZipContainer;

// The graphic project written as a zip archive: the graphic database
// (unless it is a preview), then every file of website/asp and of
// website/images under its bare name. An archive is read back by the
// names' extensions (CGraphicArchiveImport); a file that its extension
// would send to the other folder (a style sheet or an include among the
// pages) carries its folder in the entry's comment, which the import
// reads first, so the archive gives back the project it was made from.
class CGraphicArchiveExport
{
public:
    explicit CGraphicArchiveExport(const QString& projectFolder);

    bool Run(const QString& archivePath, bool withDatabase, QString* error);

private:
    struct Listed
    {
        QString path;
        QString mark;   // the entry's comment: empty, or the folder
    };

    bool List(bool withDatabase, QList<Listed>* files, QString* error) const;
    static bool Add(CZipContainer& zip, const Listed& file);
    QString ProjectPath(const QString& relative) const;

    QString m_strProjectFolder;
};
