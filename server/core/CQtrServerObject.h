#pragma once

#include "platform/asp/CAspCallGuard.h"
#include "platform/ado/CAdoConnection.h"
#include "platform/asp/CAspComponent.h"

#include <QPointer>
#include <QString>
#include <QVariant>

class CAdoConnection;
class IAspApplication;
class IAspRequest;
class IAspResponse;
class IAspServer;
class IAspSession;

// The frame every class of the server component follows: started by the
// page with its scripting context, a connection of its own or the page's
// shared one, and Free (also called by OnEndPage) releasing everything
// once. Script-facing members run through Guard, so a failure reaches the
// page as a script error; C++ callers get the exception.
class CQtrServerObject : public CAspComponent
{
    Q_OBJECT
public:
    explicit CQtrServerObject(QObject* parent = nullptr);
    ~CQtrServerObject() override;

    void OnStartPage(IAspScriptingContext* context) override;
    Q_INVOKABLE void OnEndPage() override;
    Q_INVOKABLE void Free();

    bool IsStarted() const { return m_started; }
    CAdoConnection* Connection() const;   // throws when there is none

protected:
    template <class Body>
    auto Guard(Body&& body) -> decltype(body())
    {
        return CAspCallGuard::Run(m_context, std::forward<Body>(body));
    }

    // What a class adds to the start and the release; the defaults obtain
    // the connection as the classes with SetConn do.
    virtual void Start();
    virtual void ReleaseRecordsets() {}
    virtual void ReleaseConnection();

    // Opens a connection of the object's own to the database in folder.
    void OpenOwnConnection(const QString& folder);
    // Keeps a connection handed over by the page; it is never closed here.
    void UseConnection(QObject* connect);
    void CloseOwnConnection();
    // Closes the object's own connection and the one it now uses.
    void CloseEveryConnection();
    CAdoConnection* CurrentConnection() const { return m_connection; }
    // The folder of the serving shop's database.
    QString ShopDatabaseFolder() const;

    IAspScriptingContext* Context() const { return m_context; }
    IAspRequest* Request() const;
    IAspResponse* Response() const;
    IAspServer* Server() const;
    IAspSession* Session() const;

    QVariant SessionValue(const QString& key) const;
    QString SessionText(const QString& key) const;
    bool SessionFlag(const QString& key) const;
    void SetSession(const QString& key, const QVariant& value) const;
    // A value that serves the page (IAspSession::SetPageValue).
    void SetSessionPagina(const QString& key, const QVariant& value) const;
    // A request value: the query string for a GET, the form otherwise.
    QString RequestValue(const QString& key) const;

private:
    IAspScriptingContext* m_context = nullptr;
    bool m_started = false;
    QPointer<CAdoConnection> m_connection;
    CAdoConnection* m_ownConnection = nullptr;
};
