#include "platform/mail/CSmtpMessage.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// RFC 5322 asks for header lines of at most 78 characters.
constexpr int kHeaderLineLimit = 78;
// Quoted-printable lines: 76 characters, the soft break's "=" included.
constexpr int kQuotedLineLimit = 76;
// UTF-8 bytes per encoded word: 56 base64 characters plus "=?UTF-8?B??="
// keep even the first line, after "Subject: ", within 78.
constexpr int kEncodedWordBytes = 42;

bool IsPlainHeaderText(const QString& strText)
{
    for (QChar ch : strText)
        if (ch.unicode() < 0x20 || ch.unicode() > 0x7e)
            return false;
    return !strText.contains(QLatin1String("=?"));
}

QString Printable(const QString& strText)
{
    QString strShown;
    for (QChar ch : strText)
        strShown += (ch.unicode() < 0x20 || ch.unicode() == 0x7f) ? QChar('?') : ch;
    return strShown;
}

void AppendQuotedLine(QByteArray& out, const QByteArray& line)
{
    static const char kHex[] = "0123456789ABCDEF";
    int nColumn = 0;
    for (int i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        const bool bLast = i == line.size() - 1;
        QByteArray token;
        // Blanks at a line's end are lost by some relays, so they go encoded.
        const bool bBlank = b == ' ' || b == '\t';
        if ((b >= 33 && b <= 126 && b != '=') || (bBlank && !bLast))
            token = QByteArray(1, static_cast<char>(b));
        else
            token = QByteArray("=") + kHex[b >> 4] + kHex[b & 0x0f];
        // A soft break leaves room for its own "=" on the line it ends.
        const int nRoom = bLast ? kQuotedLineLimit : kQuotedLineLimit - 1;
        if (nColumn + token.size() > nRoom) {
            out += "=\r\n";
            nColumn = 0;
        }
        out += token;
        nColumn += token.size();
    }
}

} // namespace

QString CSmtpMessage::CheckAddress(const QString& strAddress)
{
    if (strAddress.trimmed().isEmpty())
        return QStringLiteral("Indirizzo email mancante.");
    for (QChar ch : strAddress) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u > 0x7e || ch == '<' || ch == '>')
            return QStringLiteral("Indirizzo email non valido (a capo, parentesi angolari o "
                                  "caratteri non ammessi): \"%1\"")
                .arg(Printable(strAddress));
    }
    return QString();
}

QString CSmtpMessage::CheckMailbox(const QString& strAddress)
{
    const QString strError = CheckAddress(strAddress);
    if (!strError.isEmpty())
        return strError;
    const QString strTrimmed = strAddress.trimmed();
    const qsizetype nAt = strTrimmed.indexOf(QLatin1Char('@'));
    if (SplitAddresses(strTrimmed) != QStringList{strTrimmed} || strTrimmed.contains(QLatin1Char(' '))
        || nAt <= 0 || nAt != strTrimmed.lastIndexOf(QLatin1Char('@')) || nAt == strTrimmed.size() - 1)
        return QStringLiteral("Indirizzo email non valido: \"%1\"").arg(Printable(strAddress));
    return QString();
}

QStringList CSmtpMessage::SplitAddresses(const QString& strAddresses)
{
    QStringList listAddresses;
    for (const QString& strPiece : strAddresses.split(QRegularExpression(QStringLiteral("[,;]")))) {
        const QString strTrimmed = strPiece.trimmed();
        if (!strTrimmed.isEmpty())
            listAddresses << strTrimmed;
    }
    return listAddresses;
}

