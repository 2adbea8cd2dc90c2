#pragma once

#include "platform/asp/IAspScriptingContext.h"

#include <QStringList>

class CApplication;
class CRequest;
class CResponse;
class CServer;
class CSession;
class QJSEngine;

// The scripting context handed to every object a page creates: the page's
// Request, Response and Server and the session it runs in. The preview has
// no Application and runs the shop in local mode.
class CBuiltinObjects : public IAspScriptingContext
{
public:
    void SetObjects(CRequest* request, CResponse* response, CServer* server, CSession* session);
    void SetApplication(CApplication* application) { m_application = application; }
    void SetLocalMode(bool on) { m_localMode = on; }

    // While a script runs its errors are thrown into it; otherwise (a page
    // end, a C++ caller) they wait here for the page runner.
    void SetRunningEngine(QJSEngine* engine) { m_engine = engine; }
    QStringList TakeErrors();

    IAspRequest* Request() override;
    IAspResponse* Response() override;
    IAspServer* Server() override;
    IAspSession* Session() override;
    IAspApplication* Application() override;
    bool IsLocalMode() const override { return m_localMode; }
    void RaiseError(const QString& message) override;

    CRequest* RequestObject() const { return m_request; }
    CResponse* ResponseObject() const { return m_response; }
    CServer* ServerObject() const { return m_server; }
    CSession* SessionObject() const { return m_session; }
    CApplication* ApplicationObject() const { return m_application; }

private:
    CRequest* m_request = nullptr;
    CResponse* m_response = nullptr;
    CServer* m_server = nullptr;
    CSession* m_session = nullptr;
    CApplication* m_application = nullptr;
    bool m_localMode = true;
    QJSEngine* m_engine = nullptr;
    QStringList m_errors;
};
