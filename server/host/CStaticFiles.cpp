#include "server/host/CStaticFiles.h"

#include "server/host/CHostRequest.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QMimeDatabase>
#include <QTimeZone>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sources of pages, global.asa, include files, databases and settings:
// what a shopper must never read.
const QStringList kNeverSent = {
    QStringLiteral("asp"), QStringLiteral("asa"),    QStringLiteral("inc"),     QStringLiteral("ini"),
    QStringLiteral("mdb"), QStringLiteral("ldb"),    QStringLiteral("db"),      QStringLiteral("sqlite"),
    QStringLiteral("wal"), QStringLiteral("shm"),    QStringLiteral("sqlite3"), QStringLiteral("bak"),
    QStringLiteral("js~"), QStringLiteral("config"), QStringLiteral("log")};

const QHash<QString, QByteArray> kTypes = {
    {QStringLiteral("html"), "text/html; charset=utf-8"},
    {QStringLiteral("htm"), "text/html; charset=utf-8"},
    {QStringLiteral("css"), "text/css; charset=utf-8"},
    {QStringLiteral("js"), "text/javascript; charset=utf-8"},
    {QStringLiteral("txt"), "text/plain; charset=utf-8"},
    {QStringLiteral("xml"), "application/xml"},
    {QStringLiteral("json"), "application/json"},
    {QStringLiteral("png"), "image/png"},
    {QStringLiteral("jpg"), "image/jpeg"},
    {QStringLiteral("jpeg"), "image/jpeg"},
    {QStringLiteral("gif"), "image/gif"},
    {QStringLiteral("webp"), "image/webp"},
    {QStringLiteral("svg"), "image/svg+xml"},
    {QStringLiteral("ico"), "image/x-icon"},
    {QStringLiteral("pdf"), "application/pdf"},
    {QStringLiteral("zip"), "application/zip"},
    {QStringLiteral("woff2"), "font/woff2"},
};

QString Extension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    return dot > slash ? name.mid(dot + 1).toLower() : QString();
}

} // namespace

bool CStaticFiles::IsPrivate(const QString& sitePath)
{
    const QStringList steps = sitePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!steps.isEmpty() && steps.first().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
        return true;
    for (const QString& step : steps)
        if (step.startsWith(QLatin1Char('.')))
            return true;
    return false;
}

bool CStaticFiles::MaySend(const QString& sitePath)
{
    if (IsPrivate(sitePath))
        return false;
    const QString extension = Extension(sitePath);
    return !kNeverSent.contains(extension) && !sitePath.endsWith(QLatin1Char('~'));
}

bool CStaticFiles::IsPage(const QString& file) { return Extension(file) == QLatin1String("asp"); }

QByteArray CStaticFiles::ContentType(const QString& file)
{
    const QString extension = Extension(file);
    const auto known = kTypes.constFind(extension);
    if (known != kTypes.constEnd())
        return *known;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QByteArray("application/octet-stream") : type.name().toUtf8();
}

QByteArray CStaticFiles::HttpDate(qint64 secondsSinceEpoch)
{
    return QLocale::c()
        .toString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC),
                  QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"))
        .toLatin1();
}

CHostReply CStaticFiles::Answer(const QString& file, const CHostRequest& request)
{
    const int fd = ::open(file.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    struct stat info{};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return CHostReply::Plain(404, "404 Not Found");
    }
    const QByteArray etag = '"' + QByteArray::number(qint64(info.st_size), 16) + '-'
                            + QByteArray::number(qint64(info.st_mtim.tv_sec), 16)
                            + QByteArray::number(qint64(info.st_mtim.tv_nsec), 16) + '"';
    const QByteArray modified = HttpDate(info.st_mtim.tv_sec);
    CHostReply reply;
    reply.AddHeader("ETag", etag);
    reply.AddHeader("Last-Modified", modified);
    const QByteArray ifNoneMatch = request.Header("If-None-Match");
    const QByteArray ifModifiedSince = request.Header("If-Modified-Since");
    bool current = !ifNoneMatch.isEmpty() ? false : !ifModifiedSince.isEmpty() && ifModifiedSince == modified;
    for (const QByteArray& tag : ifNoneMatch.split(','))
        current = current || tag.trimmed() == etag || tag.trimmed() == "W/" + etag || tag.trimmed() == "*";
    if (current) {
        ::close(fd);
        reply.status = 304;
        return reply;
    }
    reply.AddHeader("Content-Type", ContentType(file));
    reply.fileDescriptor = fd;
    reply.fileSize = info.st_size;
    return reply;
}
