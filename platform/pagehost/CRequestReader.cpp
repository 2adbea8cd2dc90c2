#include "platform/pagehost/CRequestReader.h"

#include <QList>

CRequestReader::State CRequestReader::Check() const
{
    State state = State::Incomplete;
    CompleteSize(&state);
    return state;
}

QByteArray CRequestReader::TakeRequest()
{
    State state = State::Incomplete;
    const qsizetype size = CompleteSize(&state);
    const QByteArray request = m_buffer.left(size);
    m_buffer.remove(0, size);
    return request;
}

qsizetype CRequestReader::CompleteSize(State* state) const
{
    const qsizetype headerEnd = m_buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0 || headerEnd + 4 > kMaxHeaderBytes) {
        *state = headerEnd < 0 && m_buffer.size() <= kMaxHeaderBytes ? State::Incomplete : State::HeadersTooLarge;
        return 0;
    }
    const qsizetype headerSize = headerEnd + 4;
    if (m_buffer.startsWith("GET ")) {
        *state = State::Complete;
        return headerSize;
    }
    if (!m_buffer.startsWith("POST ")) {
        *state = State::UnsupportedMethod;
        return 0;
    }
    qint64 length = ContentLength(m_buffer.left(headerEnd));
    if (length == -1)
        length = 0;   // a post without a body
    if (length < 0) {
        *state = State::BadRequest;
        return 0;
    }
    if (length > kMaxBodyBytes) {
        *state = State::BodyTooLarge;
        return 0;
    }
    if (m_buffer.size() - headerSize < length) {
        *state = State::Incomplete;
        return 0;
    }
    *state = State::Complete;
    return headerSize + qsizetype(length);
}

qint64 CRequestReader::ContentLength(const QByteArray& headers)
{
    const QByteArray value = HeaderValue(headers, "content-length");
    if (value.isNull())
        return -1;
    bool ok = false;
    const qint64 length = value.toLongLong(&ok);
    return ok && length >= 0 && !value.startsWith('+') ? length : -2;
}

QByteArray CRequestReader::HeaderValue(const QByteArray& requestText, const QByteArray& name)
{
    const qsizetype end = requestText.indexOf("\r\n\r\n");
    const QList<QByteArray> lines = requestText.left(end < 0 ? requestText.size() : end).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return QByteArray();
}

bool CRequestReader::KeepsAlive(const QByteArray& requestText)
{
    const qsizetype lineEnd = requestText.indexOf("\r\n");
    const QByteArray requestLine = requestText.left(lineEnd < 0 ? requestText.size() : lineEnd);
    const QByteArray connection = HeaderValue(requestText, "connection").toLower();
    if (requestLine.endsWith(" HTTP/1.0"))
        return connection.contains("keep-alive");
    return !connection.contains("close");
}
