#include "desktop/shell/projects/CRecentProjects.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("LRUProjects");

} // namespace

CRecentProjects::CRecentProjects(QSettings& settings) : m_settings(settings) {}

QString CRecentProjects::Key(int index)
{
    return kGroup + QStringLiteral("/Project%1").arg(index);
}

QStringList CRecentProjects::Entries() const
{
    QStringList entries;
    for (int i = 1; i <= MaxEntries; ++i) {
        const QVariant value = m_settings.value(Key(i));
        if (!value.isValid())
            break;
        entries << value.toString();
    }
    return entries;
}

QStringList CRecentProjects::NewestFirst() const
{
    QStringList entries;
    for (int i = MaxEntries; i >= 1; --i) {
        const QVariant value = m_settings.value(Key(i));
        if (value.isValid())
            entries << value.toString();
    }
    return entries;
}

QString CRecentProjects::Newest() const
{
    const QStringList entries = NewestFirst();
    return entries.isEmpty() ? QString() : entries.first();
}

void CRecentProjects::Add(const QString& folder)
{
    QStringList entries = Entries();
    const int previousCount = entries.size();
    const int found = entries.lastIndexOf(folder);
    if (found == entries.size() - 1 && found >= 0)
        return;
    if (found >= 0)
        entries.removeAt(found);
    else if (entries.size() == MaxEntries)
        entries.removeFirst();
    entries << folder;
    Write(entries, previousCount);
}

void CRecentProjects::Remove(const QString& folder)
{
    QStringList entries = Entries();
    const int previousCount = entries.size();
    const int found = entries.lastIndexOf(folder);
    if (found < 0)
        return;
    entries.removeAt(found);
    Write(entries, previousCount);
}

void CRecentProjects::Write(const QStringList& entries, int previousCount)
{
    for (int i = 0; i < entries.size(); ++i)
        m_settings.setValue(Key(i + 1), entries.at(i));
    for (int i = entries.size() + 1; i <= previousCount; ++i)
        m_settings.remove(Key(i));
    m_settings.sync();
}
