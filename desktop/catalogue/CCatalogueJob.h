#pragma once

#include "desktop/catalogue/ICatalogueProgress.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class CDaoDatabase;
class CWorkingCopy;

// Base of the catalogue's long jobs (text import, bulk price update, index
// ordering): each works on a copy of the project database, in one
// transaction, and the copy replaces the database in one rename only when
// the whole run went through; Run answers Done, Cancelled or Failed with
// Error() beside it. A stop is requested through an atomic flag
// ("Annulla", closing the window) that the job reads between items, never
// halfway through one.
//
// The three steps go by the connection they use, so a window runs the
// middle one on a worker thread (CJobRunner):
//   Prepare    the project database's thread: the copy is made
//   Work       any thread: the work on the copy, on its own connection
//   Finish     the project database's thread: the copy is put in place
//              when Work went through, else removed
// Run does the three in turn on the calling thread.
class CCatalogueJob
{
public:
    enum Result { Done, Cancelled, Failed };

    CCatalogueJob(CDaoDatabase& project, const QString& projectFolder);
    virtual ~CCatalogueJob();

    Result Run(ICatalogueProgress& progress);
    bool Prepare();
    Result Work(ICatalogueProgress& progress);
    Result Finish(Result worked);

    void RequestStop() { m_bStop = true; }
    bool IsStopRequested() const { return m_bStop.load(); }
    QString Error() const { return m_strError; }

protected:
    // Before the copy is made; false (with the error set) ends the run.
    virtual bool Check() { return true; }
    // The work, inside the copy's transaction; anything but Done takes it
    // back. A CDaoException fails the run with its message.
    virtual Result WorkOnCopy(CDaoDatabase& copy, ICatalogueProgress& progress) = 0;

    // Reports done items; true when a stop was requested meanwhile.
    bool Step(ICatalogueProgress& progress, int done)
    {
        progress.SetDone(done);
        return IsStopRequested();
    }
    // The folder the copy's table classes take as their project folder.
    QString ScratchFolder() const;
    QString ProjectFolder() const { return m_strProjectFolder; }   // ends with "/"

    std::atomic<bool> m_bStop{false};
    QString m_strError;

private:
    CDaoDatabase& m_project;
    QString m_strProjectFolder;
    std::unique_ptr<CWorkingCopy> m_pCopy;
    // Files of rows deleted on the copy: removed once it is in place.
    QStringList m_heldFiles;
};
