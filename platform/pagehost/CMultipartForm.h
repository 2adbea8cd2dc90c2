#pragma once

#include <QByteArray>

class CFields;

// A form posted as multipart/form-data: each text part becomes a field of
// the form; a file part becomes a field holding the file's name, its bytes
// staying in the raw body (Request.BinaryRead) for the page that wants them.
class CMultipartForm
{
public:
    // contentType is the whole header value, with its boundary parameter.
    // A body without that boundary adds nothing.
    static void Parse(const QByteArray& body, const QByteArray& contentType, CFields& into);

    static QByteArray Boundary(const QByteArray& contentType);
    // A parameter of a header value ("name" of 'form-data; name="a"').
    static QByteArray Parameter(const QByteArray& headerValue, const QByteArray& name);
};
