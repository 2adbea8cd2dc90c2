#pragma once

#include <QByteArray>
#include <QString>

// The request line's method and target: the target's path (percent escapes
// decoded, "/" taken as "/default.asp") and its query (as sent).
class CRequestTarget
{
public:
    explicit CRequestTarget(const QByteArray& requestText);

    const QByteArray& Method() const { return m_method; }
    const QString& Path() const { return m_path; }
    const QByteArray& Query() const { return m_query; }

private:
    QByteArray m_method;
    QString m_path;
    QByteArray m_query;
};
