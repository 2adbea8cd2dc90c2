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
    const QList<QByteArray> lines = headers.split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed().toLower() != "content-length")
            continue;
        const QByteArray value = line.mid(colon + 1).trimmed();
        bool ok = false;
        const qint64 length = value.toLongLong(&ok);
        return ok && length >= 0 && !value.startsWith('+') ? length : -2;
    }
    return -1;
}
