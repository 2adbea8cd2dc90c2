#include "desktop/customers/CMailingSmsRequests.h"

#include "desktop/customers/CSmsRequests.h"

namespace {

IMailingSms::Reply FromRequest(const CSmsRequests::Reply& reply)
{
    IMailingSms::Reply result;
    result.bContacted = reply.bContacted;
    result.strText = reply.strReply;
    return result;
}

} // namespace

CMailingSmsRequests::CMailingSmsRequests(CDaoDatabase& db)
    : m_bLoaded(CSmsRequests::LoadSmsSettings(db, m_settings))
{
}

bool CMailingSmsRequests::LoadSettings()
{
    return m_bLoaded;
}

IMailingSms::Reply CMailingSmsRequests::CheckCredit()
{
    return FromRequest(CSmsRequests::RequestCredit(m_settings));
}

IMailingSms::Reply CMailingSmsRequests::Send(const QString& originator, const QString& recipient,
                                             const QString& text)
{
    return FromRequest(CSmsRequests::Send(m_settings, originator, recipient, text));
}
