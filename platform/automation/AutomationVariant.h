#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// The coercions an automation answer undergoes before the tool uses it, after
// the usual automation rules:
// - to a 32-bit integer: integers within range; floating-point values rounded
//   half to even when the result is within range; Booleans as -1 and 0; a
//   string holding a strict decimal integer; an empty answer as 0.
// - to a string: strings as they are; integers and floating-point values in
//   decimal; Booleans as "True"/"False"; an empty answer as "".
// Anything else (null, lists, maps, objects, out of range) does not convert.
namespace automation {
std::optional<std::int32_t> variantToInt32(const QVariant &v);
std::optional<QString> variantToString(const QVariant &v);
} // namespace automation
