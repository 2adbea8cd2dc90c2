#pragma once

#include <QString>

class IAspApplication;
class IAspRequest;
class IAspResponse;
class IAspServer;
class IAspSession;

// What a page hands to each object it creates: the page's host objects.
// The objects live as long as the page; server objects keep the pointers
// only until Free/OnEndPage.
class IAspScriptingContext
{
public:
    virtual ~IAspScriptingContext() = default;

    virtual IAspRequest* Request() = 0;
    virtual IAspResponse* Response() = 0;
    virtual IAspServer* Server() = 0;
    virtual IAspSession* Session() = 0;
    // nullptr where the host keeps no site-wide values (the desktop preview).
    virtual IAspApplication* Application() = 0;

    // Local mode: the host runs the shop inside the desktop's preview. The
    // server objects then identify no visitors, keep no site-wide counters
    // and send no e-mail.
    virtual bool IsLocalMode() const = 0;

    // Makes the script call now running fail with this message once it
    // returns to the page (QJSEngine::throwError in a script host). Called
    // by CAspCallGuard; C++ callers get exceptions instead.
    virtual void RaiseError(const QString& message) = 0;
};
