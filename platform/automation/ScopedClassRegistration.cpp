#include "ScopedClassRegistration.h"

ScopedClassRegistration::ScopedClassRegistration(QString progId, automation::Factory factory)
    : m_progId(std::move(progId)), m_previous(automation::factoryFor(m_progId))
{
    automation::registerClass(m_progId, [count = m_creations, factory = std::move(factory)] {
        ++*count;
        return factory ? factory() : nullptr;
    });
}

ScopedClassRegistration::ScopedClassRegistration(QString progId, AutomationObjectPtr object)
    : ScopedClassRegistration(std::move(progId), automation::Factory([object] { return object; }))
{
}

ScopedClassRegistration::~ScopedClassRegistration()
{
    if (m_previous)
        automation::registerClass(m_progId, m_previous);
    else
        automation::unregisterClass(m_progId);
}
