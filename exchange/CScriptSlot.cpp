#include "exchange/CScriptSlot.h"

CScriptSlot::Holder::Holder(CScriptSlot& slot, std::function<void()> interrupt) : m_slot(slot)
{
    std::lock_guard<std::mutex> lock(m_slot.m_mutex);
    m_slot.m_interrupt = std::move(interrupt);
    if (m_slot.m_interrupted)
        m_slot.m_interrupt();
}

CScriptSlot::Holder::~Holder()
{
    std::lock_guard<std::mutex> lock(m_slot.m_mutex);
    m_slot.m_interrupt = nullptr;
}

void CScriptSlot::Interrupt()
{
    m_interrupted = true;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_interrupt)
        m_interrupt();
}
