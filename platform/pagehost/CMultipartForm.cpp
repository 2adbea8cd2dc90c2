#include "platform/pagehost/CMultipartForm.h"

#include "platform/pagehost/CFields.h"

#include <QList>

namespace {

// The Content-Disposition value among a part's header lines.
QByteArray Disposition(const QByteArray& headers)
{
    for (const QByteArray& line : headers.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-disposition")
            return line.mid(colon + 1).trimmed();
    }
    return QByteArray();
}

} // namespace

QByteArray CMultipartForm::Parameter(const QByteArray& headerValue, const QByteArray& name)
{
    for (const QByteArray& piece : headerValue.split(';')) {
        const QByteArray item = piece.trimmed();
        const qsizetype equals = item.indexOf('=');
        if (equals <= 0 || item.left(equals).trimmed().toLower() != name)
            continue;
        QByteArray value = item.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return QByteArray();
}

QByteArray CMultipartForm::Boundary(const QByteArray& contentType) { return Parameter(contentType, "boundary"); }

void CMultipartForm::Parse(const QByteArray& body, const QByteArray& contentType, CFields& into)
{
    const QByteArray boundary = Boundary(contentType);
    if (boundary.isEmpty())
        return;
    const QByteArray delimiter = "--" + boundary;
    qsizetype at = body.indexOf(delimiter);
    while (at >= 0) {
        at += delimiter.size();
        if (body.mid(at, 2) == "--")
            return;   // the closing delimiter
        const qsizetype headersStart = body.indexOf("\r\n", at);
        const qsizetype headersEnd = headersStart < 0 ? -1 : body.indexOf("\r\n\r\n", headersStart);
        if (headersEnd < 0)
            return;
        const qsizetype next = body.indexOf("\r\n" + delimiter, headersEnd + 4);
        if (next < 0)
            return;   // a part that never ends is not a part
        const QByteArray disposition = Disposition(body.mid(headersStart + 2, headersEnd - headersStart - 2));
        const QByteArray name = Parameter(disposition, "name");
        if (!name.isEmpty()) {
            const bool isFile = disposition.contains("filename=");
            const QByteArray value = isFile ? Parameter(disposition, "filename")
                                            : body.mid(headersEnd + 4, next - headersEnd - 4);
            into.AddField(QString::fromUtf8(name), QString::fromUtf8(value));
        }
        at = next + 2;
    }
}
