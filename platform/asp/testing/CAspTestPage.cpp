#include "platform/asp/testing/CAspTestPage.h"

#include "platform/asp/CAspComponent.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/testing/CAspTestHost.h"

#include <stdexcept>

CAspTestPage::CAspTestPage(CAspTestHost& host) : m_host(host) {}

CAspTestPage::~CAspTestPage() { EndPage(); }

void CAspTestPage::EndPage()
{
    const auto objects = std::exchange(m_objects, {});
    for (const auto& object : objects)
        if (object)
            object->OnEndPage();
    for (const auto& object : objects)
        delete object.data();
}

IAspSession* CAspTestPage::Session() { return &m_host.Session(); }

IAspApplication* CAspTestPage::Application()
{
    return m_host.IsLocalMode() ? nullptr : &m_host.Application();
}

bool CAspTestPage::IsLocalMode() const { return m_host.IsLocalMode(); }

void CAspTestPage::RaiseError(const QString& message)
{
    m_errors.append(message);
    if (m_throwOnError)
        throw std::runtime_error(message.toStdString());
}

QString CAspTestPage::MapPath(const QString& virtualPath) const
{
    return m_host.MapPath(virtualPath);
}

CAspComponent* CAspTestPage::CreateObject(const QString& progId)
{
    CAspComponent* object = CAspObjectRegistry::Instance().CreateAndStart(progId, this);
    if (object)
        m_objects.append(object);
    return object;
}
