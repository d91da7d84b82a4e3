#pragma once

#include "RegistryValue.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <map>

// The contents of a registry export in the Windows .reg format (the header line
// "Windows Registry Editor Version 5.00", [key] sections, "Name"=value lines).
// The text is UTF-8, with or without a byte-order mark, or UTF-16LE with its
// byte-order mark as Windows writes it. The file is untrusted: a file without
// the header reads as empty, and a line that does not parse is skipped
// (as are [-key] sections and values of the form "Name"=-), so nothing in it
// can do more than hide values. Later lines override earlier ones.
//
// Key paths and value names compare without regard to case, as in the
// Windows registry; "@" is the key's default value (name "").
class RegistryFile
{
public:
    static RegistryFile parse(const QByteArray &content);
    // A missing or unreadable file gives an empty registry.
    static RegistryFile load(const QString &path);

    // keyPath is a full path such as
    // "HKEY_CURRENT_USER\Software\ELO Digital\Elo32.1\Options".
    RegistryValue value(const QString &keyPath, const QString &name) const;
    bool hasKey(const QString &keyPath) const;
    int keyCount() const { return int(m_keys.size()); }

private:
    std::map<QString, QHash<QString, RegistryValue>> m_keys;
};
