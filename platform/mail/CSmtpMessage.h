#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Builds the text that goes after DATA: headers and a MIME body that any
// mail reader decodes back to the UTF-8 text the merchant wrote. Kept apart
// from the socket so the format can be checked without a server.
class CSmtpMessage
{
public:
    // Empty when the address can stand in an envelope command and a header
    // as it is; otherwise the error text. Line breaks or angle brackets in
    // an address would let its owner add commands or headers of their own.
    static QString CheckAddress(const QString& strAddress);
    // Empty when the text is one address the client sends as it is (the
    // rule of CheckAddress, no separator that would make it several, one
    // "@" between a name and a domain); otherwise the error text. A form
    // asks it of a visitor's own address before anything is mailed to it.
    static QString CheckMailbox(const QString& strAddress);

    // Recipients may be given as one text separated by "," or ";".
    static QStringList SplitAddresses(const QString& strAddresses);

    // "Thu, 10 Dec 2026 12:00:00 +0000": English names whatever the locale,
    // and the time's own offset, so readers show the right hour.
    static QString FormatDate(const QDateTime& dtWhen);

    // The Subject header's value: plain when it is short printable ASCII,
    // otherwise UTF-8 encoded words folded to lines of at most 78 chars.
    static QByteArray EncodeSubject(const QString& strSubject);

    // Quoted-printable UTF-8 with CRLF line ends; every line at most 76.
    static QByteArray EncodeQuotedPrintable(const QString& strText);

    // Doubles the dot at the start of every line, so a body line made of a
    // single "." does not end the message early.
    static QByteArray StuffDots(const QByteArray& text);

    // The whole message, headers and body, ending with CRLF (not stuffed).
    static QByteArray Compose(const QString& strFrom, const QStringList& listTo,
                              const QString& strSubject, const QString& strBody,
                              bool bHtml, const QDateTime& dtWhen,
                              const QString& strReplyTo = QString());

private:
    static QByteArray FoldAddressList(const QByteArray& header, const QStringList& listAddresses);
};
