#pragma once

#include "platform/pagehost/CPageScript.h"
#include "platform/pagehost/CSourceLine.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QString>

#include <functional>
#include <memory>

// Pages with their include files expanded and turned into one script, kept
// by a page runner while the page's text and every file it included (or
// looked for) stay as they were: a shop's pages are read and expanded
// once, not on every visit. A file is judged by where its include
// directive leads, its size and its time of change.
class CPageCache
{
public:
    struct Included
    {
        QString relative;   // as the directive names it
        QString path;       // where it led; empty when it led nowhere
        qint64 size = -1;
        qint64 modified = -1;   // milliseconds since the epoch
    };
    struct Page
    {
        QString expanded;
        QList<CSourceLine> origins;
        CPageScript script;
        QList<Included> files;
        QStringList includeErrors;   // refused include directives, shown in the page
    };
    // Where a directive's path leads now (the runner's folders).
    using Mapper = std::function<QString(const QString& relative)>;

    // The kept page of this path and text, when no file it included has
    // changed since; otherwise nothing.
    std::shared_ptr<const Page> Find(const QString& pagePath, const QString& pageText, const Mapper& map) const;
    void Keep(const QString& pagePath, const QString& pageText, std::shared_ptr<const Page> page);

    // The file as it stands now.
    static Included Stamp(const QString& relative, const QString& path);

private:
    struct Entry
    {
        QString pageText;
        std::shared_ptr<const Page> page;
    };
    QHash<QString, Entry> m_pages;   // site path -> page
};
