#pragma once

#include <QByteArray>

// Gathers what a connection receives until one request is whole: a GET
// through its blank line, a POST also through the body its Content-Length
// announces. Requests beyond sane sizes are refused instead of growing
// without end.
class CRequestReader
{
public:
    enum class State {
        Incomplete,
        Complete,
        BadRequest,          // unreadable Content-Length
        HeadersTooLarge,
        BodyTooLarge,
        UnsupportedMethod,
    };

    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qsizetype kMaxBodyBytes = 16 * 1024 * 1024;

    void Append(const QByteArray& bytes) { m_buffer += bytes; }
    State Check() const;
    // The whole request (header block and body); what follows it stays for
    // the next one. Only after Check() said Complete.
    QByteArray TakeRequest();
    bool IsEmpty() const { return m_buffer.isEmpty(); }

    // The value of Content-Length in a header block, blanks around it
    // skipped; -1 when absent, -2 when not a number.
    static qint64 ContentLength(const QByteArray& headers);
    // The value of the first header of that name (compared without regard
    // to letter case) in a request's text, blanks around it skipped; a null
    // array when there is none.
    static QByteArray HeaderValue(const QByteArray& requestText, const QByteArray& name);
    // Whether the connection stays open after the reply: HTTP/1.1 unless
    // "Connection: close", HTTP/1.0 only with "Connection: keep-alive".
    static bool KeepsAlive(const QByteArray& requestText);
    qsizetype BufferedBytes() const { return m_buffer.size(); }

private:
    // The size of the complete request at the buffer's start, or 0.
    qsizetype CompleteSize(State* state) const;

    QByteArray m_buffer;
};
