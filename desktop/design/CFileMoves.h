#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Renames made one by one that can be taken back together: what replaces a
// set of files moves the old ones aside and the new ones in, and a rename
// that fails half-way puts every file back where it was.
class CFileMoves
{
public:
    // Moves from to to (to must not exist); false when the rename failed.
    bool Move(const QString& from, const QString& to);
    // Takes back every move made so far, the last first.
    void Undo();
    int Count() const { return int(m_done.size()); }

private:
    QList<QPair<QString, QString>> m_done;
};
