#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// The code tables behind the area panel's type and direction combos. Flags are
// single bits so that the reader can take several types as one mask.

inline constexpr int BarcodeTypeCount = 11;

// The type flags by name, for code that speaks of one type (the reader's
// decoders); the combo order lives in the table behind ConvertBarcodeType.
namespace BarcodeFlag {
inline constexpr std::int32_t Code39 = 1, Code128 = 2, Interleaved25 = 4, Industrial25 = 8, Codabar = 16, Ean8 = 32,
                              Ean13 = 64, Patch = 128, UpcA = 256, UpcE = 512, Pdf417 = 1024;
} // namespace BarcodeFlag
inline constexpr int DirectionCount = 4;

// ToFlag true: combo position -> flag (outside the table: 1).
// ToFlag false: flag -> combo position (anything but exactly one flag: 0).
std::int32_t ConvertBarcodeType(std::int32_t Value, bool ToFlag);
std::int32_t ConvertDirection(std::int32_t Value, bool ToFlag);

// The type's name for a single flag; empty for 0, combinations and negatives.
QString BarcodeTypeName(std::int32_t Code);

// The combo entries, in position order.
QStringList barcodeTypeNames();
QStringList directionNames();
