#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

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
    // Called once per generated block: position, range. The editor pumps
    // its waiting messages there, so the progress dialog repaints.
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

    // Adds the style sheets of the block and of everything below it,
    // active or not, to the page's list.
    void CollectReferencedSheets(qint32 blockId);
    // One step for the block and for every active block below it reached
    // through active blocks.
    void CountActiveSubtree(qint32 blockId);
    int Counter() const { return m_nCounter; }
    // The page's style sheets, sorted by file name: the link lines follow
    // this order, so the same project always gives the same pages.
    QStringList Sheets() const;
    // The files that could not be written during the last run.
    const QStringList& FailedFiles() const { return m_failed; }

private:
    struct Block;
    bool ReadBlock(qint32 blockId, Block& block) const;
    QList<qint32> Children(qint32 blockId, bool activeOnly) const;
    void AddCategorySheet(qint32 categoryId);
    QString TemplateCode(const QString& code, QString& fileName) const;
    QString RenameClasses(const QString& code, qint32 blockId) const;
    QString ApplyParameters(QString code, qint32 blockId) const;
    QString LinkLines() const;
    void WritePage(const QString& fileName, const QString& code);
    QString AspFolder() const { return m_strProjectFolder + QStringLiteral("website/asp/"); }

    CDaoDatabase& m_project;
    QString m_strInstallFolder;
    QString m_strProjectFolder;
    Progress m_progress;
    int m_nCounter = 1;
    int m_nRange = 1;
    QSet<QString> m_sheets;
    QSet<qint32> m_visiting;   // blocks being expanded: a tree made circular stops
    QStringList m_failed;
};
