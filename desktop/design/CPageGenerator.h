#pragma once

#include <QString>

#include <functional>

class CDaoDatabase;

// Turns the block tree of the graphic project into the site's page files
// under <project>/website/asp: a block's code is expanded bottom-up (its
// active children, its classes, its parameters), a page gets the links of
// the style sheets its blocks use, and a block marked Include goes into a
// file of its own that its parent includes.
class CPageGenerator
{
public:
    // Called once per generated block: position, range.
    using Progress = std::function<void(int, int)>;

    // Folders end with "/".
    CPageGenerator(CDaoDatabase& project, const QString& installFolder, const QString& projectFolder);
    ~CPageGenerator();

    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    // Regenerates the whole page tree that holds the block (from its
    // top-level ancestor down).
    void RegeneratePageTree(qint32 blockId);
    // Every top-level block that has at least one child.
    void RegenerateProject();
    // The block's final code; with write set, its file is written too.
    QString GeneratePages(qint32 blockId, bool write);

private:
    CDaoDatabase& m_project;
    QString m_strInstallFolder;
    QString m_strProjectFolder;
    Progress m_progress;
};
