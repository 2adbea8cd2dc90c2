#include "platform/pagehost/CRequest.h"

#include "platform/pagehost/CMultipartForm.h"
#include "platform/pagehost/CRequestTarget.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

CRequest::CRequest(QObject* parent) : QObject(parent) {}

void CRequest::ParseRequest(const QByteArray& requestText)
{
    ClearCollections();
    const CRequestTarget target(requestText);
    m_serverVariables.AddField(QStringLiteral("REQUEST_METHOD"), QString::fromLatin1(target.Method()));
    m_serverVariables.AddField(QStringLiteral("SCRIPT_NAME"), target.Path());
    if (!target.Query().isEmpty()) {
        m_serverVariables.AddField(QStringLiteral("QUERY_STRING"), QString::fromUtf8(target.Query()));
        SplitPairs(target.Query(), m_queryString);
    }
    const qsizetype headerEnd = requestText.indexOf("\r\n\r\n");
    if (target.Method() == "POST" && headerEnd >= 0) {
        m_body = requestText.mid(headerEnd + 4);
        const QByteArray contentType = HeaderValue(requestText, "content-type");
        if (contentType.toLower().startsWith("multipart/form-data"))
            CMultipartForm::Parse(m_body, contentType, m_form);
        else
            SplitPairs(m_body, m_form);
    }
    ReadCookies(requestText);
}

// "Cookie: a=1; b=2" in the header block.
void CRequest::ReadCookies(const QByteArray& requestText)
{
    const qsizetype headerEnd = requestText.indexOf("\r\n\r\n");
    const QList<QByteArray> lines = requestText.left(headerEnd < 0 ? requestText.size() : headerEnd).split('\n');
    for (const QByteArray& line : lines) {
        if (!line.toLower().startsWith("cookie:"))
            continue;
        for (const QByteArray& pair : line.mid(7).trimmed().split(';')) {
            const qsizetype equals = pair.indexOf('=');
            if (equals > 0)
                m_cookies.AddField(UrlDecode(pair.left(equals).trimmed()), UrlDecode(pair.mid(equals + 1).trimmed()));
        }
    }
}

QList<QPair<QString, QString>> CRequest::FormFields() const
{
    QList<QPair<QString, QString>> fields;
    for (const CField& field : m_form.Fields())
        fields.append({field.Name(), field.Value()});
    return fields;
}

void CRequest::ClearCollections()
{
    m_queryString.Clear();
    m_form.Clear();
    m_serverVariables.Clear();
    m_cookies.Clear();
    m_body.clear();
    m_bodyRead = 0;
}

QByteArray CRequest::BinaryRead(int count)
{
    const QByteArray bytes = m_body.mid(m_bodyRead, qMax(0, count));
    m_bodyRead += bytes.size();
    return bytes;
}

QByteArray CRequest::HeaderValue(const QByteArray& requestText, const QByteArray& name)
{
    const qsizetype headerEnd = requestText.indexOf("\r\n\r\n");
    const QList<QByteArray> lines = requestText.left(headerEnd < 0 ? requestText.size() : headerEnd).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0 && lines.at(i).left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return lines.at(i).mid(colon + 1).trimmed();
    }
    return QByteArray();
}

QString CRequest::Item(const QString& key) const
{
    const QString value = m_queryString.GetValue(key);
    return value.isEmpty() ? m_form.GetValue(key) : value;
}

// "a=1&b&c=3" gives a = 1 and a field "b&c" = 3: the name runs to the first
// "=", the value from there to the next "&".
void CRequest::SplitPairs(const QByteArray& text, CFields& into)
{
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype equals = text.indexOf('=', at);
        if (equals < 0)
            return;
        qsizetype amp = text.indexOf('&', equals + 1);
        if (amp < 0)
            amp = text.size();
        into.AddField(UrlDecode(text.mid(at, equals - at)), UrlDecode(text.mid(equals + 1, amp - equals - 1)));
        at = amp + 1;
    }
}

// One pass: "+" is a blank, "%%" a percent sign, "%" and two hex digits the
// byte they give; anything else stays as it is. Bytes are then read as UTF-8.
QString CRequest::UrlDecode(const QByteArray& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '+') {
            bytes.append(' ');
        } else if (c == '%' && i + 1 < text.size() && text.at(i + 1) == '%') {
            bytes.append('%');
            ++i;
        } else if (c == '%' && i + 2 < text.size() && HexValue(text.at(i + 1)) >= 0
                   && HexValue(text.at(i + 2)) >= 0) {
            bytes.append(char(HexValue(text.at(i + 1)) * 16 + HexValue(text.at(i + 2))));
            i += 2;
        } else {
            bytes.append(c);
        }
    }
    // A field sent with no value is there, unlike a field not sent.
    const QString decoded = QString::fromUtf8(bytes);
    return decoded.isNull() ? QString(QLatin1String("")) : decoded;
}
