#include "ClassRegistry.h"

#include "AutomationError.h"

#include <QHash>
#include <mutex>

namespace automation {

namespace {
struct Registry
{
    std::mutex mutex;
    QHash<QString, Factory> factories;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}
} // namespace

void registerClass(const QString &progId, Factory factory)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    if (factory)
        r.factories.insert(progId, std::move(factory));
    else
        r.factories.remove(progId);
}

void unregisterClass(const QString &progId)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    r.factories.remove(progId);
}

bool isRegistered(const QString &progId)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    return r.factories.contains(progId);
}

QStringList registeredClasses()
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    QStringList ids = r.factories.keys();
    ids.sort();
    return ids;
}

Factory factoryFor(const QString &progId)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    return r.factories.value(progId);
}

AutomationObjectPtr create(const QString &progId)
{
    // The factory runs outside the lock: it may read files or create other
    // objects through this registry.
    const Factory factory = factoryFor(progId);
    if (!factory)
        throw AutomationError(QString(), progId, QStringLiteral("Ungültige Klassenzeichenfolge."));
    AutomationObjectPtr object;
    try {
        object = factory();
    } catch (const AppError &e) {
        throw AutomationError(QString(), progId, e.message());
    } catch (const std::exception &e) {
        throw AutomationError(QString(), progId, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        throw AutomationError(QString(), progId, QStringLiteral("Unbekannter Fehler."));
    }
    if (!object)
        throw AutomationError(QString(), progId, QStringLiteral("Das Objekt konnte nicht erstellt werden."));
    return object;
}

} // namespace automation
