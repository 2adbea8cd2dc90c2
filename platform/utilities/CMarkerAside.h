#pragma once

#include <QString>
#include <QTemporaryDir>

// The site-update marker of a job that works on a copy of the project
// database: the copy's saves raise it in a folder of the job's own, and it
// reaches the project only when the copy has become the project's
// database. A job that fails or is cancelled leaves the project's marker
// as it was.
//
//   CMarkerAside marker;
//   copy.SetMarkerFolder(marker.Folder());
//   ... saves on the copy, the copy put in place ...
//   marker.PassOn(projectFolder);
class CMarkerAside
{
public:
    CMarkerAside() = default;
    CMarkerAside(const CMarkerAside&) = delete;
    CMarkerAside& operator=(const CMarkerAside&) = delete;

    bool IsValid() const { return m_folder.isValid(); }
    // Ends with "/".
    QString Folder() const { return m_folder.path() + QLatin1Char('/'); }
    // False when the project's marker could not be raised.
    bool PassOn(const QString& projectFolder) const;

private:
    QTemporaryDir m_folder;
};
