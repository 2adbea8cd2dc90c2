#include "platform/pagehost/CSession.h"

#include "platform/pagehost/CScriptValue.h"

CSession::CSession(QObject* parent) : CScriptValues(parent) {}

QString CSession::ConversionError() { return CScriptValue::ConversionError(); }
