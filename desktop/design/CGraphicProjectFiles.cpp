#include "desktop/design/CGraphicProjectFiles.h"

#include <QFileInfo>

CGraphicProjectFiles::CGraphicProjectFiles(const QString& installFolder, const QString& projectFolder)
    : m_strInstallFolder(installFolder), m_strProjectFolder(projectFolder)
{
}

bool CGraphicProjectFiles::HasGraphicProject() const
{
    return QFileInfo::exists(m_strProjectFolder + QStringLiteral("db/progettografico.mdb"));
}

bool CGraphicProjectFiles::ResetProjectFiles(QString*) { return false; }

bool CGraphicProjectFiles::CopySystemPages(QString*) { return false; }

CGraphicProjectFiles::ImportResult CGraphicProjectFiles::ImportProject(const QString&, QString*)
{
    return ImportResult::Refused;
}

bool CGraphicProjectFiles::ExportProject(const QString&, bool, QString*) { return false; }

QString CGraphicProjectFiles::ProposedArchiveName() const { return QString(); }
