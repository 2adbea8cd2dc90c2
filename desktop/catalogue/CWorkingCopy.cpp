#include "desktop/catalogue/CWorkingCopy.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDatabaseFile.h"

CWorkingCopy::CWorkingCopy(CDaoDatabase& project, const QString& projectFolder)
    : m_project(project),
      m_strProjectFolder(CProjectFolder::WithSlash(projectFolder)),
      m_strProjectPath(CProjectFolder::DatabasePath(projectFolder)),
      m_strCopyPath(CProjectFolder::TempDatabasePath(projectFolder))
{
}

CWorkingCopy::~CWorkingCopy()
{
    Discard();
}

void CWorkingCopy::Open()
{
    Make();
    OpenCopy();
}

void CWorkingCopy::Make()
{
    // The open database's log is folded into its file first, so that the
    // file copy holds every committed row.
    if (m_project.IsOpen())
        m_project.Checkpoint();
    QString error;
    if (!m_marker.IsValid())
        throw CDaoException(QStringLiteral("Impossibile creare una cartella temporanea."));
    if (!CDatabaseFile::Copy(m_strProjectPath, m_strCopyPath, &error))
        throw CDaoException(error);
    m_bMade = true;
}

void CWorkingCopy::OpenCopy()
{
    if (!m_bMade)
        throw CDaoException(QStringLiteral("Nessuna copia di lavoro aperta."));
    m_copy.Open(m_strCopyPath);
    m_copy.SetMarkerFolder(ScratchFolder());
}

void CWorkingCopy::PutInPlace()
{
    CloseCopy();
    Swap();
}

void CWorkingCopy::Swap()
{
    if (!m_bMade)
        throw CDaoException(QStringLiteral("Nessuna copia di lavoro aperta."));
    const bool reopen = m_project.IsOpen();
    m_project.Close();
    QString error;
    const bool replaced = CDatabaseFile::Replace(m_strCopyPath, m_strProjectPath, &error);
    if (reopen)
        m_project.Open(m_strProjectPath);
    if (!replaced) {
        Discard();
        throw CDaoException(error);
    }
    m_bMade = false;
    m_marker.PassOn(m_strProjectFolder);
}

void CWorkingCopy::Discard()
{
    if (!m_bMade)
        return;
    m_copy.Close();
    CDatabaseFile::Remove(m_strCopyPath, nullptr);
    m_bMade = false;
}
