#pragma once

#include "platform/asp/IAspScriptingContext.h"
#include "platform/asp/IAspServer.h"
#include "platform/asp/testing/CAspTestRequest.h"
#include "platform/asp/testing/CAspTestResponse.h"

#include <QList>
#include <QPointer>
#include <QStringList>

class CAspComponent;
class CAspTestHost;

// One page run in the test host: its request, response and the objects it
// created. By default a script error raised by a server object is thrown
// to the test as std::runtime_error (and also kept in Errors()).
class CAspTestPage : public IAspScriptingContext, public IAspServer
{
public:
    explicit CAspTestPage(CAspTestHost& host);
    ~CAspTestPage() override;

    CAspTestRequest& TestRequest() { return m_request; }
    CAspTestResponse& TestResponse() { return m_response; }

    // Creates an object as a page script does (Server.CreateObject).
    template <class T>
    T* Create(const QString& progId) { return qobject_cast<T*>(CreateObject(progId)); }

    // Ends the page: OnEndPage on every created object in creation order,
    // then deletes them. The destructor does it too.
    void EndPage();

    void SetThrowOnError(bool on) { m_throwOnError = on; }
    QStringList Errors() const { return m_errors; }

    // IAspScriptingContext
    IAspRequest* Request() override { return &m_request; }
    IAspResponse* Response() override { return &m_response; }
    IAspServer* Server() override { return this; }
    IAspSession* Session() override;
    IAspApplication* Application() override;
    bool IsLocalMode() const override;
    void RaiseError(const QString& message) override;

    // IAspServer
    QString MapPath(const QString& virtualPath) const override;
    CAspComponent* CreateObject(const QString& progId) override;

private:
    CAspTestHost& m_host;
    CAspTestRequest m_request;
    CAspTestResponse m_response;
    QList<QPointer<CAspComponent>> m_objects;
    QStringList m_errors;
    bool m_throwOnError = true;
};
