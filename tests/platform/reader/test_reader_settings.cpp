#include "QtPrinters.h"
#include "ReaderFixtures.h"
#include "reader/BarcodeEngine.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <functional>

namespace {

// A page, the area to scan on it, and a change of the settings.
struct SettingCase
{
    const char *name;
    std::function<QImage(QRect &area)> page;
    std::function<void(ReaderSettings &)> change;
    QStringList expected; // data read, in order
};

ReaderSettings base()
{
    ReaderSettings s; // the reader's own defaults, all types, all directions
    s.BarcodeTypes = 0x7ff;
    return s;
}

QImage pageWith(const SampleCode &code, QRect &area, int module = 3, int direction = 1, double tilt = 0,
                int barHeight = 150)
{
    QImage page = BarcodeRenderer::blankPage();
    area = placeCode(page, code, {400, 400}, module, direction, tilt, barHeight).adjusted(-60, -60, 60, 60);
    return page;
}

std::function<QImage(QRect &)> one(std::int32_t type, const QString &data, int module = 3, int direction = 1,
                                   double tilt = 0, int barHeight = 150)
{
    return [=](QRect &area) { return pageWith({type, data}, area, module, direction, tilt, barHeight); };
}

QImage twoEqualCodes(QRect &area)
{
    QImage page = BarcodeRenderer::blankPage();
    placeCode(page, {2, "SAME"}, {300, 300});
    placeCode(page, {2, "SAME"}, {300, 700});
    area = QRect(200, 200, 1000, 900);
    return page;
}

QStringList read(const QImage &page, const QRect &area, const ReaderSettings &s)
{
    QStringList out;
    for (const BarcodeResult &r : BarcodeEngine::scan(page.copy(area), area.topLeft(), s))
        out << r.Data;
    return out;
}

QString withCode39Check(const QString &text)
{
    const QString chars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
    int sum = 0;
    for (QChar c : text)
        sum += static_cast<int>(chars.indexOf(c));
    return text + chars[sum % 43];
}

void PrintTo(const SettingCase &c, std::ostream *os)
{
    *os << c.name;
}

} // namespace

class ReaderSettingEffect : public ::testing::TestWithParam<SettingCase>
{
};

TEST_P(ReaderSettingEffect, ChangesWhatIsRead)
{
    const SettingCase &c = GetParam();
    QRect area;
    const QImage page = c.page(area);
    ReaderSettings s = base();
    c.change(s);
    EXPECT_EQ(read(page, area, s), c.expected);
}

