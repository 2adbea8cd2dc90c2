#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The recent-projects list: values "Project1" .. "Project4" under the
// group "LRUProjects" of the program's settings, oldest first, always
// contiguous from Project1; the highest-numbered value is the newest.
//
// CTindaApp makes one over its settings scope
//   QSettings settings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50"));
//   CRecentProjects recent(settings);
// (tests pass a QSettings on a temporary file) and calls
//   recent.Add(m_strProjectFolder)   for AddRecentProject
//   recent.Remove(folder)            for RemoveRecentProject
//   recent.Newest()                  at start-up
// CProjectSession does all of this for it.
class CRecentProjects
{
public:
    static constexpr int MaxEntries = 4;

    explicit CRecentProjects(QSettings& settings);

    // Project1 .. ProjectN, stopping at the first missing value.
    QStringList Entries() const;
    // Every value present, read from Project4 down to Project1 (what the
    // "Progetti" list shows, newest first).
    QStringList NewestFirst() const;
    // The first present of Project4, 3, 2, 1; empty when none.
    QString Newest() const;

    // Puts folder in the newest place: appended while there is room, else
    // the oldest drops out; a folder already listed moves to the newest
    // place. The comparison is exact.
    void Add(const QString& folder);
    // Takes folder out and closes the gap, so the values stay contiguous.
    void Remove(const QString& folder);

private:
    static QString Key(int index);
    void Write(const QStringList& entries, int previousCount);

    QSettings& m_settings;
};
