#include "platform/asp/testing/CAspTestResponse.h"

void CAspTestResponse::SetCookie(const QString& name, const CAspCookie& cookie)
{
    m_cookies.insert(name.toLower(), cookie);
}
