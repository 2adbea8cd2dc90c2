#include "platform/asp/testing/CAspTestRequest.h"

void CAspTestRequest::SetMethod(const QString& method)
{
    SetServerVariable(QStringLiteral("REQUEST_METHOD"), method);
}

void CAspTestRequest::AddQueryString(const QString& key, const QString& value)
{
    m_query.append({key, value});
}

void CAspTestRequest::AddForm(const QString& key, const QString& value)
{
    m_form.append({key, value});
}

void CAspTestRequest::AddCookie(const QString& name, const QString& value)
{
    m_cookies.append({name, value});
}

void CAspTestRequest::SetServerVariable(const QString& name, const QString& value)
{
    for (auto& field : m_variables) {
        if (field.first.compare(name, Qt::CaseInsensitive) == 0) {
            field.second = value;
            return;
        }
    }
    m_variables.append({name, value});
}

QString CAspTestRequest::Lookup(const Fields& fields, const QString& key)
{
    QString result;
    for (const auto& field : fields) {
        if (field.first.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        if (result.isNull())
            result = field.second.isNull() ? QStringLiteral("") : field.second;
        else
            result += QStringLiteral(", ") + field.second;
    }
    return result;
}

QString CAspTestRequest::QueryString(const QString& key) const { return Lookup(m_query, key); }

QString CAspTestRequest::Form(const QString& key) const { return Lookup(m_form, key); }

QString CAspTestRequest::Cookie(const QString& name) const { return Lookup(m_cookies, name); }

QString CAspTestRequest::ServerVariable(const QString& name) const
{
    return Lookup(m_variables, name);
}

QString CAspTestRequest::Item(const QString& key) const
{
    for (const Fields* fields : {&m_query, &m_form, &m_cookies, &m_variables}) {
        const QString value = Lookup(*fields, key);
        if (!value.isNull())
            return value;
    }
    return QString();
}