const SettingCase SettingCases[] = {
    {"TypesExclude", one(2, "Code128 x9"), [](ReaderSettings &s) { s.BarcodeTypes = 1 | 4 | 64; }, {}},
    {"TypesInclude", one(2, "Code128 x9"), [](ReaderSettings &s) { s.BarcodeTypes = 2; }, {"Code128 x9"}},
    {"DirectionOther", one(2, "DOWN", 3, 2), [](ReaderSettings &s) { s.Directions = 1 | 4 | 8; }, {}},
    {"DirectionDown", one(2, "DOWN", 3, 2), [](ReaderSettings &s) { s.Directions = 2; }, {"DOWN"}},
    {"DirectionLeft", one(1, "LEFT", 3, 4), [](ReaderSettings &s) { s.Directions = 4; }, {"LEFT"}},
    {"DirectionUp", one(8, "8642", 3, 8), [](ReaderSettings &s) { s.Directions = 8; }, {"8642"}},
    {"DirectionUpExcluded", one(8, "8642", 3, 8), [](ReaderSettings &s) { s.Directions = 2; }, {}},
    {"MinLengthAbove", one(2, "Code128 x9"), [](ReaderSettings &s) { s.MinLength = 11; }, {}},
    {"MaxLengthBelow", one(2, "Code128 x9"), [](ReaderSettings &s) { s.MaxLength = 9; }, {}},
    {"LengthExact", one(2, "Code128 x9"), [](ReaderSettings &s) { s.MinLength = s.MaxLength = 10; }, {"Code128 x9"}},
    {"PatchIgnoresLength", one(128, "6"), [](ReaderSettings &s) { s.MinLength = 2; }, {"6"}},
    {"Duplicates", twoEqualCodes, [](ReaderSettings &s) { s.AllowDuplicateValues = true; }, {"SAME", "SAME"}},
    {"NoDuplicates", twoEqualCodes, [](ReaderSettings &s) { s.AllowDuplicateValues = false; }, {"SAME"}},
    {"Code39ChecksumHidden", one(1, withCode39Check("ABC-123")),
     [](ReaderSettings &s) { s.Code39Checksum = true; s.ShowCheckDigit = false; }, {"ABC-123"}},
    {"Code39ChecksumShown", one(1, withCode39Check("ABC-123")),
     [](ReaderSettings &s) { s.Code39Checksum = true; s.ShowCheckDigit = true; }, {withCode39Check("ABC-123")}},
    {"Code39ChecksumWrong", one(1, "ABC-1234"), [](ReaderSettings &s) { s.Code39Checksum = true; }, {}},
    {"Code39ChecksumOff", one(1, "ABC-1234"), [](ReaderSettings &s) { s.Code39Checksum = false; }, {"ABC-1234"}},
    {"Code39StartStopShown", one(1, "ABC"), [](ReaderSettings &s) { s.Code39StartStop = false; }, {"*ABC*"}},
    {"ExtendedCode39", one(1, "+A+B/A"), [](ReaderSettings &s) { s.ExtendedCode39 = true; }, {"ab!"}},
    {"PlainCode39", one(1, "+A+B/A"), [](ReaderSettings &s) { s.ExtendedCode39 = false; }, {"+A+B/A"}},
    {"UpcEAsEan13", one(512, "01234565"), [](ReaderSettings &s) { s.ConvertUPCEToEAN13 = true; }, {"0012345000065"}},
    {"UpcEAsIs", one(512, "01234565"), [](ReaderSettings &s) { s.ConvertUPCEToEAN13 = false; }, {"01234565"}},
    {"CheckDigitHidden", one(64, "4006381333931"), [](ReaderSettings &s) { s.ShowCheckDigit = false; }, {"400638133393"}},
    {"NumericRefusesText", one(2, "AB12"), [](ReaderSettings &s) { s.ReadNumeric = true; }, {}},
    {"NumericReadsDigits", one(4, "123456"), [](ReaderSettings &s) { s.ReadNumeric = true; }, {"123456"}},
    {"PatternDigits", one(8, "4711"), [](ReaderSettings &s) { s.Pattern = "47#1"; }, {"4711"}},
    {"PatternLetters", one(8, "4711"), [](ReaderSettings &s) { s.Pattern = "@*"; }, {}},
    {"PatternAlternative", one(8, "4711"), [](ReaderSettings &s) { s.Pattern = "12*|4?1*"; }, {"4711"}},
    {"SkewWithin", one(2, "TILT", 3, 1, 10), [](ReaderSettings &s) { s.SkewTolerance = 1; }, {"TILT"}},
    {"SkewBeyond", one(2, "TILT", 3, 1, 10), [](ReaderSettings &s) { s.SkewTolerance = 0; }, {}},
    {"SkewSteep", one(2, "TILT", 3, 1, 30), [](ReaderSettings &s) { s.SkewTolerance = 4; }, {"TILT"}},
    {"SkewSteepBeyond", one(2, "TILT", 3, 1, 30), [](ReaderSettings &s) { s.SkewTolerance = 2; }, {}},
    // A line crossing the steep code obliquely reads a valid-looking first part.
    {"SteepCodeNoFragment", one(4, "1234567890", 3, 1, 35.5),
     [](ReaderSettings &s) { s.SkewTolerance = 5; s.MaxLength = 8; }, {}},
    {"ThinBarsKept", one(2, "THIN", 2), [](ReaderSettings &s) { s.MinSpaceBarWidth = 1; }, {"THIN"}},
    {"ThinBarsDropped", one(2, "THIN", 2), [](ReaderSettings &s) { s.MinSpaceBarWidth = 3; }, {}},
    {"WideBarsKept", one(2, "WIDE", 5), [](ReaderSettings &s) { s.MinSpaceBarWidth = 3; }, {"WIDE"}},
    {"ShortBarsOneLine", one(8, "2468", 3, 1, 0, 1), [](ReaderSettings &s) { s.ErrorCorrection = true; s.LineJump = 1; }, {"2468"}},
    {"ShortBarsTwoLines", one(8, "2468", 3, 1, 0, 1), [](ReaderSettings &s) { s.ErrorCorrection = false; s.LineJump = 1; }, {}},
    {"LineJumpDense", one(8, "2468", 3, 1, 0, 8), [](ReaderSettings &s) { s.LineJump = 1; }, {"2468"}},
    {"LineJumpSparse", one(8, "2468", 3, 1, 0, 8), [](ReaderSettings &s) { s.LineJump = 25; }, {}},
};

