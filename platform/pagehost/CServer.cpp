#include "platform/pagehost/CServer.h"

#include "platform/pagehost/CBuiltinObjects.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/asp/CAspCallGuard.h"
#include "platform/asp/CAspComponent.h"
#include "platform/asp/CAspObjectRegistry.h"

#include <QJSEngine>

#include <stdexcept>

CServer::CServer(QObject* parent) : QObject(parent) {}

CServer::~CServer() { EndPageObjects(); }

QString CServer::MapPath(const QString& virtualPath) const
{
    const QString path = m_folders ? m_folders->MapPath(virtualPath) : QString();
    if (path.isEmpty())
        throw std::runtime_error(QStringLiteral("Percorso non valido: %1").arg(virtualPath).toStdString());
    return path;
}

CAspComponent* CServer::CreateObject(const QString& progId)
{
    CAspComponent* component = CAspObjectRegistry::Instance().CreateAndStart(progId, m_builtins);
    if (!component)
        return nullptr;
    // The page owns it until the page ends, not the script engine.
    QJSEngine::setObjectOwnership(component, QJSEngine::CppOwnership);
    m_components.append(component);
    return component;
}

QString CServer::ScriptMapPath(const QString& virtualPath) const
{
    return CAspCallGuard::Run(m_builtins, [&] { return MapPath(virtualPath); });
}

QObject* CServer::ScriptCreateObject(const QString& progId)
{
    return CAspCallGuard::Run(m_builtins, [&]() -> QObject* { return CreateObject(progId); });
}

void CServer::SetScriptTimeout(int seconds)
{
    if (seconds < 1)
        return;
    m_scriptTimeout = seconds;
    if (m_timeoutHandler)
        m_timeoutHandler(seconds);
}

QStringList CServer::EndPageObjects()
{
    QStringList errors;
    const QList<QPointer<CAspComponent>> components = std::exchange(m_components, {});
    for (const QPointer<CAspComponent>& component : components) {
        if (!component)
            continue;
        try {
            component->OnEndPage();
        } catch (const std::exception& error) {
            errors.append(QString::fromUtf8(error.what()));
        }
        delete component.data();
    }
    if (m_builtins)
        errors += m_builtins->TakeErrors();
    return errors;
}
