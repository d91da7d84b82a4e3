#include "U_misc.h"

#include <array>

namespace {

struct TypeEntry
{
    const char *name;
    std::int32_t flag;
};

constexpr std::array<TypeEntry, BarcodeTypeCount> typeTable{{
    {"Code39", BarcodeFlag::Code39},
    {"Code128", BarcodeFlag::Code128},
    {"Code2of5interleaved", BarcodeFlag::Interleaved25},
    {"Code2of5", BarcodeFlag::Industrial25},
    {"Codabar", BarcodeFlag::Codabar},
    {"EAN8", BarcodeFlag::Ean8},
    {"EAN13", BarcodeFlag::Ean13},
    {"PatchCodes", BarcodeFlag::Patch},
    {"UPC_A", BarcodeFlag::UpcA},
    {"UPC_E", BarcodeFlag::UpcE},
    {"PDF417", BarcodeFlag::Pdf417},
}};

constexpr std::array<TypeEntry, DirectionCount> directionTable{{
    {"Left -> Right", 1},
    {"Top -> Bottom", 2},
    {"Right -> Left", 4},
    {"Bottom -> Top", 8},
}};

template <std::size_t N>
std::int32_t convert(const std::array<TypeEntry, N> &table, std::int32_t value, bool toFlag)
{
    if (toFlag)
        return value >= 0 && value < static_cast<std::int32_t>(N) ? table[value].flag : table[0].flag;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].flag == value)
            return static_cast<std::int32_t>(i);
    return 0;
}

template <std::size_t N>
QStringList names(const std::array<TypeEntry, N> &table)
{
    QStringList result;
    for (const auto &entry : table)
        result << QString::fromLatin1(entry.name);
    return result;
}

} // namespace

std::int32_t ConvertBarcodeType(std::int32_t Value, bool ToFlag)
{
    return convert(typeTable, Value, ToFlag);
}

std::int32_t ConvertDirection(std::int32_t Value, bool ToFlag)
{
    return convert(directionTable, Value, ToFlag);
}

QString BarcodeTypeName(std::int32_t Code)
{
    for (const auto &entry : typeTable)
        if (entry.flag == Code)
            return QString::fromLatin1(entry.name);
    return {};
}

QStringList barcodeTypeNames()
{
    return names(typeTable);
}

QStringList directionNames()
{
    return names(directionTable);
}
