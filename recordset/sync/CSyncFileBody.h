#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The raw body of a file piece: six "key=value&" pairs (user code,
// password, path, first-piece flag, file name, byte count), nine bytes
// ("PF_Bytes=") the reader skips, then the piece. Values are
// percent-encoded, so a password holding "&" or "=" arrives whole.
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
    };

    static QByteArray Build(const Header& header, const QByteArray& piece);

    // False with error set when the body is not a whole piece: fewer than
    // six pairs, a count that is not a number or more than the body holds.
    static bool Parse(const QByteArray& body, Header* header, QByteArray* piece, QString* error);
};
