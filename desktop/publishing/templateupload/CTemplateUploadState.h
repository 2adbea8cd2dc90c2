#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

// What the template upload sent: the full path of every file with the
// modification time it had then, kept in website/lastupd.qtr as line pairs
// (the path, then its stamp "dd.MM.yyyy hh:mm:ss" in local time). A file
// is up to date while its stamp is not earlier than its modification time,
// both to the second as the stamp keeps it.
class CTemplateUploadState
{
public:
    // Empties the map first; a missing file leaves it empty. Paths outside
    // websiteFolder, or below it elsewhere than in asp/ and images/, are
    // left out: no site path answers to them (a project moved elsewhere
    // starts again with a first upload).
    void Load(const QString& stateFile, const QString& websiteFolder);
    // Written whole, aside first and then renamed over the old file.
    bool Save(const QString& stateFile) const;

    bool IsEmpty() const { return m_stamps.isEmpty(); }
    QStringList Paths() const { return m_stamps.keys(); }
    QString StampOf(const QString& path) const { return m_stamps.value(path); }

    bool IsUpToDate(const QString& path, const QDateTime& modified) const;
    void Stamp(const QString& path, const QDateTime& modified);
    void Remove(const QString& path) { m_stamps.remove(path); }

    // "05.03.2003 17:04:09" for that local time.
    static QString MakeStamp(const QDateTime& modified);
    // The local time of a stamp; invalid when it gives none.
    static QDateTime ReadStamp(const QString& stamp);

private:
    QMap<QString, QString> m_stamps;
};
