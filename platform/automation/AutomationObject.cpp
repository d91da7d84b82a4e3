#include "AutomationObject.h"

#include "AutomationError.h"
#include "AutomationVariant.h"

AutomationObject::~AutomationObject() = default;

template <typename F> auto AutomationObject::guarded(const QString &member, F &&f) -> decltype(f())
{
    try {
        return f();
    } catch (const AutomationError &) {
        // Already names the member and component where it arose (possibly a
        // sub-object); rewrapping would hide that.
        throw;
    } catch (const AppError &e) {
        throw AutomationError(member, description(), e.message());
    } catch (const std::exception &e) {
        throw AutomationError(member, description(), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        throw AutomationError(member, description(), QStringLiteral("Unbekannter Fehler."));
    }
}

QVariant AutomationObject::call(const QString &member, AutomationArgs &args)
{
    return guarded(member, [&] { return invoke(member, args); });
}

QVariant AutomationObject::call(const QString &member, const QVariantList &byValueArgs)
{
    AutomationArgs args;
    args.reserve(byValueArgs.size());
    for (const QVariant &v : byValueArgs)
        args.append(AutomationArg::byValue(v));
    return call(member, args);
}

std::int32_t AutomationObject::callInt32(const QString &member, AutomationArgs &args)
{
    const QVariant answer = call(member, args);
    if (const auto value = automation::variantToInt32(answer))
        return *value;
    throw AutomationError(member, description(), QStringLiteral("Typkonflikt: die Antwort ist keine Ganzzahl."));
}

QString AutomationObject::callString(const QString &member, AutomationArgs &args)
{
    const QVariant answer = call(member, args);
    if (auto value = automation::variantToString(answer))
        return *value;
    throw AutomationError(member, description(), QStringLiteral("Typkonflikt: die Antwort ist kein Text."));
}

QVariant AutomationObject::getProperty(const QString &name)
{
    return guarded(name, [&] { return readProperty(name); });
}

void AutomationObject::setProperty(const QString &name, const QVariant &value)
{
    guarded(name, [&] { writeProperty(name, value); });
}

QVariant AutomationObject::readProperty(const QString &)
{
    unknownMember();
}

void AutomationObject::writeProperty(const QString &, const QVariant &)
{
    unknownMember();
}

void AutomationObject::unknownMember()
{
    throw AppError(QStringLiteral("Unbekannter Name."));
}
