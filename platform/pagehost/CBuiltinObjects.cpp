#include "platform/pagehost/CBuiltinObjects.h"

#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CRequest.h"
#include "platform/pagehost/CResponse.h"
#include "platform/pagehost/CServer.h"
#include "platform/pagehost/CSession.h"

#include <QJSEngine>

void CBuiltinObjects::SetObjects(CRequest* request, CResponse* response, CServer* server, CSession* session)
{
    m_request = request;
    m_response = response;
    m_server = server;
    m_session = session;
}

QStringList CBuiltinObjects::TakeErrors()
{
    QStringList errors;
    errors.swap(m_errors);
    return errors;
}

IAspRequest* CBuiltinObjects::Request() { return m_request; }
IAspResponse* CBuiltinObjects::Response() { return m_response; }
IAspServer* CBuiltinObjects::Server() { return m_server; }
IAspSession* CBuiltinObjects::Session() { return m_session; }
IAspApplication* CBuiltinObjects::Application() { return m_application; }

void CBuiltinObjects::RaiseError(const QString& message)
{
    if (m_engine)
        m_engine->throwError(message);
    else
        m_errors.append(message);
}
