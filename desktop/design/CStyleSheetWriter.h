#pragma once

#include <QHash>
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
    // Called once per class: position, range (the classes of the block
    // being written). The editor pumps its waiting messages there.
    using Progress = std::function<void(int, int)>;

    // projectFolder ends with "/".
    CStyleSheetWriter(CDaoDatabase& project, const QString& projectFolder);
    ~CStyleSheetWriter();

    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    // Rewrites the whole file of the block's category; nothing for a block
    // of category 0. False when the file could not be written (or the
    // category names no plain file name); the old file then stays.
    bool WriteStyleSheets(qint32 currentBlockId);

    // The text of the category's sheet, as WriteStyleSheets writes it.
    QString CategorySheet(qint32 categoryId);
    // The declaration lines of one class; empty when it has no values.
    QString FormatClassBody(qint32 classId);
    // The line of one border side (group 10, 13, 16 or 19) of a class, or
    // an empty string.
    QString FormatBorder(qint32 classId, int side);
    // The selector of a class: a class selector gets the ID; a compound one
    // gets the ID of its leading class when that class came before it in
    // the same block (selectors holds those seen so far).
    static QString Selector(const QString& nomeCss, qint32 classId, QHash<QString, QString>& selectors);

private:
    QString BlockRules(qint32 blockId);

    CDaoDatabase& m_project;
    QString m_strProjectFolder;
    Progress m_progress;
};
