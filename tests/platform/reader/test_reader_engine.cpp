#include "QtPrinters.h"
#include "ReaderFixtures.h"
#include "reader/BarcodeEngine.h"

#include "U_misc.h"

#include <gtest/gtest.h>

namespace {

ReaderSettings areaDefaultsFor(std::int32_t type)
{
    // An area's defaults (TOCRField) with its type set, check digits shown.
    ReaderSettings s;
    s.BarcodeTypes = type;
    s.Directions = 1;
    s.MinLength = 2;
    s.MaxLength = 999;
    s.ColorThreshold = 128;
    s.ConvertUPCEToEAN13 = true;
    s.LineJump = 5;
    s.QuietZoneSize = 10;
    s.SkewTolerance = 0;
    s.ShowCheckDigit = true;
    return s;
}

} // namespace

TEST(BarcodeEngine, ReadsEveryTypeInAnArea)
{
    for (const SampleCode &code : sampleCodes()) {
        SCOPED_TRACE(BarcodeTypeName(code.type).toStdString());
        QImage page = BarcodeRenderer::blankPage();
        const QRect box = placeCode(page, code, {300, 400});
        const QRect area = box.adjusted(-40, -40, 40, 40);
        ReaderSettings s = areaDefaultsFor(code.type);
        s.ConvertUPCEToEAN13 = false;
        const auto results = BarcodeEngine::scan(page.copy(area), area.topLeft(), s);
        ASSERT_EQ(results.size(), 1);
        EXPECT_EQ(results[0].BarcodeType, code.type);
        EXPECT_EQ(results[0].Data, reportedData(code));
        EXPECT_TRUE(box.adjusted(-6, -6, 6, 6).contains(results[0].Position)) << results[0].Position.x() << ","
                                                                               << results[0].Position.y() << " "
                                                                               << results[0].Position.width() << "x"
                                                                               << results[0].Position.height();
    }
}
