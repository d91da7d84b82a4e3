#include "U_Types.h"
#include "U_misc.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(TOCRField, ConstructorSetsEveryDefault)
{
    const TOCRField f(0);
    EXPECT_EQ(f.ObjectHandle, 0);
    EXPECT_EQ(f.Name, QStringLiteral("0 Barcode-Bereich"));
    EXPECT_EQ(f.BCType, 1);
    EXPECT_EQ(f.BCDirection, 1);
    EXPECT_EQ(f.MinLen, 2);
    EXPECT_EQ(f.MaxLen, 999);
    EXPECT_TRUE(f.Code39StartStop);
    EXPECT_TRUE(f.ConvertUPCE);
    EXPECT_TRUE(f.AllowDuplicate);
    EXPECT_FALSE(f.ExtendedC39);
    EXPECT_FALSE(f.Numeric);
    EXPECT_FALSE(f.OverSampling);
    EXPECT_FALSE(f.Code39Checksum);
    EXPECT_FALSE(f.ErrorCorrection);
    EXPECT_FALSE(f.ShowCheckDig);
    EXPECT_EQ(f.SkewTolerance, 0);
    EXPECT_TRUE(f.BCArea.isEmpty());
    EXPECT_TRUE(f.Pattern.isEmpty());
    EXPECT_EQ(f.NoiseReduction, 0);
    EXPECT_EQ(f.QuietZone, 10);
    EXPECT_EQ(f.LineJump, 5);
    EXPECT_EQ(f.ColorThreshold, 128);
    EXPECT_EQ(f.MinSpaceBar, 1);
}

TEST(TOCRField, NegativeNumberNamesItWithSign)
{
    const TOCRField f(-7);
    EXPECT_EQ(f.ObjectHandle, -7);
    EXPECT_EQ(f.Name, QStringLiteral("-7 Barcode-Bereich"));
}

struct ConversionCase
{
    std::int32_t value;
    bool toFlag;
    std::int32_t expected;
};

TEST(CodeTables, ConvertBarcodeType)
{
    const ConversionCase cases[] = {
        {0, true, 1},     {1, true, 2},       {3, true, 8},        {7, true, 128},    {10, true, 1024},
        {11, true, 1},    {-1, true, 1},      {INT32_MIN, true, 1}, {INT32_MAX, true, 1},
        {1, false, 0},    {2, false, 1},      {128, false, 7},     {1024, false, 10}, {3, false, 0},
        {0, false, 0},    {-1, false, 0},     {2048, false, 0},    {1919, false, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConvertBarcodeType(c.value, c.toFlag), c.expected)
            << "value " << c.value << " toFlag " << c.toFlag;
}

TEST(CodeTables, ConvertDirection)
{
    const ConversionCase cases[] = {
        {0, true, 1},  {1, true, 2},   {2, true, 4},   {3, true, 8},  {4, true, 1},   {-1, true, 1},
        {1, false, 0}, {2, false, 1},  {4, false, 2},  {8, false, 3}, {16, false, 0}, {3, false, 0},
        {0, false, 0}, {15, false, 0}, {-8, false, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConvertDirection(c.value, c.toFlag), c.expected)
            << "value " << c.value << " toFlag " << c.toFlag;
}

TEST(CodeTables, BarcodeTypeNameAndComboEntriesAgree)
{
    const QStringList names = barcodeTypeNames();
    ASSERT_EQ(names.size(), BarcodeTypeCount);
    for (int pos = 0; pos < BarcodeTypeCount; ++pos) {
        const std::int32_t flag = ConvertBarcodeType(pos, true);
        EXPECT_EQ(flag, 1 << pos);
        EXPECT_EQ(BarcodeTypeName(flag), names[pos]);
        EXPECT_EQ(ConvertBarcodeType(flag, false), pos);
    }
    EXPECT_EQ(BarcodeTypeName(128), QStringLiteral("PatchCodes"));
    EXPECT_EQ(names.first(), QStringLiteral("Code39"));
    EXPECT_EQ(names.last(), QStringLiteral("PDF417"));
    for (const std::int32_t code : {0, 3, -1, 1919, 2048, INT32_MIN})
        EXPECT_TRUE(BarcodeTypeName(code).isEmpty()) << code;
    EXPECT_EQ(directionNames(), (QStringList{"Left -> Right", "Top -> Bottom", "Right -> Left", "Bottom -> Top"}));
}
