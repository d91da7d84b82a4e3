#pragma once

#include "ClassRegistry.h"

// Registers a factory for the lifetime of this object and then puts back what
// was registered under the ProgID before (or nothing). Tests use it to stand
// a scripted object in for a component.
class ScopedClassRegistration
{
public:
    ScopedClassRegistration(QString progId, automation::Factory factory);
    // Registers a factory that always hands out this one object, so that the
    // test can look at the calls it received.
    ScopedClassRegistration(QString progId, AutomationObjectPtr object);
    ~ScopedClassRegistration();

    ScopedClassRegistration(const ScopedClassRegistration &) = delete;
    ScopedClassRegistration &operator=(const ScopedClassRegistration &) = delete;

    // How often the registered factory was asked for an object.
    int creations() const { return *m_creations; }

private:
    QString m_progId;
    automation::Factory m_previous;
    std::shared_ptr<int> m_creations = std::make_shared<int>(0);
};
