#include "desktop/design/CFileMoves.h"

#include <QFile>

bool CFileMoves::Move(const QString& from, const QString& to)
{
    if (!QFile::rename(from, to))
        return false;
    m_done.append({from, to});
    return true;
}

void CFileMoves::Undo()
{
    while (!m_done.isEmpty()) {
        const auto [from, to] = m_done.takeLast();
        QFile::rename(to, from);
    }
}
