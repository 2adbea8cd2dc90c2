#pragma once

#include <QString>
#include <QStringList>

// The files of the graphic project as a whole: a new project from the
// installation's empty one, the project's zip archive in and out, and the
// starting pages copied before a full regeneration. The caller closes the
// graphic database before any of these and opens it again afterwards.
class CGraphicProjectFiles
{
public:
    enum class ImportResult { Refused, SiteOnly, WithDatabase };

    // Folders end with "/".
    CGraphicProjectFiles(const QString& installFolder, const QString& projectFolder);

    // <project>/db/progettografico.mdb exists.
    bool HasGraphicProject() const;
    // "Nuovo": empties website/asp and website/images, copies the empty
    // graphic database, the starting pages of template/system and the
    // style sheet and pictures of template/images they link.
    bool ResetProjectFiles(QString* error);
    // Before "Rigenera intero progetto": the starting pages, all but
    // default.asp.
    bool CopySystemPages(QString* error);
    // Refused (with "Il file selezionato non contiene un progetto grafico.")
    // leaves the project as it was.
    ImportResult ImportProject(const QString& archivePath, QString* error);
    bool ExportProject(const QString& archivePath, bool preview, QString* error);
    // "pg" followed by the project folder's own name, with ".zip".
    QString ProposedArchiveName() const;

    // The message of an archive without "global.asa".
    static QString NotAProjectText();

    // The files (not the subfolders) of folder, by name; hidden ones too.
    static QStringList FolderFiles(const QString& folder);
    // Copies every file of source into target, replacing files of the same
    // name; a name in except (letter case ignored) is left out. A missing
    // source copies nothing.
    static bool CopyFolderFiles(const QString& source, const QString& target, const QStringList& except,
                                QString* error);
    static bool DeleteFolderFiles(const QString& folder, QString* error);

private:
    QString ProjectPath(const QString& relative) const;
    QString InstallPath(const QString& relative) const;

    QString m_strInstallFolder;
    QString m_strProjectFolder;
};