QString CSmtpMessage::FormatDate(const QDateTime& dtWhen)
{
    const int nOffset = dtWhen.offsetFromUtc();
    const int nAbsolute = nOffset < 0 ? -nOffset : nOffset;
    return QLocale::c().toString(dtWhen, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss"))
        + QStringLiteral(" %1%2%3")
              .arg(nOffset < 0 ? QChar('-') : QChar('+'))
              .arg(nAbsolute / 3600, 2, 10, QChar('0'))
              .arg(nAbsolute % 3600 / 60, 2, 10, QChar('0'));
}

QByteArray CSmtpMessage::EncodeSubject(const QString& strSubject)
{
    // A line break in a subject would end the header and start the body.
    QString strFlat = strSubject;
    strFlat.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
    const int nPrefix = int(qstrlen("Subject: "));
    if (IsPlainHeaderText(strFlat) && nPrefix + strFlat.size() <= kHeaderLineLimit)
        return strFlat.toLatin1();

    // Words break between characters, never inside one's UTF-8 bytes.
    QList<QByteArray> listWords;
    QByteArray chunk;
    for (char32_t cp : strFlat.toUcs4()) {
        const QByteArray bytes = QString::fromUcs4(&cp, 1).toUtf8();
        if (chunk.size() + bytes.size() > kEncodedWordBytes) {
            listWords << chunk;
            chunk.clear();
        }
        chunk += bytes;
    }
    if (!chunk.isEmpty())
        listWords << chunk;

    QByteArray encoded;
    for (const QByteArray& word : listWords) {
        if (!encoded.isEmpty())
            encoded += "\r\n ";
        encoded += "=?UTF-8?B?" + word.toBase64() + "?=";
    }
    return encoded;
}

QByteArray CSmtpMessage::EncodeQuotedPrintable(const QString& strText)
{
    QString strLines = strText;
    strLines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    strLines.replace(QChar('\r'), QChar('\n'));
    // The body keeps its own last line end; one is added only when missing.
    if (strLines.endsWith(QChar('\n')))
        strLines.chop(1);

    QByteArray out;
    for (const QString& strLine : strLines.split(QChar('\n'))) {
        AppendQuotedLine(out, strLine.toUtf8());
        out += "\r\n";
    }
    return out;
}

QByteArray CSmtpMessage::StuffDots(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size() + 16);
    bool bLineStart = true;
    for (char ch : text) {
        if (bLineStart && ch == '.')
            out += '.';
        out += ch;
        bLineStart = ch == '\n';
    }
    return out;
}

QByteArray CSmtpMessage::FoldAddressList(const QByteArray& header, const QStringList& listAddresses)
{
    QByteArray out = header;
    int nColumn = out.size();
    for (int i = 0; i < listAddresses.size(); ++i) {
        QByteArray address = listAddresses[i].toLatin1();
        if (i + 1 < listAddresses.size())
            address += ',';
        // Long lists continue on folded lines, which start with the blank.
        if (i > 0 && nColumn + 1 + address.size() > kHeaderLineLimit) {
            out += "\r\n";
            nColumn = 0;
        }
        out += ' ';
        ++nColumn;
        out += address;
        nColumn += address.size();
    }
    return out + "\r\n";
}

QByteArray CSmtpMessage::Compose(const QString& strFrom, const QStringList& listTo,
                                 const QString& strSubject, const QString& strBody,
                                 bool bHtml, const QDateTime& dtWhen,
                                 const QString& strReplyTo)
{
    QByteArray text;
    text += "From: " + strFrom.toLatin1() + "\r\n";
    if (!strReplyTo.isEmpty())
        text += "Reply-To: " + strReplyTo.toLatin1() + "\r\n";
    text += FoldAddressList("To:", listTo);
    text += "Date: " + FormatDate(dtWhen).toLatin1() + "\r\n";
    text += "Subject: " + EncodeSubject(strSubject) + "\r\n";
    text += "MIME-Version: 1.0\r\n";
    text += bHtml ? "Content-Type: text/html; charset=utf-8\r\n"
                  : "Content-Type: text/plain; charset=utf-8\r\n";
    text += "Content-Transfer-Encoding: quoted-printable\r\n";
    text += "\r\n";
    text += EncodeQuotedPrintable(strBody);
    return text;
}
