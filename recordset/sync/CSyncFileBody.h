#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The raw body of a file piece: "key=value&" pairs (user code, password,
// path, first-piece flag, file name, byte count of the piece and, from our
// own desktop, of the whole file and the piece's place in it), then
// "PF_Bytes=" and the piece. Values
// are percent-encoded, so a password holding "&" or "=" arrives whole.
class CSyncFileBody
{
public:
    struct Header
    {
        QString userCode;
        QString password;
        QString path;
        QString fileName;
        int flagFirst = 0;
        qint64 numBytes = 0;
        qint64 totalBytes = -1;   // the whole file; -1 when the sender did not say
        qint64 offset = -1;       // where the piece goes in the file; -1 when the sender did not say
    };

    static QByteArray Build(const Header& header, const QByteArray& piece);

    // False with error set when the body is not a whole piece: no
    // "PF_Bytes=", a flag or count that is not a number, a count of 0 or
    // more than the body holds.
    static bool Parse(const QByteArray& body, Header* header, QByteArray* piece, QString* error);
};
