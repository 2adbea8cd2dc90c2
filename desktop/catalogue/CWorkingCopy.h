#pragma once

#include "platform/dao/CDaoDatabase.h"
#include "platform/utilities/CMarkerAside.h"

#include <QString>

// A job's working copy of the project database: db/tempdb.mdb made beside
// db/database.mdb, opened on a connection of its own, and then either put
// in place with one rename or removed. The project database may be open
// (the application's) or closed; when it is open it is closed for the
// rename and opened again on the new file.
//
// On one thread:
//   CWorkingCopy copy(app.m_db, projectFolder);
//   copy.Open();                 // CDaoException on failure
//   ... work on copy.Database() ...
//   copy.PutInPlace();           // or let it go: the copy is removed
// A job on a worker thread splits the steps by the connection each one
// uses: Make and Swap on the thread of the project database, OpenCopy and
// CloseCopy (and the work between) on the worker.
class CWorkingCopy
{
public:
    CWorkingCopy(CDaoDatabase& project, const QString& projectFolder);
    ~CWorkingCopy();
    CWorkingCopy(const CWorkingCopy&) = delete;
    CWorkingCopy& operator=(const CWorkingCopy&) = delete;

    void Open();
    CDaoDatabase& Database() { return m_copy; }
    // The copy replaces the project database; raises CDaoException, with
    // the project database left as it was, when the rename fails.
    void PutInPlace();
    // Closes and removes the copy; the project database is untouched.
    void Discard();

    // The file copy, made from the project database with every committed
    // row in it.
    void Make();
    void OpenCopy();
    void CloseCopy() { m_copy.Close(); }
    // PutInPlace once the copy is closed.
    void Swap();

    QString ProjectFolder() const { return m_strProjectFolder; }   // ends with "/"
    // A folder of its own, ending with "/", where the copy's saves raise
    // the site-update marker; it is passed on to the project only when the
    // copy is put in place.
    QString ScratchFolder() const { return m_marker.Folder(); }

private:
    CDaoDatabase& m_project;
    QString m_strProjectFolder;
    QString m_strProjectPath;
    QString m_strCopyPath;
    CDaoDatabase m_copy;
    CMarkerAside m_marker;
    bool m_bMade = false;
};
