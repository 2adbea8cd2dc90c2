#pragma once

#include <QString>

#include <functional>

class CDaoDatabase;

// Writes the style sheets of the graphic project under
// <project>/website/images: one file per style-sheet category, one rule
// per class with the class's ID appended to its selector, as page
// generation appends it to the class attributes.
class CStyleSheetWriter
{
public:
    using Progress = std::function<void(int, int)>;

    // projectFolder ends with "/".
    CStyleSheetWriter(CDaoDatabase& project, const QString& projectFolder);
    ~CStyleSheetWriter();

    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    // Rewrites the whole file of the block's category; nothing for a block
    // of category 0.
    void WriteStyleSheets(qint32 currentBlockId);

private:
    CDaoDatabase& m_project;
    QString m_strProjectFolder;
    Progress m_progress;
};
