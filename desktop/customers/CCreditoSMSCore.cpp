#include "desktop/customers/CCreditoSMSCore.h"

#include "recordset/sync/SyncProtocol.h"

bool CCreditoSMSCore::Load(CDaoDatabase& db)
{
    return CSmsRequests::LoadSmsSettings(db, m_settings);
}

QString CCreditoSMSCore::Request(const SmsSettings& settings)
{
    return TextOf(CSmsRequests::RequestCredit(settings));
}

QString CCreditoSMSCore::TextOf(const CSmsRequests::Reply& reply)
{
    if (!reply.bContacted)
        return QString(SyncProtocol::kServerUnreachable);
    if (CSmsRequests::IsCredit(reply.strReply))
        return QStringLiteral("Credito disponibile: ") + reply.strReply.mid(2) + QStringLiteral(" SMS");
    return reply.strReply;
}
