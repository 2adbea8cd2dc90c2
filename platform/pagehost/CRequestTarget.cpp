#include "platform/pagehost/CRequestTarget.h"

CRequestTarget::CRequestTarget(const QByteArray& requestText)
{
    const qsizetype lineEnd = requestText.indexOf("\r\n");
    const QByteArray line = lineEnd < 0 ? requestText : requestText.left(lineEnd);
    const qsizetype firstSpace = line.indexOf(' ');
    m_method = firstSpace < 0 ? line : line.left(firstSpace);
    if (firstSpace < 0)
        return;
    qsizetype secondSpace = line.indexOf(' ', firstSpace + 1);
    if (secondSpace < 0)
        secondSpace = line.size();
    const QByteArray target = line.mid(firstSpace + 1, secondSpace - firstSpace - 1);
    const qsizetype question = target.indexOf('?');
    QByteArray path = question < 0 ? target : target.left(question);
    if (question >= 0)
        m_query = target.mid(question + 1);
    if (path == "/")
        path = "/default.asp";
    m_path = QString::fromUtf8(QByteArray::fromPercentEncoding(path));
}
