#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

class ICatalogueProgress;

// The folder copies and deletions of a CD image, file by file, reporting
// "Copia file n/m in corso..." or "Cancellazione file n/m in corso..." per
// folder and stopping between files when asked. A missing source is
// skipped.
class CCdFolderCopy
{
public:
    CCdFolderCopy(ICatalogueProgress& progress, const std::atomic<bool>& stop);

    // Copies source into target (made when missing), subfolders too, except
    // the subfolders of source named in `leaveOut`. False when stopped or a
    // file could not be copied (Error() says which).
    bool CopyFolder(const QString& source, const QString& target, const QStringList& leaveOut = {});
    bool DeleteFolder(const QString& folder);
    bool CopyFile(const QString& source, const QString& target);

    QString Error() const { return m_strError; }

private:
    ICatalogueProgress& m_progress;
    const std::atomic<bool>& m_stop;
    QString m_strError;
};
