#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Strict decimal conversion: an optional sign and decimal digits only (leading
// zeros allowed), within the 32-bit signed range. No blanks, no hexadecimal,
// no fraction: stored data and command-line values are untrusted.
std::optional<std::int32_t> parseStrictInt32(QStringView text);

// As parseStrictInt32, but a text that is no such integer raises a
// ConversionError that quotes it.
std::int32_t strictToInt32(const QString &text);
