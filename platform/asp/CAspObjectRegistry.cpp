#include "platform/asp/CAspObjectRegistry.h"

#include "platform/asp/CAspComponent.h"

#include <QMutexLocker>

#include <memory>

CAspObjectRegistry& CAspObjectRegistry::Instance()
{
    static CAspObjectRegistry registry;
    return registry;
}

void CAspObjectRegistry::Register(const QString& progId, Factory factory)
{
    QMutexLocker lock(&m_mutex);
    m_factories.insert(progId.toLower(), std::move(factory));
}

bool CAspObjectRegistry::Contains(const QString& progId) const
{
    QMutexLocker lock(&m_mutex);
    return m_factories.contains(progId.toLower());
}

QStringList CAspObjectRegistry::ProgIds() const
{
    QMutexLocker lock(&m_mutex);
    return m_factories.keys();
}

CAspComponent* CAspObjectRegistry::Create(const QString& progId) const
{
    Factory factory;
    {
        QMutexLocker lock(&m_mutex);
        factory = m_factories.value(progId.toLower());
    }
    return factory ? factory() : nullptr;
}

CAspComponent* CAspObjectRegistry::CreateAndStart(const QString& progId,
                                                  IAspScriptingContext* context) const
{
    std::unique_ptr<CAspComponent> object(Create(progId));
    if (object)
        object->OnStartPage(context);
    return object.release();
}
