#include "AdvancedBarcodeSettings.h"

#include "U_Types.h"

AdvancedBarcodeSettings AdvancedBarcodeSettings::resetValues()
{
    return of(TOCRField(0));
}

AdvancedBarcodeSettings AdvancedBarcodeSettings::of(const TOCRField &field)
{
    AdvancedBarcodeSettings s;
    s.Code39StartStop = field.Code39StartStop;
    s.ExtendedC39 = field.ExtendedC39;
    s.ConvertUPCE = field.ConvertUPCE;
    s.Numeric = field.Numeric;
    s.OverSampling = field.OverSampling;
    s.AllowDuplicate = field.AllowDuplicate;
    s.Code39Checksum = field.Code39Checksum;
    s.ErrorCorrection = field.ErrorCorrection;
    s.ShowCheckDig = field.ShowCheckDig;
    s.SkewTolerance = field.SkewTolerance;
    s.Pattern = field.Pattern;
    s.NoiseReduction = field.NoiseReduction;
    s.QuietZone = field.QuietZone;
    s.LineJump = field.LineJump;
    s.ColorThreshold = field.ColorThreshold;
    s.MinSpaceBar = field.MinSpaceBar;
    return s;
}

void AdvancedBarcodeSettings::writeTo(TOCRField &field) const
{
    field.Code39StartStop = Code39StartStop;
    field.ExtendedC39 = ExtendedC39;
    field.ConvertUPCE = ConvertUPCE;
    field.Numeric = Numeric;
    field.OverSampling = OverSampling;
    field.AllowDuplicate = AllowDuplicate;
    field.Code39Checksum = Code39Checksum;
    field.ErrorCorrection = ErrorCorrection;
    field.ShowCheckDig = ShowCheckDig;
    field.SkewTolerance = SkewTolerance;
    field.Pattern = Pattern;
    field.NoiseReduction = NoiseReduction;
    field.QuietZone = QuietZone;
    field.LineJump = LineJump;
    field.ColorThreshold = ColorThreshold;
    field.MinSpaceBar = MinSpaceBar;
}
