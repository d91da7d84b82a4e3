#include "QtPrinters.h"
#include "ReaderSettingsMapping.h"
#include "ScriptedReader.h"
#include "U_Types.h"
#include "reader/DabBarcodeReaderSettings.h"

#include <gtest/gtest.h>

namespace {

QStringList puts(const ScriptedAutomationObject &settings)
{
    QStringList out;
    for (const auto &c : settings.calls()) {
        EXPECT_EQ(c.kind, ScriptedAutomationObject::CallKind::PropertyPut) << c.member.toStdString();
        out << c.member;
    }
    return out;
}

} // namespace

TEST(ApplyAreaSettings, PutsTheDefaultsInTheTablesOrderWithTheirTypes)
{
    auto settings = std::make_shared<ScriptedAutomationObject>();
    ApplyAreaSettings(*settings, TOCRField(0));

    EXPECT_EQ(puts(*settings), QStringList({"BarcodeTypes", "Directions", "MinLength", "MaxLength",
                                            "AllowDuplicateValues", "Code39Checksum", "Code39StartStop",
                                            "ColorThreshold", "ConvertUPCEToEAN13", "ErrorCorrection",
                                            "ExtendedCode39", "LineJump", "MinSpaceBarWidth", "NoiseReduction",
                                            "Pattern", "QuietZoneSize", "ReadNumeric", "SkewTolerance",
                                            "ShowCheckDigit", "UseOverSampling"}));
    const QVariantList expected = {1,    1,     2,   999,   true, false, true,      128, true, false,
                                   false, 5,    1,   0,     QStringLiteral(""), 10, false, 0, false, false};
    ASSERT_EQ(settings->calls().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QVariant &sent = settings->calls()[i].args.value(0);
        SCOPED_TRACE(settings->calls()[i].member.toStdString());
        // Integers as 32-bit integers, Booleans as automation Booleans, the
        // pattern as a real (not null) string.
        EXPECT_EQ(sent.metaType(), expected[i].metaType());
        EXPECT_EQ(sent, expected[i]);
    }
    EXPECT_EQ(automation::variantToInt32(settings->calls()[4].args[0]), -1);
    EXPECT_EQ(automation::variantToInt32(settings->calls()[5].args[0]), 0);
}

TEST(ApplyAreaSettings, SendsStoredValuesUnchecked)
{
    TOCRField f(3);
    f.BCType = 1024;
    f.BCDirection = 3; // not a single flag: still sent as stored
    f.MinLen = -4;
    f.SkewTolerance = 5; // "<45"
    f.Pattern = QStringLiteral("47#1");
    f.ShowCheckDig = true;
    f.Code39StartStop = false;

    auto settings = std::make_shared<ScriptedAutomationObject>();
    ApplyAreaSettings(*settings, f);
    EXPECT_EQ(settings->scriptedProperty("BarcodeTypes"), 1024);
    EXPECT_EQ(settings->scriptedProperty("Directions"), 3);
    EXPECT_EQ(settings->scriptedProperty("MinLength"), -4);
    EXPECT_EQ(settings->scriptedProperty("SkewTolerance"), 5);
    EXPECT_EQ(settings->scriptedProperty("Pattern"), "47#1");
    EXPECT_EQ(automation::variantToInt32(settings->scriptedProperty("ShowCheckDigit")), -1);
    EXPECT_EQ(settings->scriptedProperty("Code39StartStop"), false);
}

TEST(ApplyPageSettings, PutsTypesWithoutPatchCodesAndAllDirectionsOnly)
{
    auto settings = std::make_shared<ScriptedAutomationObject>();
    ApplyPageSettings(*settings);
    EXPECT_EQ(puts(*settings), QStringList({"BarcodeTypes", "Directions"}));
    EXPECT_EQ(settings->scriptedProperty("BarcodeTypes"), 1919);
    EXPECT_EQ(settings->scriptedProperty("Directions"), 15);
}

TEST(ApplyAreaSettings, ReachesEverySettingOfTheRealComponent)
{
    TOCRField f(0);
    f.BCType = 2;
    f.BCDirection = 8;
    f.MinLen = 3;
    f.MaxLen = 40;
    f.AllowDuplicate = false;
    f.Code39Checksum = true;
    f.Code39StartStop = false;
    f.ColorThreshold = 100;
    f.ConvertUPCE = true;
    f.ErrorCorrection = true;
    f.ExtendedC39 = true;
    f.LineJump = 7;
    f.MinSpaceBar = 2;
    f.NoiseReduction = 1;
    f.Pattern = QStringLiteral("INV-*");
    f.QuietZone = 4;
    f.Numeric = true;
    f.SkewTolerance = 3;
    f.ShowCheckDig = false;
    f.OverSampling = true;

    DabBarcodeReaderSettings settings;
    ApplyAreaSettings(settings, f);
    // Every value differs from the component's default, so each put must land.
    ReaderSettings expected;
    expected.BarcodeTypes = 2;
    expected.Directions = 8;
    expected.MinLength = 3;
    expected.MaxLength = 40;
    expected.AllowDuplicateValues = false;
    expected.Code39Checksum = true;
    expected.Code39StartStop = false;
    expected.ColorThreshold = 100;
    expected.ConvertUPCEToEAN13 = true;
    expected.ErrorCorrection = true;
    expected.ExtendedCode39 = true;
    expected.LineJump = 7;
    expected.MinSpaceBarWidth = 2;
    expected.NoiseReduction = 1;
    expected.Pattern = QStringLiteral("INV-*");
    expected.QuietZoneSize = 4;
    expected.ReadNumeric = true;
    expected.SkewTolerance = 3;
    expected.ShowCheckDigit = false;
    expected.UseOverSampling = true;
    for (const QString &name : ReaderSettings::names())
        EXPECT_NE(expected.get(name), ReaderSettings().get(name)) << name.toStdString();
    EXPECT_EQ(settings.settings(), expected);
    EXPECT_EQ(settings.settings().toJson(), expected.toJson());
}
