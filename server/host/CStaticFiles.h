#pragma once

#include "server/host/CHostReply.h"

#include <QByteArray>
#include <QString>

struct CHostRequest;

// Sends the files of a site: content type by extension, Last-Modified and
// ETag, and 304 when the browser's copy is current. Page sources, the
// database folder and hidden files are never sent.
class CStaticFiles
{
public:
    // True for the "db" folder at the top and for hidden steps (".x",
    // ".."): nothing there is sent or run.
    static bool IsPrivate(const QString& sitePath);
    // True when a site path may be sent as a file: not private, no page
    // source, database or settings by its extension.
    static bool MaySend(const QString& sitePath);
    // True for the pages that are run rather than sent.
    static bool IsPage(const QString& file);

    static CHostReply Answer(const QString& file, const CHostRequest& request);

    static QByteArray ContentType(const QString& file);
    static QByteArray HttpDate(qint64 secondsSinceEpoch);
};
