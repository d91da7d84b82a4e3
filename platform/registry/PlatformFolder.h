#pragma once

#include <QString>

// The folder that holds what the Windows platform would keep elsewhere: the
// user registry (registry.reg) and the simulated archive client's state
// (elo-client.json). $BCE_PLATFORM_DIR when set and not empty, otherwise
// ~/.config/barcode-erweiterung/platform. Read afresh on every call, so tests
// can point it at a temporary folder. The folder need not exist.
QString platformFolder();

// A file name inside the platform folder.
QString platformFile(const QString &fileName);