INSTANTIATE_TEST_SUITE_P(Reader, ReaderSettingEffect, ::testing::ValuesIn(SettingCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A code printed in light grey: only a threshold above its grey finds it.
TEST(ReaderSettings, ColorThresholdDecidesWhatCountsAsInk)
{
    QImage page = BarcodeRenderer::blankPage();
    QImage code = BarcodeRenderer::render(8, "1357");
    for (int y = 0; y < code.height(); ++y)
        for (uchar *p = code.scanLine(y), *e = p + code.width(); p != e; ++p)
            *p = *p < 128 ? 150 : 255;
    const QRect area = BarcodeRenderer::place(page, code, {400, 400}).adjusted(-30, -30, 30, 30);
    ReaderSettings s = base();
    s.BarcodeTypes = 8;
    s.ColorThreshold = 128;
    EXPECT_TRUE(read(page, area, s).isEmpty());
    s.ColorThreshold = 200;
    EXPECT_EQ(read(page, area, s), QStringList{"1357"});
}

// A dark block close to the code: the quiet zone asked for decides.
TEST(ReaderSettings, QuietZoneSizeRefusesCrowdedCodes)
{
    QImage page = BarcodeRenderer::blankPage();
    BarcodeRenderer::Options o;
    o.quietZone = 0;
    const QRect box = BarcodeRenderer::place(page, BarcodeRenderer::render(2, "CROWD", o), {400, 400});
    QPainter(&page).fillRect(QRect(box.right() + 1 + 7 * 3, box.top(), 40, box.height()), Qt::black);
    QPainter(&page).fillRect(QRect(box.left() - 40 - 7 * 3, box.top(), 40, box.height()), Qt::black);
    const QRect area = box.adjusted(-120, -40, 120, 40);
    ReaderSettings s = base();
    s.QuietZoneSize = 5;
    EXPECT_EQ(read(page, area, s), QStringList{"CROWD"});
    s.QuietZoneSize = 10;
    EXPECT_TRUE(read(page, area, s).isEmpty());
}

// Specks in the bars and spaces break our own scan-line decoders; the
// median passes of the noise reduction remove them.
TEST(ReaderSettings, NoiseReductionRemovesSpecks)
{
    QImage page = BarcodeRenderer::blankPage();
    const QRect area = placeCode(page, {8, "97531"}, {400, 400}, 4).adjusted(-30, -30, 30, 30);
    QRandomGenerator rng(7);
    for (int i = 0; i < area.width() * area.height() / 12; ++i) {
        const int x = area.left() + int(rng.bounded(area.width()));
        const int y = area.top() + int(rng.bounded(area.height()));
        uchar &p = page.scanLine(y)[x];
        p = 255 - p;
    }
    ReaderSettings s = base();
    s.BarcodeTypes = 8;
    s.NoiseReduction = 0;
    EXPECT_TRUE(read(page, area, s).isEmpty());
    s.NoiseReduction = 1;
    EXPECT_EQ(read(page, area, s), QStringList{"97531"});
}

// Each step of the skew list: a linear code tilted near the top of the step
// is read with that step and refused with the one below.
TEST(ReaderSettings, EverySkewStepReadsCodesTiltedWithinIt)
{
    const SampleCode codes[] = {{2, "SKEW-1"}, {1, "SKEW-2"}, {64, "4006381333931"}, {4, "1234567890"}, {2, "SKEW-5"}};
    for (int step = 1; step <= 5; ++step) {
        for (double sign : {1.0, -1.0}) {
            const double tilt = sign * (5.0 + 8.0 * step - 1.5);
            SCOPED_TRACE(tilt);
            const SampleCode &code = codes[step - 1];
            QRect area;
            const QImage page = pageWith(code, area, 3, 1, tilt);
            ReaderSettings s = base();
            s.SkewTolerance = step;
            EXPECT_EQ(read(page, area, s), QStringList{code.data});
            s.SkewTolerance = step - 1;
            EXPECT_TRUE(read(page, area, s).isEmpty());
        }
    }
}
