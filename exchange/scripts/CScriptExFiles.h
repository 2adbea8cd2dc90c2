#pragma once

#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <memory>

// The data files an outside system drops into the exchange folder ("g*"),
// read line by line, oldest first. A file read to its end is only noted:
// the files are removed by RemoveConsumed once the import that read them
// has replaced the database, so a failed or cancelled run leaves them for
// the next one. Text is UTF-8, or Windows-1252 when it is not valid UTF-8.
class CScriptExFiles
{
public:
    explicit CScriptExFiles(const QString& folder);

    // Collects and counts the files and opens the first; false when there
    // are no lines at all. Empty files are noted as consumed.
    bool Initialize();
    // The next line; an empty text when no data is left (an empty line of
    // a file reads as empty too).
    QString ReadLine();

    int LinesCounted() const { return m_counted; }
    int LinesRead() const { return m_read; }
    QStringList Consumed() const { return m_consumed; }
    void RemoveConsumed();

private:
    bool OpenNext();
    static QStringList Lines(const QString& path);

    QString m_folder;
    QStringList m_files;
    int m_next = 0;
    QStringList m_lines;
    int m_line = 0;
    QString m_current;
    QStringList m_consumed;
    int m_counted = 0;
    int m_read = 0;
};
