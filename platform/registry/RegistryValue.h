#pragma once

#include <QString>
#include <cstdint>

enum class RegistryValueType {
    Absent,       // no such key or value, or the value was deleted
    String,       // REG_SZ:        "Name"="text"  or  "Name"=hex(1):...
    ExpandString, // REG_EXPAND_SZ: "Name"=hex(2):...
    Number,       // REG_DWORD:     "Name"=dword:0000002a  or  "Name"=hex(4):...
    Other,        // present, of a type the tool does not read (binary, multi-string, ...)
};

// One value as read from the user registry. text holds the string of the two
// string types (environment references of an expandable string not
// expanded); number the value of a REG_DWORD.
struct RegistryValue
{
    RegistryValueType type = RegistryValueType::Absent;
    QString text;
    std::uint32_t number = 0;

    bool operator==(const RegistryValue &) const = default;
};
