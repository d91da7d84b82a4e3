#include "ReaderSettingsMapping.h"

#include "U_Types.h"
#include "automation/AutomationObject.h"

#include <QVariant>

namespace {
QVariant int32(std::int32_t v)
{
    return QVariant::fromValue<int>(v);
}
QVariant boolean(bool v)
{
    return QVariant::fromValue<bool>(v);
}
} // namespace

void ApplyAreaSettings(AutomationObject &Settings, const TOCRField &Field)
{
    Settings.setProperty(QStringLiteral("BarcodeTypes"), int32(Field.BCType));
    Settings.setProperty(QStringLiteral("Directions"), int32(Field.BCDirection));
    Settings.setProperty(QStringLiteral("MinLength"), int32(Field.MinLen));
    Settings.setProperty(QStringLiteral("MaxLength"), int32(Field.MaxLen));
    Settings.setProperty(QStringLiteral("AllowDuplicateValues"), boolean(Field.AllowDuplicate));
    Settings.setProperty(QStringLiteral("Code39Checksum"), boolean(Field.Code39Checksum));
    Settings.setProperty(QStringLiteral("Code39StartStop"), boolean(Field.Code39StartStop));
    Settings.setProperty(QStringLiteral("ColorThreshold"), int32(Field.ColorThreshold));
    Settings.setProperty(QStringLiteral("ConvertUPCEToEAN13"), boolean(Field.ConvertUPCE));
    Settings.setProperty(QStringLiteral("ErrorCorrection"), boolean(Field.ErrorCorrection));
    Settings.setProperty(QStringLiteral("ExtendedCode39"), boolean(Field.ExtendedC39));
    Settings.setProperty(QStringLiteral("LineJump"), int32(Field.LineJump));
    Settings.setProperty(QStringLiteral("MinSpaceBarWidth"), int32(Field.MinSpaceBar));
    Settings.setProperty(QStringLiteral("NoiseReduction"), int32(Field.NoiseReduction));
    // A null text would travel as an empty variant; the component wants a string.
    Settings.setProperty(QStringLiteral("Pattern"), QVariant::fromValue<QString>(
                                                        Field.Pattern.isNull() ? QStringLiteral("") : Field.Pattern));
    Settings.setProperty(QStringLiteral("QuietZoneSize"), int32(Field.QuietZone));
    Settings.setProperty(QStringLiteral("ReadNumeric"), boolean(Field.Numeric));
    Settings.setProperty(QStringLiteral("SkewTolerance"), int32(Field.SkewTolerance));
    Settings.setProperty(QStringLiteral("ShowCheckDigit"), boolean(Field.ShowCheckDig));
    Settings.setProperty(QStringLiteral("UseOverSampling"), boolean(Field.OverSampling));
}

void ApplyPageSettings(AutomationObject &Settings)
{
    Settings.setProperty(QStringLiteral("BarcodeTypes"), int32(1919));
    Settings.setProperty(QStringLiteral("Directions"), int32(15));
}
