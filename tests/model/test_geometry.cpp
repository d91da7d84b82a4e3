#include "AppError.h"
#include "AreaGeometry.h"
#include "StrictInt.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(StrictInt, AcceptsOnlySignAndDigitsInRange)
{
    struct Case
    {
        const char16_t *text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {u"0", 0},
        {u"42", 42},
        {u"007", 7},
        {u"+5", 5},
        {u"-5", -5},
        {u"-0", 0},
        {u"2147483647", INT32_MAX},
        {u"-2147483648", INT32_MIN},
        {u"00000000000000000000012", 12},
        {u"2147483648", std::nullopt},
        {u"-2147483649", std::nullopt},
        {u"99999999999999999999999", std::nullopt},
        {u"", std::nullopt},
        {u"+", std::nullopt},
        {u"-", std::nullopt},
        {u" 5", std::nullopt},
        {u"5 ", std::nullopt},
        {u"$1F", std::nullopt},
        {u"0x10", std::nullopt},
        {u"1.5", std::nullopt},
        {u"1e3", std::nullopt},
        {u"--5", std::nullopt},
        {u"5\n", std::nullopt},
        {u"\u0665", std::nullopt}, // Arabic-Indic five: a digit, but not a decimal ASCII one
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseStrictInt32(QStringView(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(StrictInt, ErrorQuotesTheText)
{
    try {
        strictToInt32(QStringLiteral("12a"));
        FAIL() << "no error";
    } catch (const ConversionError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("'12a'")));
    }
}

TEST(RectToAreaText, Cases)
{
    struct Case
    {
        std::int32_t left, top, width, height, imageWidth, imageHeight;
        const char *expected;
    };
    const Case cases[] = {
        {1, 3, 1, 1, 80, 80, "12,38,25,50"},               // ties to even both ways
        {0, 0, 80, 80, 80, 80, "0,0,1000,1000"},           // the whole image
        {-10, -1, 20, 5, 100, 100, "0,0,100,40"},          // starts left of and above the image
        {90, 90, 50, 50, 100, 100, "900,900,1000,1000"},   // reaches past right and bottom
        {0, 0, -5, -5, 100, 100, "0,0,0,0"},               // negative extent clamps to 0
        {1, 1, 1, 1, 2000, 2000, "0,0,1,1"},               // 0.5 -> 0, 1.0 -> 1
        {3, 5, 0, 0, 2000, 2000, "2,2,2,2"},               // 1.5 -> 2, 2.5 -> 2
        {2480, 3508, 0, 0, 2480, 3508, "1000,1000,1000,1000"},
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 1, 1, "1000,1000,1000,1000"}, // no wrap-around
        {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, 1, 1, "0,0,0,0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RectToAreaText(c.left, c.top, c.width, c.height, c.imageWidth, c.imageHeight).toStdString(),
                  c.expected)
            << c.left << "," << c.top << "," << c.width << "," << c.height;
}

TEST(RectToAreaText, ScaleMultipliesBeforeDividing)
{
    EXPECT_EQ(RectToAreaText(10, 10, 10, 10, 100, 100, 2.0, 0.5), QStringLiteral("200,50,400,100"));
    EXPECT_EQ(RectToAreaText(10, 10, 10, 10, 100, 100, std::nan(""), 1.0), QStringLiteral("0,100,0,200"));
}

TEST(RectToAreaText, RefusesAnImageWithoutSize)
{
    EXPECT_THROW(RectToAreaText(0, 0, 1, 1, 0, 10), AppError);
    EXPECT_THROW(RectToAreaText(0, 0, 1, 1, 10, -1), AppError);
}

TEST(AreaTextToRect, Cases)
{
    struct Case
    {
        const char *text;
        std::int32_t imageWidth, imageHeight;
        TAreaRect expected;
    };
    const Case cases[] = {
        {"12,38,25,50", 80, 80, {0, 3, 2, 1}},
        {"0,0,1000,1000", 2480, 3508, {0, 0, 2480, 3508}},
        {"0,0,1000,1000", 1, 1, {0, 0, 1, 1}},
        {" 10 , 20 ,30,40", 1000, 1000, {10, 20, 20, 20}},
        {"10,20,30,40,50", 1000, 1000, {10, 20, 20, 20}},     // fifth number ignored
        {"10,20,30,40,", 1000, 1000, {10, 20, 20, 20}},       // trailing comma adds nothing
        {"\t10\r,20,30,40\n", 1000, 1000, {10, 20, 20, 20}},  // control characters trimmed
        {"500,500,100,100", 1000, 1000, {500, 500, -400, -400}}, // x2 below x1: negative extent
        {"-100,0,50,1000", 1000, 100, {-100, 0, 150, 100}},
        {"+1,007,999,1000", 3, 3, {0, 0, 2, 3}},               // 2.997 truncates to 2
        {"333,333,667,667", 2480, 3508, {825, 1168, 829, 1171}},
    };
    for (const auto &c : cases) {
        const TAreaRect r = AreaTextToRect(QString::fromLatin1(c.text), c.imageWidth, c.imageHeight);
        EXPECT_EQ(r, c.expected) << c.text << " -> " << r.Left << "," << r.Top << "," << r.Width << ","
                                 << r.Height;
    }
}

TEST(AreaTextToRect, MalformedTextsRaiseAndNameTheText)
{
    const char *bad[] = {
        "",                     // no item
        "1,2,3",                // three items
        "1,2,3,",               // still three
        "1,,3,4",               // empty item
        "1,2,3,x",              // not a number
        "1.5,2,3,4",            // fraction
        "0x10,2,3,4",           // hexadecimal
        "1,2,3,99999999999",    // beyond 32 bits
        "1 2,3,4,5",            // blank inside a number
        ",,,,",
    };
    for (const char *text : bad) {
        try {
            AreaTextToRect(QString::fromLatin1(text), 100, 100);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const ConversionError &e) {
            EXPECT_FALSE(e.message().isEmpty()) << text;
        }
    }
}

TEST(AreaTextNumbers, ChecksLikeTheConversionWithoutAPage)
{
    EXPECT_EQ(AreaTextNumbers(QStringLiteral(" 10 , 20 ,30,40,50")), (std::array<std::int32_t, 4>{10, 20, 30, 40}));
    EXPECT_THROW(AreaTextNumbers(QStringLiteral("1,2,3")), ConversionError);
    EXPECT_THROW(AreaTextNumbers(QStringLiteral("1,2,3,x")), ConversionError);
}

TEST(AreaTextToRect, PixelResultOutsideRangeRaises)
{
    EXPECT_THROW(AreaTextToRect(QStringLiteral("2147483647,0,2147483647,1"), 30000, 100), ConversionError);
    EXPECT_THROW(AreaTextToRect(QStringLiteral("-2147483648,0,0,1"), 30000, 100), ConversionError);
    EXPECT_THROW(AreaTextToRect(QStringLiteral("0,0,10,10"), 0, 100), AppError);
}

TEST(AreaGeometry, TextSurvivesTheWayToPixelsAndBackOnLargePages)
{
    // Truncation loses less than one pixel, which is under half a thousandth
    // from 2000 pixels up: a stored area then keeps its text when redrawn.
    for (int w : {2000, 2480, 3508}) {
        for (int x = 0; x <= 1000; ++x) {
            const QString text = QStringLiteral("%1,0,1000,1000").arg(x);
            const TAreaRect r = AreaTextToRect(text, w, w);
            EXPECT_EQ(RectToAreaText(r.Left, r.Top, r.Width, r.Height, w, w), text) << w;
        }
    }
}

TEST(SplitString, Cases)
{
    struct Case
    {
        const char *text;
        QStringList expected;
    };
    const Case cases[] = {
        {"a,,b", {"a", "", "b"}},
        {"a,b,", {"a", "b"}},
        {"a,b, ", {"a", "b", ""}},
        {"", {}},
        {",", {""}},
        {" a ,\tb", {"a", "b"}},
        {"a", {"a"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SplitString(QString::fromLatin1(c.text), u','), c.expected) << c.text;
}
