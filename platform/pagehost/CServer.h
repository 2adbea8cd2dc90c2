#pragma once

#include "platform/asp/IAspServer.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

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

    // OnEndPage for every object created since the last call, in creation
    // order, then deletes them. Returns the errors they raised.
    QStringList EndPageObjects();

private:
    const CVirtualFolders* m_folders = nullptr;
    CBuiltinObjects* m_builtins = nullptr;
    QList<QPointer<CAspComponent>> m_components;
};
