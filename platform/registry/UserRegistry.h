#pragma once

#include "RegistryValue.h"

#include <QString>

// Read access to HKEY_CURRENT_USER: registry.reg in the platform folder, read
// afresh on every call so that a change shows at once. Never raises; a missing
// or malformed file reads as no value.
//
//   readUserRegistryValue("Software\\ELO Digital\\Elo32.1\\Options", "ActiveUser")
RegistryValue readUserRegistryValue(const QString &key, const QString &name);

// The path of registry.reg in the platform folder.
QString userRegistryPath();
