#include "UserRegistry.h"

#include "PlatformFolder.h"
#include "RegistryFile.h"

QString userRegistryPath()
{
    return platformFile(QStringLiteral("registry.reg"));
}

RegistryValue readUserRegistryValue(const QString &key, const QString &name)
{
    try {
        return RegistryFile::load(userRegistryPath()).value(QStringLiteral("HKEY_CURRENT_USER\\") + key, name);
    } catch (...) {
        // Only an allocation failure gets here; it counts as no value, as any
        // registry error does for the callers.
        return {};
    }
}
