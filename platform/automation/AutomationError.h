#pragma once

#include "AppError.h"

#include <QString>

// A failed late-bound call, property access, answer conversion or object
// creation. It keeps the member and the component apart from the reason so
// that a caller can show all three, as the automation errors of the original
// platform do.
class AutomationError : public AppError
{
public:
    AutomationError(const QString &member, const QString &component, const QString &reason)
        : AppError(compose(member, component, reason)), m_member(member), m_component(component), m_reason(reason)
    {
    }

    // The member (method or property) whose call failed; empty for creation.
    const QString &member() const noexcept { return m_member; }
    // The component's own description of itself (its ProgID or a readable name).
    const QString &component() const noexcept { return m_component; }
    // What went wrong, in the component's words.
    const QString &reason() const noexcept { return m_reason; }

private:
    static QString compose(const QString &member, const QString &component, const QString &reason)
    {
        if (member.isEmpty())
            return QStringLiteral("%1: %2").arg(component, reason);
        return QStringLiteral("%1.%2: %3").arg(component, member, reason);
    }

    QString m_member;
    QString m_component;
    QString m_reason;
};
