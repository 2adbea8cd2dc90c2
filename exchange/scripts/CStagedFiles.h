#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Files a job writes for a copy of the project database that may never
// become the project's (the pictures of a scripted import): each is
// written beside its final name and put in place by Commit, once the copy
// is; what is not committed is removed, so a failed or cancelled job
// leaves the old files as they were.
class CStagedFiles
{
public:
    CStagedFiles() = default;
    ~CStagedFiles();
    CStagedFiles(const CStagedFiles&) = delete;
    CStagedFiles& operator=(const CStagedFiles&) = delete;

    // The path to write in place of target; the same target twice gives
    // the same path, so the later write wins.
    QString Stage(const QString& target);
    // Renames every staged file over its target; false with the message of
    // the first that could not be (the others are still put in place).
    bool Commit(QString* error);
    void Discard();
    bool IsEmpty() const { return m_files.isEmpty(); }

private:
    QList<QPair<QString, QString>> m_files;   // staged, target
};
