#pragma once

#include <QString>
#include <cstdint>

class TOCRField;

// The sixteen reader settings of an area that the settings dialog edits, in
// the dialog's order. The dialog works on these values only; they reach the
// area's definition in one step when the dialog is closed with OK. A new
// area's values come from TOCRField's defaults (resetValues), not from here.
struct AdvancedBarcodeSettings
{
    bool Code39StartStop = false;
    bool ExtendedC39 = false;
    bool ConvertUPCE = false;
    bool Numeric = false;
    bool OverSampling = false;
    bool AllowDuplicate = false;
    bool Code39Checksum = false;
    bool ErrorCorrection = false;
    bool ShowCheckDig = false;
    std::int32_t SkewTolerance = 0;
    QString Pattern;
    std::int32_t NoiseReduction = 0;
    std::int32_t QuietZone = 0;
    std::int32_t LineJump = 0;
    std::int32_t ColorThreshold = 0;
    std::int32_t MinSpaceBar = 0;

    // What "Reset" puts into the dialog: the settings of a new area.
    static AdvancedBarcodeSettings resetValues();
    static AdvancedBarcodeSettings of(const TOCRField &field);
    void writeTo(TOCRField &field) const;

    friend bool operator==(const AdvancedBarcodeSettings &, const AdvancedBarcodeSettings &) = default;
};
