#pragma once

#include <QString>

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
    // graphic database and the starting pages of template/system.
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

private:
    QString m_strInstallFolder;
    QString m_strProjectFolder;
};
