#include "platform/pagehost/CSession.h"

#include "platform/pagehost/CScriptValue.h"

CSession::CSession(QObject* parent) : CScriptValues(parent) {}

QString CSession::ConversionError() { return CScriptValue::ConversionError(); }

void CSession::SetSessionID(const QString& id)
{
    m_id = id;
    m_abandoned = false;
    m_renew = false;
}
