#include "desktop/catalogue/CCatalogueJob.h"

#include "desktop/catalogue/CWorkingCopy.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoTransaction.h"

CCatalogueJob::CCatalogueJob(CDaoDatabase& project, const QString& projectFolder)
    : m_project(project), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
}

CCatalogueJob::~CCatalogueJob() = default;

CCatalogueJob::Result CCatalogueJob::Run(ICatalogueProgress& progress)
{
    if (!Prepare())
        return Failed;
    return Finish(Work(progress));
}

bool CCatalogueJob::Prepare()
{
    m_bStop = false;
    m_strError.clear();
    m_heldFiles.clear();
    if (!Check())
        return false;
    m_pCopy = std::make_unique<CWorkingCopy>(m_project, m_strProjectFolder);
    try {
        m_pCopy->Make();
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        m_pCopy.reset();
        return false;
    }
    return true;
}

QString CCatalogueJob::ScratchFolder() const
{
    return m_pCopy ? m_pCopy->ScratchFolder() : m_strProjectFolder;
}

CCatalogueJob::Result CCatalogueJob::Work(ICatalogueProgress& progress)
{
    if (!m_pCopy)
        return Failed;
    Result result = Failed;
    try {
        m_pCopy->OpenCopy();
        CDaoDatabase& copy = m_pCopy->Database();
        // Pictures of deleted rows stay until the copy is the database.
        copy.HoldFileDeletions(true);
        CDaoTransaction transaction(copy);
        result = WorkOnCopy(copy, progress);
        if (result == Done)
            transaction.Commit();
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        result = Failed;
    }
    m_pCopy->CloseCopy();
    m_heldFiles = m_pCopy->Database().TakeHeldFileDeletions();
    return result;
}

CCatalogueJob::Result CCatalogueJob::Finish(Result worked)
{
    if (!m_pCopy)
        return worked;
    if (worked == Done) {
        try {
            m_pCopy->Swap();
        } catch (const CDaoException& e) {
            m_strError = e.GetErrorMessage();
            worked = Failed;
        }
    }
    m_pCopy.reset();
    if (worked == Done)
        CDaoDatabase::RemoveFiles(m_heldFiles);
    m_heldFiles.clear();
    return worked;
}
