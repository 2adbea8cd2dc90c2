#pragma once

#include "platform/asp/IAspServer.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class CAspComponent;
class CBuiltinObjects;
class CVirtualFolders;

// Path mapping and object creation for a page, and the objects the page
// created, which it ends when the page ends.
class CServer : public QObject, public IAspServer
{
    Q_OBJECT
public:
    explicit CServer(QObject* parent = nullptr);
    ~CServer() override;

    void SetVirtualFolders(const CVirtualFolders* folders) { m_folders = folders; }
    void SetBuiltinObjects(CBuiltinObjects* record) { m_builtins = record; }

    // IAspServer: failures are thrown.
    QString MapPath(const QString& virtualPath) const override;
    CAspComponent* CreateObject(const QString& progId) override;

    // For scripts: failures become script errors.
    Q_INVOKABLE QString ScriptMapPath(const QString& virtualPath) const;
    Q_INVOKABLE QObject* ScriptCreateObject(const QString& progId);

    // Seconds a page may run before it is stopped. A page may ask for more
    // (Server.ScriptTimeout = 300); values below 1 are ignored. The handler
    // hears every change.
    Q_INVOKABLE int ScriptTimeout() const { return m_scriptTimeout; }
    Q_INVOKABLE void SetScriptTimeout(int seconds);
    void SetTimeoutHandler(std::function<void(int)> handler) { m_timeoutHandler = std::move(handler); }

    // OnEndPage for every object created since the last call, in creation
    // order, then deletes them. Returns the errors they raised.
    QStringList EndPageObjects();

private:
    const CVirtualFolders* m_folders = nullptr;
    CBuiltinObjects* m_builtins = nullptr;
    QList<QPointer<CAspComponent>> m_components;
    int m_scriptTimeout = 90;
    std::function<void(int)> m_timeoutHandler;
};
