#pragma once

#include <QString>
#include <QStringList>

// The site's root folder and its virtual folders ("/db", "/images"), and the
// mapping of site paths onto files. No mapping leaves its folder: a path
// with a ".." step maps to nothing, and a request never reaches a file that
// a symbolic link places outside its folder.
class CVirtualFolders
{
public:
    void SetRootDir(const QString& folder);
    const QString& RootDir() const { return m_root; }
    // Kept in ascending order of the virtual path's length; equal lengths
    // keep the order in which they were added.
    // A folder that is not served (the database's) is found by MapPath but
    // never by a request.
    void AddVirtualDir(const QString& virtualPath, const QString& folder, bool served = true);
    const QStringList& VirtualPaths() const { return m_virtualPaths; }
    const QStringList& Folders() const { return m_folders; }

    // The existing file that a request path names (letter case of the
    // names not taken into account), or empty text when there is none.
    QString MapTarget(const QString& path) const;
    // The physical path of a site path, existing or not; a path without a
    // leading "/" is taken from the root. Empty when it would leave its folder.
    QString MapPath(const QString& path) const;
    // A file of the root folder named by a relative path, as MapTarget.
    QString MapRootFile(const QString& relativePath) const;

private:
    // The folder that serves the path and the path's remaining steps.
    bool Split(const QString& path, QString& folder, QStringList& steps, bool* served = nullptr) const;
    static bool Inside(const QString& file, const QString& folder);
    static QString ResolveIgnoringCase(const QString& folder, const QStringList& steps);

    QString m_root;
    QStringList m_virtualPaths;
    QStringList m_folders;
    QList<bool> m_served;
};
